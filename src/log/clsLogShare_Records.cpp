// Event and debug records: the record line, its outputs, and the rendering
// of debug dumps.
#include <charconv>
#include <cmath>
#include <variant>

#include "base/Text.h"
#include "log/CivilDays.h"
#include "log/clsLogShare.h"
#include "log/mdlTimer.h"
#include "platform/Machine.h"

namespace {

constexpr size_t kMaskMinLen = 37;
constexpr size_t kMaskMaxLen = 50;
constexpr size_t kItemMaxLen = 128;
constexpr size_t kDebugMaxLen = 2048;

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

std::wstring Padded(int64_t lngValue, size_t lngWidth) {
    std::wstring text = base::DecStr(lngValue);
    if (text.size() < lngWidth) text.insert(0, lngWidth - text.size(), L'0');
    return text;
}

wchar_t DecimalSign() { return platform::Host().system->DecimalSeparator(); }

bool IsHighSurrogate(wchar_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool IsLowSurrogate(wchar_t ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }

// The first lngCount characters of strText, one fewer where the cut would
// part a surrogate pair (UTF-16 builds).
std::wstring_view Head(std::wstring_view strText, size_t lngCount) {
    if (lngCount >= strText.size()) return strText;
    if (lngCount > 0 && IsHighSurrogate(strText[lngCount - 1]) && IsLowSurrogate(strText[lngCount])) --lngCount;
    return strText.substr(0, lngCount);
}

// Shortest text of a floating value with at most lngDigits significant
// digits, exponent form for very large and very small values ("1.5E-05").
template <typename T>
std::wstring FloatText(T value, int lngDigits) {
    if (std::isnan(value)) return L"NaN";
    if (std::isinf(value)) return value < 0 ? L"-Infinity" : L"Infinity";
    char buffer[64];
    const std::to_chars_result done =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, lngDigits);
    std::wstring text;
    for (const char* p = buffer; p != done.ptr; ++p) {
        if (*p == '.') {
            text += DecimalSign();
        } else if (*p == 'e') {
            text += L'E';
        } else {
            text += static_cast<wchar_t>(*p);
        }
    }
    return text;
}

// Ten-thousandths as a number with up to four decimals ("1.5", "-0.0001", "2").
std::wstring CurrencyText(int64_t lngScaled) {
    const uint64_t magnitude = lngScaled < 0 ? 0 - static_cast<uint64_t>(lngScaled) : static_cast<uint64_t>(lngScaled);
    std::wstring text = lngScaled < 0 ? L"-" : L"";
    text += base::DecStr(static_cast<int64_t>(magnitude / 10000));
    std::wstring fraction = Padded(static_cast<int64_t>(magnitude % 10000), 4);
    while (!fraction.empty() && fraction.back() == L'0') fraction.pop_back();
    if (!fraction.empty()) text += DecimalSign() + fraction;
    return text;
}

// A serial date (whole days since 1899-12-30; the size of the fraction is
// the time of day, also below 0) as "YYYY-MM-DD", with " HH:MM:SS" when it
// has a time of day. The same form on every build, so that dumps from any
// machine read alike.
std::wstring DateText(double dblSerial) {
    // Beyond the years 100 to 9999 a date variant cannot exist; show the number.
    if (!std::isfinite(dblSerial) || std::fabs(dblSerial) > 3.0e6) return FloatText(dblSerial, 15);
    int64_t days = static_cast<int64_t>(std::trunc(dblSerial));
    int64_t seconds = std::llround(std::fabs(dblSerial - static_cast<double>(days)) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += dblSerial < 0 ? -1 : 1;
    }
    const mdlLog::civil::CivilDate date = mdlLog::civil::CivilFromDays(mdlLog::civil::kSerialDateEpoch + days);
    std::wstring text = Padded(date.Year, 4) + L"-" + Padded(date.Month, 2) + L"-" + Padded(date.Day, 2);
    if (seconds != 0) {
        text += L" " + Padded(seconds / 3600, 2) + L":" + Padded(seconds / 60 % 60, 2) + L":" + Padded(seconds % 60, 2);
    }
    return text;
}

// An object by its class name or name, with ":" and its instance id when it
// has one; its type name when neither can be read.
std::wstring ObjectText(const mdlLog::LogObject& objValue) {
    std::wstring name;
    bool failed = false;
    if (objValue.ClassName) {
        name = *objValue.ClassName;
    } else if (objValue.Name) {
        name = *objValue.Name;
    } else {
        failed = true;
    }
    if (!failed && objValue.InstanceID && *objValue.InstanceID >= 0) name += L":" + base::DecStr(*objValue.InstanceID);
    if (name.empty()) name = objValue.TypeName;
    if (name.empty()) name = L"???";
    return name;
}

}  // namespace

