#pragma once
// A program folder in a real temporary folder, a fake machine around it and
// helpers to put a knowledge base there and read what a check leaves behind.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/clsApp.h"
#include "base/CodePage.h"
#include "base/TestSupport.h"
#include "base/gblnCancel.h"
#include "fakes/FakeMachine.h"
#include "fakes/TempFolder.h"
#include "log/mdlLog.h"
#include "platform/AnsiCodePage.h"

namespace testing_support {

// A Status event: type, text, index, count, id.
using StatusEvent = std::tuple<int32_t, std::wstring, int32_t, int32_t, int32_t>;

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        mdlLog::LogInit(nullptr, L"");
        mdlLog::SetProgramVersion({1, 0, 0, L""});
        gblnCancel = false;
        fake.system.programFolder = folder.WPath();
        fake.system.programPath = folder.File(L"quorvex");
    }
    void TearDown() override { mdlLog::LogInit(nullptr, L""); }

    // Writes the knowledge base (lines joined with CR LF, in the ANSI code page).
    void WriteDataFile(std::initializer_list<std::wstring_view> lines) {
        std::wstring text;
        for (auto line : lines) (text += line) += L"\r\n";
        folder.Write(L"Vigilor.dat", platform::ToAnsi(text));
    }
    // The knowledge base tests/data/app/strName, in the ANSI code page.
    void UseDataFile(const std::string& strName) {
        folder.Write(L"Vigilor.dat", platform::ToAnsi(base::Utf8ToWide(test_support::Golden("app/" + strName))));
    }

    // Creates the controller and records its Status events.
    std::unique_ptr<clsApp> MakeApp() {
        auto app = std::make_unique<clsApp>();
        app->OnStatus([this](int32_t t, const std::wstring& s, int32_t i, int32_t c, int32_t id) {
            events.push_back({t, s, i, c, id});
            if (onStatus) onStatus(t, i);
        });
        return app;
    }

    std::string ReadTemp(std::wstring_view strName) const { return folder.Read(L"TEMP/" + std::wstring(strName)); }

    TempFolder folder;
    FakeMachine fake;
    std::vector<StatusEvent> events;
    std::function<void(int32_t type, int32_t index)> onStatus;
};

}  // namespace testing_support
