// Numbers and code pages: what is read is written back and read the same.
#include <cmath>

#include "FuzzTarget.h"
#include "base/Numbers.h"
#include "base/Text.h"
#include "base/VbError.h"
#include "platform/AnsiCodePage.h"

FUZZ_TARGET(bytes) {
    // UTF-8 with the Windows-1250 fallback: decoded text survives a round trip.
    const std::wstring wide = base::Utf8ToWide(bytes);
    if (base::Utf8ToWide(base::WideToUtf8(wide)) != wide) __builtin_trap();
    const std::wstring ansi = platform::FromAnsi(bytes);
    if (platform::FromAnsi(platform::ToAnsi(ansi)) != ansi) __builtin_trap();
    // Windows-1250: every byte that has a character comes back as itself.
    const std::string cp = base::WideToCp1250(base::Cp1250ToWide(bytes));
    if (cp.size() != bytes.size()) __builtin_trap();
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (cp[i] != bytes[i] && base::Cp1250ToChar(static_cast<unsigned char>(bytes[i])) != L'\xFFFD') __builtin_trap();
    }

    // A number read, rounded and narrowed is written in decimal and reads back the same.
    const std::optional<double> number = base::ParseNumber(wide);
    if (number != base::ParseNumber(wide, L'.')) __builtin_trap();
    if (number) {
        const double rounded = base::RoundHalfEven(*number);
        if (std::isfinite(*number) && (std::fabs(rounded - *number) > 0.5 || rounded != std::nearbyint(rounded))) {
            __builtin_trap();
        }
        try {
            const int32_t whole = base::CLng(wide);
            if (base::CLng(base::DecStr(whole)) != whole) __builtin_trap();
            if (whole >= -32768 && whole <= 32767 && base::CInt(wide) != whole) __builtin_trap();
        } catch (const base::VbError& e) {
            if (e.Number() != base::vbErrOverflow) __builtin_trap();
        }
    } else {
        try {
            base::CInt(wide);
            __builtin_trap();
        } catch (const base::VbError& e) {
            if (e.Number() != base::vbErrTypeMismatch) __builtin_trap();
        }
    }
}
