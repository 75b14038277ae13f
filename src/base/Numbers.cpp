#include "base/Numbers.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <limits>

#include "base/VbError.h"

namespace base {

namespace {
wchar_t gDecimalMark = L'.';

bool IsBlank(wchar_t ch) { return ch == L' ' || ch == L'\t'; }
bool IsDigit(wchar_t ch) { return ch >= L'0' && ch <= L'9'; }

// Power of ten of the first significant digit of a checked ASCII number
// ("-0.05e3" -> 1), so that an out-of-range result can be told to be huge or tiny.
long long DecimalMagnitude(const std::string& ascii) {
    const size_t e = ascii.find('e');
    const size_t mantissaEnd = e == std::string::npos ? ascii.size() : e;
    const size_t point = ascii.find('.');
    const size_t pointPos = point == std::string::npos || point > mantissaEnd ? mantissaEnd : point;
    long long magnitude = 0;
    bool found = false;
    for (size_t i = 0; i < mantissaEnd; ++i) {
        if (ascii[i] >= '1' && ascii[i] <= '9') {
            magnitude = i < pointPos ? static_cast<long long>(pointPos - i - 1) : -static_cast<long long>(i - pointPos);
            found = true;
            break;
        }
    }
    if (!found) return LLONG_MIN / 2;
    if (e != std::string::npos) {
        long long exponent = 0;
        bool negative = false;
        for (size_t i = e + 1; i < ascii.size(); ++i) {
            if (ascii[i] == '-') negative = true;
            else if (ascii[i] >= '0' && ascii[i] <= '9' && exponent < 1000000000LL) exponent = exponent * 10 + (ascii[i] - '0');
        }
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}
}  // namespace

wchar_t DecimalMark() noexcept { return gDecimalMark; }
void SetDecimalMark(wchar_t chMark) noexcept { gDecimalMark = chMark; }

std::optional<double> ParseNumber(std::wstring_view strText) { return ParseNumber(strText, gDecimalMark); }

std::optional<double> ParseNumber(std::wstring_view strText, wchar_t chDecimalMark) {
    size_t i = 0;
    const size_t n = strText.size();
    while (i < n && IsBlank(strText[i])) ++i;
    size_t end = n;
    while (end > i && IsBlank(strText[end - 1])) --end;

    // Validate the shape first and build a plain ASCII copy for the converter.
    std::string ascii;
    ascii.reserve(end - i);
    if (i < end && (strText[i] == L'+' || strText[i] == L'-')) {
        if (strText[i] == L'-') ascii.push_back('-');
        ++i;
    }
    size_t digits = 0;
    bool seenMark = false;
    for (; i < end; ++i) {
        const wchar_t ch = strText[i];
        if (IsDigit(ch)) {
            ascii.push_back(static_cast<char>(ch));
            ++digits;
        } else if (ch == chDecimalMark && !seenMark) {
            ascii.push_back('.');
            seenMark = true;
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < end && (strText[i] == L'e' || strText[i] == L'E')) {
        ascii.push_back('e');
        ++i;
        if (i < end && (strText[i] == L'+' || strText[i] == L'-')) ascii.push_back(static_cast<char>(strText[i++]));
        size_t expDigits = 0;
        for (; i < end && IsDigit(strText[i]); ++i, ++expDigits) ascii.push_back(static_cast<char>(strText[i]));
        if (expDigits == 0) return std::nullopt;
    }
    if (i != end) return std::nullopt;

    double value = 0;
    const auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ptr != ascii.data() + ascii.size()) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; a value too big for a double is not a number.
        if (DecimalMagnitude(ascii) > 0) return std::nullopt;
        return 0.0;
    }
    if (ec != std::errc()) return std::nullopt;
    return value;
}

bool IsNumeric(std::wstring_view strText) { return ParseNumber(strText).has_value(); }

double RoundHalfEven(double dblValue) noexcept {
    if (!std::isfinite(dblValue)) return dblValue;
    const double floorValue = std::floor(dblValue);
    const double diff = dblValue - floorValue;
    if (diff > 0.5) return floorValue + 1.0;
    if (diff < 0.5) return floorValue;
    return std::fmod(floorValue, 2.0) == 0.0 ? floorValue : floorValue + 1.0;
}

namespace {
template <typename T>
T Narrow(double dblValue) {
    const double rounded = RoundHalfEven(dblValue);
    if (std::isnan(rounded) || rounded < static_cast<double>(std::numeric_limits<T>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<T>::max())) {
        Raise(vbErrOverflow);
    }
    return static_cast<T>(rounded);
}

double NumberOrMismatch(std::wstring_view strText) {
    const auto value = ParseNumber(strText);
    if (!value) Raise(vbErrTypeMismatch);
    return *value;
}
}  // namespace

int16_t CInt(double dblValue) { return Narrow<int16_t>(dblValue); }
int32_t CLng(double dblValue) { return Narrow<int32_t>(dblValue); }
int16_t CInt(std::wstring_view strText) { return CInt(NumberOrMismatch(strText)); }
int32_t CLng(std::wstring_view strText) { return CLng(NumberOrMismatch(strText)); }

}  // namespace base
