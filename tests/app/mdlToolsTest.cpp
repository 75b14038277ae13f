#include <gtest/gtest.h>

#include "app/AppFixture.h"
#include "app/mdlTools.h"
#include "fakes/FakeConsole.h"

namespace {

using testing_support::AppFixture;
using testing_support::FakeConsole;

const std::string kRule(50, '-');

class InventoryTest : public AppFixture {};

TEST_F(InventoryTest, ProcessListIsTheReportsListBlockByteForByte) {
    WriteDataFile({L"[General]", L"Count=1", L"[Breed_1]", L"Name=Probe", L"Filter=1", L"Proof=1", L"Count=1",
                   L"Track1=PROCESS~#~#INSTR~#nothing-runs-so~#128"});
    fake.processes.processes = {L"init", L"žluťoučký kůň.exe", L"shield.exe"};
    ASSERT_EQ(MakeApp()->Check(1), 1);
    const std::string report = ReadTemp(L"report.txt");

    FakeConsole console;
    ASSERT_EQ(mdlTools::Inventory({L"process"}, true, folder.File(L"inventory.txt"), console), 0);
    const std::string dumped = folder.Read(L"inventory.txt");
    ASSERT_TRUE(dumped.starts_with(kRule + "\r\n[PROCESS].()\r\n")) << dumped;
    EXPECT_NE(dumped.find(platform::ToAnsi(L"\r\nžluťoučký kůň.exe\r\n")), std::string::npos);
    // The report holds the header, this one block and the line end the
    // report file always ends with.
    const size_t block = report.find(kRule);
    ASSERT_NE(block, std::string::npos);
    EXPECT_EQ(report.substr(block), dumped + "\r\n");

    FakeConsole out;
    ASSERT_EQ(mdlTools::Inventory({L"PROCESS"}, false, L"", out), 0);
    EXPECT_EQ(platform::ToAnsi(out.out), dumped) << "standard output gets the same bytes";
    EXPECT_TRUE(out.err.empty()) << "no progress when standard error is no terminal";
}

TEST_F(InventoryTest, ClassesGatheredAndRefused) {
    fake.libraries.libraries[L"shield.dll"] = 4096;
    FakeConsole console;
    ASSERT_EQ(mdlTools::Inventory({}, false, L"", console), 0);
    size_t last = 0;
    for (std::wstring_view cls : {L"REGISTRY", L"PROGRAMFILES", L"STARTMENU", L"PROCESS", L"SERVICE", L"DUN"}) {
        const size_t at = console.out.find(L"[" + std::wstring(cls) + L"].()\r\n");
        ASSERT_NE(at, std::wstring::npos) << std::wstring(cls);
        EXPECT_GT(at, last) << std::wstring(cls);
        last = at;
    }
    EXPECT_EQ(console.out.find(L"[LOADLIBRARY]"), std::wstring::npos);

    FakeConsole named;
    named.terminal = true;
    ASSERT_EQ(mdlTools::Inventory({L"LoadLibrary:shield.dll"}, false, L"", named), 0);
    EXPECT_NE(named.out.find(L"[LOADLIBRARY].(shield.dll)\r\nLoadLibrary(shield.dll)=4096\r\n"), std::wstring::npos);
    EXPECT_NE(named.err.find(L"LOADLIBRARY (1/1)"), std::wstring::npos) << "progress on a terminal";

    for (std::wstring_view strRequest : {L"FIREWALL", L"LOADLIBRARY", L"DOWNLOADFILE:"}) {
        FakeConsole refused;
        EXPECT_EQ(mdlTools::Inventory({std::wstring(strRequest)}, false, L"", refused), 2) << std::wstring(strRequest);
        EXPECT_TRUE(refused.out.empty());
    }
}

TEST_F(InventoryTest, StopRequestPrintsNoPartialOutput) {
    for (bool toFile : {false, true}) {
        FakeConsole console;
        console.events = {platform::ConsoleEvent::Interrupt};
        EXPECT_EQ(mdlTools::Inventory({L"PROCESS", L"DUN"}, toFile, folder.File(L"out.txt"), console), 3);
        EXPECT_TRUE(console.out.empty());
        EXPECT_FALSE(console.catching) << "Ctrl+C is given back";
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "out.txt"));
}

TEST_F(InventoryTest, CommandLineWritesTheNamedClassesToTheOutputFile) {
    fake.processes.processes = {L"shield.exe"};
    FakeConsole console;
    EXPECT_EQ(mdlTools::Main({L"--inventory", L"PROCESS", L"--output", folder.File(L"out.txt")}, console), 0);
    EXPECT_TRUE(console.out.empty());
    EXPECT_TRUE(folder.Read(L"out.txt").starts_with(kRule + "\r\n[PROCESS].()\r\nshield.exe\r\n"));
}

TEST(ToolsCommandLineTest, MisuseIsBadUsage) {
    const std::pair<std::vector<std::wstring>, std::wstring> misuses[] = {
        {{L"start", L"--lint"}, L"come first"},
        {{L"--lint", L"a.dat", L"b.dat"}, L"one file"},
        {{L"--lint", L"--console"}, L"unknown option --console"},
        {{L"--inventory", L"--output"}, L"needs a file name"},
        {{L"--inventory", L"--checks", L"1"}, L"unknown option --checks"},
    };
    for (const auto& [args, why] : misuses) {
        ASSERT_TRUE(mdlTools::IsToolCommand(args));
        FakeConsole console;
        EXPECT_EQ(mdlTools::Main(args, console), 2) << ::testing::PrintToString(args);
        EXPECT_NE(console.err.find(why), std::wstring::npos) << ::testing::PrintToString(args);
        EXPECT_NE(console.err.find(L"usage: quorvex --lint"), std::wstring::npos);
    }
    EXPECT_FALSE(mdlTools::IsToolCommand({L"--console", L"start"}));
}

}  // namespace
