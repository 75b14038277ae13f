#pragma once
// Calendar arithmetic of the log writer: day numbers (days since 1970-01-01)
// from a date and back, proleptic Gregorian calendar.

#include <cstdint>

namespace mdlLog::civil {

struct CivilDate {
    int64_t Year = 1970;
    int Month = 1;
    int Day = 1;
};

// Month and day must be in range here; DateSerial below rolls them over.
constexpr int64_t DaysFromCivil(int64_t lngYear, int lngMonth, int lngDay) {
    const int64_t y = lngYear - (lngMonth <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (lngMonth + (lngMonth > 2 ? -3 : 9)) + 2) / 5 + lngDay - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr CivilDate CivilFromDays(int64_t lngDays) {
    const int64_t z = lngDays + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// A month or day beyond its range rolls over into the following (or, for 0
// and below, the preceding) months or days: month 13 is January of the next
// year, day 0 the last day of the month before.
constexpr int64_t DateSerial(int64_t lngYear, int64_t lngMonth, int64_t lngDay) {
    const int64_t monthIndex = lngMonth - 1;
    const int64_t yearShift = monthIndex >= 0 ? monthIndex / 12 : -((11 - monthIndex) / 12);
    const int month = static_cast<int>(monthIndex - yearShift * 12 + 1);
    return DaysFromCivil(lngYear + yearShift, month, 1) + (lngDay - 1);
}

// Day number of 1899-12-30, day 0 of the serial dates in debug dumps.
inline constexpr int64_t kSerialDateEpoch = DaysFromCivil(1899, 12, 30);

static_assert(DaysFromCivil(1970, 1, 1) == 0);
static_assert(DateSerial(2026, 13, 1) == DaysFromCivil(2027, 1, 1));
static_assert(DateSerial(2026, 12, 0) == DaysFromCivil(2026, 11, 30));
static_assert(DateSerial(2026, 0, 1) == DaysFromCivil(2025, 12, 1));
static_assert(CivilFromDays(DaysFromCivil(2024, 2, 29)).Day == 29);

}  // namespace mdlLog::civil
