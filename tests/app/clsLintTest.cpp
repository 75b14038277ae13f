#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/clsLint.h"
#include "app/mdlTools.h"
#include "fakes/FakeConsole.h"
#include "fakes/TempFolder.h"
#include "platform/BuildConventions.h"

namespace {

using Lines = std::vector<std::string>;
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

Lines Plus(Lines lines, const Lines& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

struct Expected {
    int32_t line;
    char level;         // 'E' error, 'W' warning
    std::wstring text;  // part of the message
};

struct Case {
    const char* name;
    std::string bytes;
    std::vector<Expected> expected;
};

std::vector<Case> Cases() {
    const bool utf8 = platform::DataFileEncoding() == platform::TextEncoding::Utf8;
    const bool restricted = platform::LibrarySearchSkipsProgramFolder();
    const Lines second = {"[Breed_2]", "Name=Guard", "Proof=0", "Count=0"};
    const Lines base = Base();
    return {
        {"clean", Join(Base()), {}},
        {"no General", Join({"[Breed_1]", "Name=A"}), {{0, 'E', L"there is no [General] section"}}},
        {"Count not numeric", Join({"[General]", "Count=abc"}), {{2, 'E', L"Count \"abc\" is not a number"}}},
        {"Count overflows", Join({"[General]", "Count=40000"}), {{2, 'E', L"out of range (-32768 to 32767)"}}},
        {"Count too large",
         Join(With(Base(), 2, "Count=3")),
         {{2, 'W', L"no section [Breed_2] to [Breed_3]: those breeds load empty"}}},
        {"Count too small", Join(Plus(Base(), second)), {{9, 'E', L"[Breed_2] is beyond [General] Count=1"}}},
        {"gap",
         Join(Plus(With(Base(), 2, "Count=3"), {"[Breed_3]", "Name=Guard", "Proof=0"})),
         {{2, 'E', L"no section [Breed_2]: that breed loads empty"}, {11, 'W', L"Proof 0: the breed counts as found"}}},
        {"no Name", Join(With(Base(), 4, "Info=x")), {{3, 'E', L"the breed has no Name"}}},
        {"Filter not numeric",
         Join(With(Base(), 5, "Filter=x")),
         {{5, 'E', L"Filter \"x\" is not a number: the loader uses 0"}}},
        {"Filter bits", Join(With(Base(), 5, "Filter=5")), {{5, 'W', L"Filter 5 has bits the window never sets"}}},
        {"Proof not numeric",
         Join(With(Base(), 6, "Proof=")),
         {{6, 'E', L"Proof \"\" is not a number: the loader uses 5"},
          {6, 'E', L"Proof 5 is more than the breed's 1 track"}}},
        {"Proof overflows", Join(With(Base(), 6, "Proof=32767.5")), {{6, 'E', L"loading fails here with an overflow"}}},
        {"Proof above tracks", Join(With(Base(), 6, "Proof=2")), {{6, 'E', L"the breed can never be found"}}},
        {"Count of breed not numeric",
         Join(With(Base(), 7, "Count=one")),
         {{7, 'E', L"drops this breed and its tracks"}}},
        {"duplicate names",
         Join(Plus(With(Base(), 2, "Count=2"), {"[Breed_2]", "Name=shield ", "Proof=0"})),
         {{10, 'W', L"is also the name of [Breed_1]"}, {11, 'W', L"Proof 0"}}},
        {"four fields",
         Join(Base("Track1=PROCESS~#~#INSTR~#shield")),
         {{6, 'E', L"Proof 1 is more than the breed's 0 tracks"}, {8, 'E', L"4 fields, five are needed"}}},
        {"unknown class", Join(Base("Track1=FOO~#~#INSTR~#x~#0")), {{8, 'E', L"unknown class \"FOO\""}}},
        {"unknown operator",
         Join(Base("Track1=process~#~#contains~#x~#0")),
         {{8, 'E', L"unknown operator \"CONTAINS\""}}},
        {"REGEXP rejected",
         Join(Base("Track1=PROCESS~#~#REGEXP~#^(a~#0")),
         {{8, 'E', L"the REGEXP pattern is rejected"}}},
        {"LIKE unclosed", Join(Base("Track1=PROCESS~#~#LIKE~#*[ab~#0")), {{8, 'E', L"unclosed \"[\""}}},
        {"LIKE descending", Join(Base("Track1=PROCESS~#~#!LIKE~#*[z-a]*~#0")), {{8, 'E', L"descending range"}}},
        {"greater than text", Join(Base("Track1=PROCESS~#~#>~#abc~#0")), {{8, 'E', L"of \">\" is not a number"}}},
        {"report level", Join(Base("Track1=PROCESS~#~#<~# 10 ~#x")), {{8, 'E', L"report level \"x\" is not a number"}}},
        {"track beyond Count",
         Join(Plus(Base(), {"Track2=PROCESS~#~#INSTR~#b~#0"})),
         {{9, 'W', L"Track2 is beyond the breed's Count 1"}}},
        {"tracks missing", Join(With(Base(), 7, "Count=4")), {{7, 'E', L"Track2 to Track4 are missing"}}},
        {"value cut",
         Join(Plus(Base(), {"Info=" + std::string(300, 'i')})),
         {{9, 'E', L"Info is 300 characters long: the loader cuts it after character 254"}}},
        {"byte-order mark", "\xEF\xBB\xBF; first\r\n" + Join(Base()), {{1, 'W', L"byte-order mark"}}},
        {"mixed line ends",
         Join(Lines(base.begin(), base.begin() + 4)) + Join(Lines(base.begin() + 4, base.end()), "\n"),
         {{5, 'W', L"this line ends with LF, line 1 with CR LF"}}},
        {"LF lines", Join(Base("Track1=X~#~#=~#~#0"), "\n"), {{8, 'E', L"unknown class \"X\""}}},
        {"encoding",
         Join(With(Base(), 4, utf8 ? "Name=Zed\xE8" : "Name=Zed\xC4\x8D")),
         {{4, 'E', utf8 ? L"not valid UTF-8 (byte 9)" : L"written in UTF-8"}}},
        {"download address",
         Join(Base("Track1=DOWNLOADFILE~#ftp://bank.test/x~#=~#OK~#0")),
         {{8, 'E', L"not an http:// or https:// URL"}}},
        {"library path", Join(Base("Track1=LOADLIBRARY~#sub\\x.dll~#INSTR~#=0~#0")),
         restricted ? std::vector<Expected>{{8, 'W', L"is a relative path"}} : std::vector<Expected>{}},
        {"layout",
         Join(Plus(Base(), {"Nmae=x", "Filter=2", "stray text", "[Extra]", "[Breed_01]", "[breed_1]"})),
         {{9, 'W', L"key Nmae is never read"},
          {10, 'W', L"repeats the one of line 5"},
          {11, 'W', L"no section, key=value pair or comment"},
          {12, 'W', L"[Extra] is never read"},
          {13, 'W', L"without leading zeros"},
          {14, 'W', L"repeats the section of line 3"}}},
    };
}

TEST(ClsLintTest, EachFaultGivesExactlyItsFindings) {
    TempFolder folder;
    for (const Case& c : Cases()) {
        const std::wstring name = NextName();
        folder.Write(name, c.bytes);
        clsLint lint;
        ASSERT_TRUE(lint.Run(folder.File(name))) << c.name;
        const auto& found = lint.Findings();
        ASSERT_EQ(found.size(), c.expected.size()) << c.name << "\n" << ::testing::PrintToString(lint.Text(L"kb"));
        for (size_t i = 0; i < found.size(); ++i) {
            const Expected& e = c.expected[i];
            EXPECT_EQ(found[i].Line, e.line) << c.name << " #" << i;
            EXPECT_EQ(found[i].Level, e.level == 'E' ? clsLint::Severity::Error : clsLint::Severity::Warning)
                << c.name << " #" << i;
            EXPECT_NE(found[i].Message.find(e.text), std::wstring::npos)
                << c.name << ": " << ::testing::PrintToString(found[i].Message);
        }
    }
}

// The same fault is on the same line whatever ends the lines.
TEST(ClsLintTest, LineNumbersForEveryLineEnd) {
    TempFolder folder;
    const Lines lines = Plus(Lines{"; x", "", "; y"}, Base("Track1=PROCESS~#~#>~#abc~#0"));
    for (std::string_view eol : {"\r\n", "\n", "\r"}) {
        const std::wstring name = NextName();
        folder.Write(name, Join(lines, eol));
        clsLint lint;
        ASSERT_TRUE(lint.Run(folder.File(name)));
        const auto& found = lint.Findings();
        ASSERT_FALSE(found.empty()) << ::testing::PrintToString(std::string(eol));
        EXPECT_EQ(found.back().Line, 11) << ::testing::PrintToString(std::string(eol));
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
    TempFolder folder;
    struct Run {
        Lines lines;
        int32_t status;
        std::wstring summary;
    };
    const Run runs[] = {
        {Base(), 0, L": 0 errors, 0 warnings\n"},
        {With(Base(), 5, "Filter=4"), 0, L": 0 errors, 1 warning\n"},
        {With(Base(), 6, "Proof=3"), 1, L": 1 error, 0 warnings\n"},
    };
    for (const Run& run : runs) {
        const std::wstring name = NextName();
        folder.Write(name, Join(run.lines));
        testing_support::FakeConsole console;
        EXPECT_EQ(mdlTools::Lint(folder.File(name), console), run.status);
        EXPECT_TRUE(console.out.ends_with(folder.File(name) + run.summary))
            << ::testing::PrintToString(console.out);
    }
    testing_support::FakeConsole console;
    EXPECT_EQ(mdlTools::Lint(folder.File(L"missing.dat"), console), 2);
    EXPECT_TRUE(console.out.empty());
    EXPECT_NE(console.err.find(L"cannot be read"), std::wstring::npos);
}

}  // namespace
