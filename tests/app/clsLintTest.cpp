#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "app/DataFiles.h"
#include "app/clsLint.h"
#include "app/mdlTools.h"
#include "base/CodePage.h"
#include "fakes/FakeConsole.h"
#include "fakes/TempFolder.h"
#include "platform/BuildConventions.h"

namespace {

using Lines = std::vector<std::string>;
using testing_support::DataPath;
using testing_support::ReadData;
using testing_support::TempFolder;

// A new file name for every file written: the profile reader keeps a parse
// until the file's size or time changes, and a rewrite within the clock's
// granularity need not change either.
std::wstring NextName() {
    static int counter = 0;
    return L"kb" + std::to_wstring(++counter) + L".dat";
}

std::string Join(const Lines& lines, std::string_view eol = "\r\n") {
    std::string text;
    for (const auto& line : lines) text += line + std::string(eol);
    return text;
}

// One breed with one track: lines 1 to 8.
Lines Base(std::string track = "Track1=PROCESS~#~#INSTR~#shield~#0") {
    return {"[General]", "Count=1", "[Breed_1]", "Name=Shield", "Filter=1", "Proof=1", "Count=1", std::move(track)};
}

Lines With(Lines lines, size_t index, std::string line) {
    lines[index - 1] = std::move(line);
    return lines;
}

// Every knowledge base in the data folder holds one fault (clean.dat none;
// line-ends-* the same one with each kind of line end); findings.txt is what
// the linter says of each, in file-name order.
TEST(ClsLintTest, EachFaultGivesExactlyItsFindings) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(DataPath("lint"))) {
        if (entry.path().extension() == ".dat") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::wstring text;
    for (const auto& file : files) {
        clsLint lint;
        ASSERT_TRUE(lint.Run(file.wstring())) << file;
        text += lint.Text(file.filename().wstring());
    }
    EXPECT_EQ(base::WideToUtf8(text), ReadData("lint/findings.txt"));
}

// What these find depends on the build's data file encoding and library search.
TEST(ClsLintTest, PlatformDependentFindings) {
    const bool utf8 = platform::DataFileEncoding() == platform::TextEncoding::Utf8;
    const bool restricted = platform::LibrarySearchSkipsProgramFolder();
    struct Case {
        Lines lines;
        std::wstring start;  // the finding's place
        std::wstring part;   // of its message
        std::wstring summary;
    };
    const Case cases[] = {
        {With(Base(), 4, utf8 ? "Name=Zed\xE8" : "Name=Zed\xC4\x8D"), L"kb:4: error: ",
         utf8 ? L"not valid UTF-8 (byte 9)" : L"written in UTF-8", L"kb: 1 error, 0 warnings\n"},
        {Base("Track1=LOADLIBRARY~#sub\\x.dll~#INSTR~#=0~#0"), restricted ? L"kb:8: warning: " : L"",
         restricted ? L"is a relative path" : L"",
         restricted ? L"kb: 0 errors, 1 warning\n" : L"kb: 0 errors, 0 warnings\n"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        const std::wstring name = NextName();
        folder.Write(name, Join(c.lines));
        clsLint lint;
        ASSERT_TRUE(lint.Run(folder.File(name)));
        const std::wstring text = lint.Text(L"kb");
        EXPECT_TRUE(text.starts_with(c.start) && text.ends_with(c.summary)) << ::testing::PrintToString(text);
        EXPECT_NE(text.find(c.part), std::wstring::npos) << ::testing::PrintToString(text);
    }
}

TEST(ClsLintTest, SampleKnowledgeBaseOfThisBuildIsClean) {
    const bool utf8 = platform::DataFileEncoding() == platform::TextEncoding::Utf8;
    const std::string path =
        std::string(QUORVEX_SOURCE_DIR) + (utf8 ? "/data/linux" : "/data/windows") + "/Vigilor.dat";
    clsLint lint;
    ASSERT_TRUE(lint.Run(std::wstring(path.begin(), path.end())));
    EXPECT_TRUE(lint.Findings().empty()) << ::testing::PrintToString(lint.Text(L"Vigilor.dat"));
}

TEST(ClsLintTest, ExitStatusAndSummary) {
    const std::tuple<const char*, int32_t, std::wstring> runs[] = {
        {"clean.dat", 0, L": 0 errors, 0 warnings\n"},
        {"filter-bits.dat", 0, L": 0 errors, 1 warning\n"},
        {"proof-above-tracks.dat", 1, L": 1 error, 0 warnings\n"},
    };
    for (const auto& [name, status, summary] : runs) {
        const std::wstring file = (DataPath("lint") / name).wstring();
        testing_support::FakeConsole console;
        EXPECT_EQ(mdlTools::Lint(file, console), status) << name;
        EXPECT_TRUE(console.out.ends_with(file + summary)) << ::testing::PrintToString(console.out);
    }
    testing_support::FakeConsole console;
    EXPECT_EQ(mdlTools::Lint((DataPath("lint") / "missing.dat").wstring(), console), 2);
    EXPECT_TRUE(console.out.empty());
    EXPECT_NE(console.err.find(L"cannot be read"), std::wstring::npos);
}

}  // namespace
