#include <gtest/gtest.h>

#include "detect/DetectorFixture.h"
#include "detect/mdlRules.h"

namespace detect_test {
namespace {

using testing_support::JoinPath;

// The knowledge-base checks trust these tables; they must name exactly what
// the engine evaluates and gathers.
class RulesTest : public DetectorTest {};

TEST_F(RulesTest, KnownOperatorsAreEvaluatedAndNoOtherIs) {
    Tracks tracks;
    for (std::wstring_view op : mdlRules::KnownOperators()) tracks.push_back(AddListTrack(1, L"12\r\n", op, L"1"));
    const auto unknown = AddListTrack(1, L"12\r\n", L"CONTAINS", L"1");
    AddBreed(1, 0, static_cast<int32_t>(tracks.size()) + 1);
    detector.Scan(-1);
    ASSERT_EQ(machine.dialogs.shown.size(), 1u);
    EXPECT_EQ(machine.dialogs.shown[0].text, L"Pozor! Neznámý operátor CONTAINS");
    for (const auto& track : tracks) EXPECT_NE(track->Score(), -1) << track->Operator();
    EXPECT_EQ(unknown->Score(), -1);
    EXPECT_FALSE(mdlRules::IsKnownOperator(L"!REGEXP"));
}

TEST_F(RulesTest, KnownClassesGatherSomethingAndOthersNothing) {
    machine.registry.AddUninstallEntry(L"k", std::wstring(L"K"));
    machine.folders.paths[platform::kFolderProgramFiles] = JoinPath({L"", L"pf"});
    machine.folders.paths[platform::kFolderCommonPrograms] = JoinPath({L"", L"menu"});
    machine.files.AddFile(JoinPath({L"", L"pf", L"a.exe"}));
    machine.files.AddFile(JoinPath({L"", L"menu", L"a.lnk"}));
    machine.services.services = {{L"Svc", L"svc"}};
    machine.processes.processes = {L"init"};
    machine.internet.Serve(L"http://x.test/", L"OK");
    Tracks tracks;
    for (std::wstring_view cls : mdlRules::KnownClasses()) {
        tracks.push_back(AddTrack(1, cls, cls == L"DOWNLOADFILE" ? L"http://x.test/" : L"lib", L"<", L"1"));
    }
    const auto unknown = AddTrack(1, L"FIREWALL", L"", L"<", L"1");
    AddBreed(1, 0, static_cast<int32_t>(tracks.size()) + 1);
    detector.Scan(-1);
    for (const auto& track : tracks) EXPECT_EQ(track->Score(), 0) << track->Class() << " gathered nothing";
    EXPECT_EQ(unknown->Score(), 1) << "an unknown class has an empty list";
}

TEST(RulesPatternTest, RegexProblemsNameTheColumnOfThePatternAsWritten) {
    struct Case {
        std::wstring_view pattern;
        size_t column;  // 0: compiles
    };
    const Case cases[] = {
        // Past the last character: the engine gave up at the end.
        {L"^n[a-z]*", 0},         {L"\\u0041+", 0}, {L"ab(c", 5},
        {L"\\u0041\\u0042(", 14}, {L"a{2,1}", 5},   {L"\\u0041{2,1}", 10},
    };
    for (const auto& c : cases) {
        const auto problem = mdlRules::RegexProblem(c.pattern);
        ASSERT_EQ(problem.has_value(), c.column != 0) << ::testing::PrintToString(std::wstring(c.pattern));
        if (problem) {
            EXPECT_EQ(problem->Column, c.column) << ::testing::PrintToString(std::wstring(c.pattern));
            EXPECT_FALSE(problem->Message.empty());
        }
    }
}

TEST(RulesPatternTest, LikePatternsAreCheckedAsTheScanRunsThem) {
    EXPECT_TRUE(mdlRules::IsValidLikePattern(L"*[a-z]#?"));
    EXPECT_FALSE(mdlRules::IsValidLikePattern(L"abc[de"));
    EXPECT_FALSE(mdlRules::IsValidLikePattern(L"[z-a]"));
    // Upper-case letters fold to lower case before the range is read.
    EXPECT_FALSE(mdlRules::IsValidLikePattern(L"[Z-a]"));
    EXPECT_TRUE(mdlRules::IsValidLikePattern(L"[%crlf%-$]")) << "a line end starts the range";
}

}  // namespace
}  // namespace detect_test