std::wstring clsLogShare::GetRecTypeLabel(int32_t eRecType) {
    switch (eRecType) {
        case mdlLog::InfoLog: return L"InfoLog:  ";
        case mdlLog::SysLog: return L"SysLog:   ";
        case mdlLog::ERRLOG: return L"#ERRLOG#: ";
        case mdlLog::DebugLog: return L"DebugLog: ";
        case mdlLog::Perf_I: return L"Perf_I:   ";
        case mdlLog::Perf_II: return L"Perf_II:  ";
        case mdlLog::Perf_III: return L"Perf_III: ";
        case mdlLog::Perf_SQL: return L"Perf_SQL: ";
        default: return {};
    }
}

std::wstring clsLogShare::GetTimeStamp() {
    platform::SystemInfo& system = *platform::Host().system;
    const platform::LocalDateTime now = platform::Host().clock->Now();
    const std::wstring date = system.DateSeparator();
    const std::wstring time = system.TimeSeparator();
    return Padded(now.Year, 4) + date + Padded(now.Month, 2) + date + Padded(now.Day, 2) + L" " + Padded(now.Hour, 2) +
           time + Padded(now.Minute, 2) + time + Padded(now.Second, 2);
}

std::wstring clsLogShare::MaskHexValue(std::wstring_view strValue, size_t lngMinLen, size_t lngMaxLen) {
    // Long runs of hexadecimal digits are keys, hashes or handles: they never
    // reach a log file in clear.
    if (strValue.size() < lngMinLen || strValue.size() > lngMaxLen) return std::wstring(strValue);
    for (wchar_t ch : strValue) {
        const bool hex = (ch >= L'0' && ch <= L'9') || (ch >= L'A' && ch <= L'F') || (ch >= L'a' && ch <= L'f') ||
                         ch == L'H' || ch == L'h' || ch == L'&';
        if (!hex) return std::wstring(strValue);
    }
    return std::wstring(strValue.size(), L'*');
}

bool clsLogShare::AppendRecord(const std::wstring& strFile, std::wstring_view strLine) {
    try {
        // Continuation lines are indented under the record.
        std::wstring text;
        text.reserve(strLine.size() + 2);
        for (wchar_t ch : strLine) {
            text += ch;
            if (ch == L'\n') text += L"\t\t";
        }
        text += L"\r\n";
        return platform::Host().files->AppendText(strFile, text);
    } catch (...) {
        return false;
    }
}

bool clsLogShare::SetEvent(std::wstring_view strText, int32_t eRecType, int32_t lngComponentID) {
    try {
        if (!ValidComponent(lngComponentID) || eRecType < 0 || eRecType >= kRecTypeCount) return false;
        const int32_t state = mComponents[lngComponentID].alngStates[eRecType];
        if (state == clsLogCfg::kOff) return true;

        std::wstring line = GetRecTypeLabel(eRecType) + GetTimeStamp();
        if (eRecType >= mdlLog::Perf_I) {
            line += L" \"Timestamp=" +
                    mdlTimer::FormatClock(mdlTimer::GetElapsedSeconds(mcurStartTicks, mdlTimer::GetTicks())) + L"\"  ";
        }
        line += L'\t';
        line += strText;

        bool result = false;
        if ((state & clsLogCfg::kFile) != 0) {
            const std::wstring file = GetLogFileName(eRecType);
            if (!file.empty()) result = AppendRecord(file, line);
        }
        // With channels in the names, the debug file shows every record in order.
        if (eRecType != mdlLog::DebugLog && (mlngFileNameMode & 2) != 0 &&
            (mComponents[lngComponentID].alngStates[mdlLog::DebugLog] & clsLogCfg::kFile) != 0) {
            const std::wstring file = GetLogFileName(mdlLog::DebugLog);
            if (!file.empty()) result = AppendRecord(file, line);
        }
        if ((state & clsLogCfg::kMsgBox) != 0) {
            const int32_t answer = platform::Host().dialogs->MessageBox(line, L"clsLogShare", platform::kMbOkCancel);
            if (answer == platform::kIdCancel) {
                // The default component's empty name reaches every component.
                const std::wstring name = mComponents[lngComponentID].strName;
                Enable(eRecType, name, clsLogCfg::kFile);
            }
        }
        return result;
    } catch (...) {
        return false;
    }
}

