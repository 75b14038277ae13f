#include <gtest/gtest.h>

#include <stdexcept>

#include "base/VbError.h"

namespace {

TEST(VbErrorTest, CurrentErrorReadsTheErrorBeingHandled) {
    EXPECT_EQ(base::CurrentError().Number, 0) << "outside a handler";
    EXPECT_TRUE(base::CurrentError().Source.empty());

    try {
        base::Raise(base::vbObjectError + 1, L"(RegistryList)");
    } catch (...) {
        const base::ErrorRecord record = base::CurrentError();
        EXPECT_EQ(record.Number, -2147221503);
        EXPECT_EQ(record.Source, L"(RegistryList)");
        EXPECT_EQ(record.Description, L"");
    }
    try {
        base::Raise(base::vbObjectError, L"", L"Unsupported ValueType");
    } catch (...) {
        const base::ErrorRecord record = base::CurrentError();
        EXPECT_EQ(record.Number, -2147221504);
        EXPECT_EQ(record.Source, L"Quorvex");
        EXPECT_EQ(record.Description, L"Unsupported ValueType");
    }
    EXPECT_EQ(base::CurrentError().Number, 0) << "after the handler";
}

TEST(VbErrorTest, StandardExceptionsGetClassicNumbers) {
    try {
        throw std::bad_alloc();
    } catch (...) {
        EXPECT_EQ(base::CurrentError().Number, base::vbErrOutOfMemory);
    }
    try {
        std::wstring().at(3);
    } catch (...) {
        EXPECT_EQ(base::CurrentError().Number, base::vbErrSubscript);
    }
    try {
        throw std::runtime_error("boom");
    } catch (...) {
        EXPECT_EQ(base::CurrentError().Number, base::vbErrInvalidArgument);
        EXPECT_EQ(base::CurrentError().Description, L"boom");
    }
    try {
        throw 42;
    } catch (...) {
        EXPECT_EQ(base::CurrentError().Number, base::vbErrInvalidArgument);
    }
}

TEST(VbErrorTest, RaiseFillsStandardDescriptions) {
    for (int32_t number : {5, 6, 7, 9, 13, 93, 457}) {
        try {
            base::Raise(number);
        } catch (const base::VbError& e) {
            EXPECT_EQ(e.Number(), number);
            EXPECT_FALSE(e.Description().empty()) << number;
        }
    }
}

}  // namespace
