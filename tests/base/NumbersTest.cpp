#include <gtest/gtest.h>

#include <cmath>

#include "base/Numbers.h"
#include "base/TestSupport.h"

namespace {

using namespace base;
using test_support::ErrorNumber;

TEST(NumbersTest, NumericForms) {
    const std::pair<const wchar_t*, double> accepted[] = {
        {L"0", 0},      {L" 12 ", 12},  {L"\t7\t", 7},    {L"-3", -3},       {L"+4", 4},          {L".5", 0.5},
        {L"5.", 5},     {L"-.25", -0.25}, {L"1E+2", 100}, {L"25e-1", 2.5},   {L"  -2.5e1  ", -25}, {L"007", 7},
        {L"1e-400", 0}, {L"1000e-310", 1e-307},
    };
    for (const auto& [text, value] : accepted) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        const auto parsed = ParseNumber(text);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_DOUBLE_EQ(*parsed, value);
        EXPECT_TRUE(IsNumeric(text));
    }
    for (const wchar_t* text : {L"", L" ", L".", L"-", L"1e", L"1e+", L"e5", L"12abc", L"1 2", L"1..2", L"--1", L"- 1",
                                L"0x10", L"&H10", L"1,5", L"1e999", L"0.01e311", L"100e307", L"١٢", L"12\x00A0"}) {
        EXPECT_FALSE(IsNumeric(text)) << testing::PrintToString(std::wstring(text));
    }
}

TEST(NumbersTest, UsesTheGivenDecimalMark) {
    EXPECT_DOUBLE_EQ(*ParseNumber(L"1,5", L','), 1.5);
    EXPECT_FALSE(ParseNumber(L"1.5", L',').has_value());
    const wchar_t previous = DecimalMark();
    SetDecimalMark(L',');
    EXPECT_TRUE(IsNumeric(L"2,5"));
    EXPECT_FALSE(IsNumeric(L"2.5"));
    SetDecimalMark(previous);
}

TEST(NumbersTest, RoundsHalfToEven) {
    const double cases[][2] = {{2.5, 2},  {3.5, 4}, {-2.5, -2}, {-3.5, -4},      {0.5, 0},
                               {2.6, 3},  {-0.4, 0}, {1e300, 1e300}, {-32768.5, -32768}};
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c[0]), c[1]) << c[0];
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""))));
}

TEST(NumbersTest, NarrowsWithOverflowCheck) {
    EXPECT_EQ(CInt(L"32767.4"), 32767);
    EXPECT_EQ(CInt(L"-32768.5"), -32768);
    EXPECT_EQ(CInt(-32768.0), -32768);
    EXPECT_EQ(CLng(L"2147483647"), 2147483647);
    EXPECT_EQ(CLng(L"-2147483648.5"), INT32_MIN);

    EXPECT_EQ(ErrorNumber([] { CInt(L"32767.5"); }), vbErrOverflow);
    EXPECT_EQ(ErrorNumber([] { CInt(L"-32769"); }), vbErrOverflow);
    EXPECT_EQ(ErrorNumber([] { CLng(L"2147483647.5"); }), vbErrOverflow);
    EXPECT_EQ(ErrorNumber([] { CLng(std::nan("")); }), vbErrOverflow);
    EXPECT_EQ(ErrorNumber([] { CLng(L"12abc"); }), vbErrTypeMismatch);
}

}  // namespace