bool clsLogShare::SetDebug(std::wstring_view strText, const mdlLog::LogValues& vParams, int32_t lngComponentID) {
    try {
        std::wstring all(strText);
        for (const mdlLog::LogValue& value : vParams) {
            std::wstring item;
            try {
                item = std::visit(
                    Overloaded{
                        [](const mdlLog::LogEmpty&) -> std::wstring { return L"empty, "; },
                        [](const mdlLog::LogNull&) -> std::wstring { return L"null, "; },
                        [](int16_t v) -> std::wstring { return base::DecStr(v) + L"(int), "; },
                        [](int32_t v) -> std::wstring { return base::DecStr(v) + L"(long), "; },
                        [](float v) -> std::wstring { return FloatText(v, 7) + L"(single), "; },
                        [](double v) -> std::wstring { return FloatText(v, 15) + L"(double), "; },
                        [](const mdlLog::LogCurrency& v) -> std::wstring { return CurrencyText(v.Scaled) + L"(curr), "; },
                        [](const mdlLog::LogDate& v) -> std::wstring { return DateText(v.Serial) + L"(date), "; },
                        [](const std::wstring& v) -> std::wstring {
                            return MaskHexValue(v, kMaskMinLen, kMaskMaxLen) + L", ";
                        },
                        [](const mdlLog::LogObject& v) -> std::wstring { return ObjectText(v) + L"(obj), "; },
                        [](const mdlLog::LogErrorValue& v) -> std::wstring {
                            return L"Error " + base::DecStr(v.Code) + L"(err), ";
                        },
                        [](const mdlLog::LogMissing&) -> std::wstring { return L"(missing), "; },
                        [](bool v) -> std::wstring { return std::wstring(v ? L"True" : L"False") + L"(bln), "; },
                        [](const mdlLog::LogVariantText& v) -> std::wstring {
                            return MaskHexValue(v.Text, kMaskMinLen, kMaskMaxLen) + L"(var), ";
                        },
                        [](const mdlLog::LogDataObject& v) -> std::wstring { return v.Name + L"(dtobj), "; },
                        [](const mdlLog::LogDecimal& v) -> std::wstring { return v.Text + L"(dec), "; },
                        [](uint8_t v) -> std::wstring { return base::DecStr(v) + L"(byte), "; },
                        [](const mdlLog::LogUserType&) -> std::wstring { return L"(usertype), "; },
                        [](const mdlLog::LogArray&) -> std::wstring { return L"(array), "; },
                        [](const mdlLog::LogUnknown&) -> std::wstring { return L"(unknow), "; },
                    },
                    value);
            } catch (...) {
                // A value that cannot be rendered leaves its item empty.
            }
            if (item.size() <= kItemMaxLen) {
                all += item;
                continue;
            }
            // A long item keeps its head and its type tag.
            const size_t paren = item.rfind(L'(');
            if (paren != std::wstring::npos && paren + 1 > kItemMaxLen) {
                all += Head(item, kItemMaxLen);
                all += L"...";
                all += std::wstring_view(item).substr(paren);
            } else {
                all += item;
            }
        }
        while (all.size() >= 2 && all.compare(all.size() - 2, 2, L", ") == 0) all.resize(all.size() - 2);
        if (all.size() > kDebugMaxLen) all.resize(Head(all, kDebugMaxLen).size());
        return SetEvent(all, mdlLog::DebugLog, lngComponentID);
    } catch (...) {
        return false;
    }
}
