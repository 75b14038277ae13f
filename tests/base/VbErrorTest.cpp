#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <tuple>

#include "base/VbError.h"

namespace {

using namespace base;

// Raised errors and standard exceptions as the handler reads them: number,
// then source and description where the case names them.
TEST(VbErrorTest, CurrentErrorReadsTheErrorBeingHandled) {
    EXPECT_EQ(CurrentError().Number, 0) << "outside a handler";
    EXPECT_TRUE(CurrentError().Source.empty());
    const std::tuple<std::function<void()>, int32_t, const wchar_t*, const wchar_t*> cases[] = {
        {[] { Raise(vbObjectError + 1, L"(RegistryList)"); }, -2147221503, L"(RegistryList)", L""},
        {[] { Raise(vbObjectError, L"", L"Unsupported ValueType"); }, vbObjectError, L"Quorvex",
         L"Unsupported ValueType"},
        {[] { throw std::bad_alloc(); }, vbErrOutOfMemory, nullptr, nullptr},
        {[] { (void)std::wstring().at(3); }, vbErrSubscript, nullptr, nullptr},
        {[] { throw std::runtime_error("boom"); }, vbErrInvalidArgument, nullptr, L"boom"},
        {[] { throw 42; }, vbErrInvalidArgument, nullptr, nullptr},
    };
    for (const auto& [action, number, source, description] : cases) {
        try {
            action();
            ADD_FAILURE() << "nothing raised: " << number;
        } catch (...) {
            const ErrorRecord record = CurrentError();
            EXPECT_EQ(record.Number, number);
            if (source) {
                EXPECT_EQ(record.Source, source);
            }
            if (description) {
                EXPECT_EQ(record.Description, description);
            }
        }
    }
    EXPECT_EQ(CurrentError().Number, 0) << "after the handler";
}

TEST(VbErrorTest, RaiseFillsStandardDescriptions) {
    for (int32_t number : {5, 6, 7, 9, 13, 93, 457}) {
        try {
            Raise(number);
            ADD_FAILURE() << "no error raised: " << number;
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number(), number);
            EXPECT_FALSE(e.Description().empty()) << number;
        }
    }
}

}  // namespace
