#pragma once
// A log writer set up as the program sets it up, on the fake machine's clock and date (2026-12-06 09:05:03),
// writing into a real temporary folder.

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/FakeMachine.h"
#include "fakes/TempFolder.h"
#include "log/clsLogShare.h"
#include "platform/Machine.h"

namespace log_testing {

inline constexpr char kStamp[] = "2026/12/06 09:05:03";

class LogWriterTest : public ::testing::Test {
protected:
    // Writes log.ini, then a writer on the temporary folder, prefix Quorvex, Init with log.ini.
    void Start(std::string_view strIni, int32_t lngMode = 3) {
        folder.Write(L"log.ini", strIni);
        writer = std::make_shared<clsLogShare>();
        writer->Directory(folder.WPath());
        writer->FileNamePrefix(L"Quorvex");
        writer->FileNameMode(lngMode);
        ASSERT_TRUE(writer->Init(folder.File(L"log.ini")));
    }
    std::string Log(std::wstring_view strName) const { return folder.Read(strName); }
    bool Exists(std::wstring_view strName) const {
        return std::filesystem::exists(folder.Path() / std::filesystem::path(std::wstring(strName)));
    }
    // Every file of the folder but log.ini, in name order, each after its name in brackets.
    std::string Listing() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            names.insert(entry.path().filename().string());
        }
        std::string text;
        for (const std::string& name : names) {
            if (name != "log.ini") text += "[" + name + "]\n" + Log(std::wstring(name.begin(), name.end()));
        }
        return text;
    }
    testing_support::FakeMachine machine;
    platform::ScopedMachine realFiles{[] {  // file access stays on the real temporary folder
        platform::Machine files;
        files.files = platform::RealMachine().files;
        return files;
    }()};
    testing_support::TempFolder folder;
    std::shared_ptr<clsLogShare> writer;
};

}  // namespace log_testing
