#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <tuple>

#include "base/VbError.h"

namespace {

using namespace base;

TEST(VbErrorTest, CurrentErrorReadsTheErrorBeingHandled) {
    EXPECT_EQ(CurrentError().Number, 0) << "outside a handler";
    EXPECT_TRUE(CurrentError().Source.empty());
    try {
        Raise(vbObjectError + 1, L"(RegistryList)");
    } catch (...) {
        const ErrorRecord record = CurrentError();
        EXPECT_EQ(record.Number, -2147221503);
        EXPECT_EQ(record.Source, L"(RegistryList)");
        EXPECT_EQ(record.Description, L"");
    }
    try {
        Raise(vbObjectError, L"", L"Unsupported ValueType");
    } catch (...) {
        EXPECT_EQ(CurrentError().Source, L"Quorvex");
        EXPECT_EQ(CurrentError().Description, L"Unsupported ValueType");
    }
    EXPECT_EQ(CurrentError().Number, 0) << "after the handler";
}

TEST(VbErrorTest, StandardExceptionsGetClassicNumbers) {
    const std::tuple<std::function<void()>, int32_t, const wchar_t*> cases[] = {
        {[] { throw std::bad_alloc(); }, vbErrOutOfMemory, nullptr},
        {[] { (void)std::wstring().at(3); }, vbErrSubscript, nullptr},
        {[] { throw std::runtime_error("boom"); }, vbErrInvalidArgument, L"boom"},
        {[] { throw 42; }, vbErrInvalidArgument, nullptr},
    };
    for (const auto& [action, number, description] : cases) {
        try {
            action();
        } catch (...) {
            EXPECT_EQ(CurrentError().Number, number);
            if (description) {
                EXPECT_EQ(CurrentError().Description, description);
            }
        }
    }
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
