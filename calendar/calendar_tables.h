#pragma once
// The two constant calendar tables, one record per year 1901-2100, and their lookups: the
// printed records up to 2000, then those computed at build time.
#include <cstdint>
#include <string_view>

#include "calendar/sexagenary.h"

namespace quorvel {

inline constexpr int kFirstTableYear = 1901;
inline constexpr int kLastTableYear = 2100;
inline constexpr std::size_t kYearPillarRecordLength = 28;
inline constexpr std::size_t kSolarTermRecordLength = 24;

inline constexpr int kTableYears = kLastTableYear - kFirstTableYear + 1;

extern const std::string_view YearPillarTable;  // 200 records of 28 digits
extern const std::string_view SolarTermTable;   // 200 records of 24 characters

struct YearPillarRecord {
    CycleIndex yearIndex = 0;          // the year that begins at 立春
    CycleIndex januaryMonthIndex = 0;  // the 丑 month from 小寒 to 立春
    CycleIndex firstDayIndex[12] = {};
};

// The day and even hour (Japan time) at which a month's sectional term begins.
struct SolarTerm {
    std::int32_t day = 0;
    std::int32_t hour = 0;
};

// The terms just outside the tables, which counts from births at either end of the range reach:
// 大雪 of December 1900 as printed, and 小寒 of January 2101 computed with the records after 2000
// (hours to the nearest even hour, as the table rounds; only the days enter a count).
inline constexpr SolarTerm kTaisetsuOfDecember1900{7, 22};
extern const SolarTerm kShokanOfJanuary2101;

constexpr bool isTableYear(int year) {
    return year >= kFirstTableYear && year <= kLastTableYear;
}

// A two-digit field "00"-"60"; the first character gives the tens, leading zero included.
constexpr int parseTwoDigits(const char* field) {
    return (field[0] - '0') * 10 + (field[1] - '0');
}

// A term pair: day digit, then hour letter "A" (0 h) to "L" (22 h).
constexpr SolarTerm parseTermPair(const char* pair) {
    return {pair[0] - '0', 2 * (pair[1] - 'A')};
}

// One field of a year's record without parsing the rest: 0 the year, 1 the January month,
// 2 + (m - 1) the first day of month m. The year must be in the table.
inline CycleIndex yearPillarField(int year, int field) {
    return parseTwoDigits(YearPillarTable.data() +
                          static_cast<std::size_t>(year - kFirstTableYear) *
                              kYearPillarRecordLength +
                          2 * static_cast<std::size_t>(field));
}

// For a year outside 1901-2100 these give an all-zero record; callers check first.
YearPillarRecord yearPillarRecord(int year);
SolarTerm solarTerm(int year, int month);

// Days of a month, by the Gregorian rule: 2000 is a leap year, 1900 and 2100 are not.
int monthLength(int year, int month);

}  // namespace quorvel
