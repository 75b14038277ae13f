#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "app/DataFiles.h"
#include "app/clsLint.h"
#include "app/mdlTools.h"
#include "base/CodePage.h"
#include "fakes/FakeConsole.h"
#include "platform/BuildConventions.h"

namespace {

using testing_support::DataPath;
using testing_support::ReadData;

const bool kUtf8 = platform::DataFileEncoding() == platform::TextEncoding::Utf8;

// What the linter says of each knowledge base in a data folder, in file-name
// order; the folder's findings.txt holds what it must say.
std::string FindingsIn(std::string_view strFolder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(DataPath(strFolder))) {
        if (entry.path().extension() == ".dat") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::wstring text;
    // One linter for all: a run must not carry names or findings over.
    clsLint lint;
    for (const auto& file : files) {
        EXPECT_TRUE(lint.Run(file.wstring())) << file;
        text += lint.Text(file.filename().wstring());
    }
    return base::WideToUtf8(text);
}

// Every knowledge base in lint/ holds one fault (clean.dat none; line-ends-*
// the same one with each kind of line end).
TEST(ClsLintTest, EachFaultGivesExactlyItsFindings) {
    EXPECT_EQ(FindingsIn("lint"), ReadData("lint/findings.txt"));
}

// A name in the other encoding, and a library path with a folder in it: what
// they give depends on the build's file encoding and library search.
TEST(ClsLintTest, PlatformDependentFindings) {
    const std::string folder = kUtf8 ? "lint/linux" : "lint/windows";
    EXPECT_EQ(FindingsIn(folder), ReadData(folder + "/findings.txt"));
}

TEST(ClsLintTest, SampleKnowledgeBaseOfThisBuildIsClean) {
    const std::string path =
        std::string(QUORVEX_SOURCE_DIR) + (kUtf8 ? "/data/linux" : "/data/windows") + "/Vigilor.dat";
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
