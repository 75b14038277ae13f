#include <gtest/gtest.h>

#include "base/VbError.h"

namespace {

using namespace base;

// Raised errors and standard exceptions as the handler reads them: number,
// source and, where the case names it, description.
TEST(VbErrorTest, CurrentErrorReadsTheErrorBeingHandled) {
    EXPECT_EQ(CurrentError().Number, 0) << "outside a handler";
    EXPECT_TRUE(CurrentError().Source.empty());
    const std::tuple<std::function<void()>, int32_t, const wchar_t*, const wchar_t*> cases[] = {
        {[] { Raise(vbObjectError + 1, L"(RegistryList)"); }, -2147221503, L"(RegistryList)", L""},
        {[] { Raise(vbObjectError, L"", L"Unsupported ValueType"); }, vbObjectError, L"Quorvex",
         L"Unsupported ValueType"},
        {[] { Raise(vbErrOverflow); }, vbErrOverflow, L"Quorvex", L"Overflow"},
        {[] { throw std::bad_alloc(); }, vbErrOutOfMemory, L"Quorvex", L"Out of memory"},
        {[] { (void)std::wstring().at(3); }, vbErrSubscript, L"Quorvex", nullptr},
        {[] { throw std::runtime_error("boom"); }, vbErrInvalidArgument, L"Quorvex", L"boom"},
        {[] { throw 42; }, vbErrInvalidArgument, L"Quorvex", L"Invalid procedure call or argument"},
    };
    for (const auto& [action, number, source, description] : cases) {
        try {
            action();
            ADD_FAILURE() << "nothing raised: " << number;
        } catch (...) {
            const ErrorRecord record = CurrentError();
            EXPECT_EQ(record.Number, number);
            EXPECT_EQ(record.Source, source);
            if (description) {
                EXPECT_EQ(record.Description, description);
            }
        }
    }
    EXPECT_EQ(CurrentError().Number, 0) << "after the handler";
}

}  // namespace
