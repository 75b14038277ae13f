#pragma once
// The knowledge base the window tests share: firewall Alfa is installed, Beta
// is not, and the bank's server is out of reach.

#include "app/AppFixture.h"

namespace testing_support {

class SampleFixture : public AppFixture {
protected:
    // blnServerHelp: the server's breed comes with a description and a link.
    void WriteSample(bool blnServerHelp = false) {
        WriteDataFile({L"[General]", L"Count=3", L"[Breed_1]", L"Name=Alfa", L"Info=Popis Alfa",
                       L"URL=http://help.example/fw/alfa.htm", L"Filter=1", L"Proof=1", L"Count=1",
                       L"Track1=REGISTRY~#~#INSTR~#Alfa Firewall~#0", L"[Breed_2]", L"Name=Beta", L"Filter=1",
                       L"Proof=1", L"Count=1", L"Track1=PROCESS~#~#REGEXP~#^beta\\.exe~#0", L"[Breed_3]",
                       L"Name=Server", L"Filter=2", L"Proof=1", L"Count=1", L"Track1=PROCESS~#~#INSTR~#blocker~#0",
                       blnServerHelp ? L"Info=Popis serveru\r\nURL=http://help.example/net/server.htm" : L""});
        fake.registry.AddUninstallEntry(L"{A1}", std::wstring(L"Alfa Firewall 2.0"));
        fake.processes.processes = {L"init", L"blocker.exe"};
    }
};

}  // namespace testing_support
