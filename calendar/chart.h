#pragma once
// A person's chart (命造): the four pillars of birth and the ten luck pillars (大運).
#include <cstdint>

#include "calendar/calendar_tables.h"
#include "calendar/sex.h"
#include "calendar/sexagenary.h"

namespace quorvel {

struct Pillar {
    CycleIndex index = 0;
    char text[8] = {};  // Shift-JIS, four bytes and a terminating zero
};

struct LuckPillar {
    Pillar pillar;
    std::int32_t fromAge = 0;
    char ageText[8] = {};  // "%1d" for the first pillar, "%2d" for the others
};

inline constexpr int kLuckPillarCount = 10;

struct Chart {
    Pillar yearPillar;
    Pillar monthPillar;
    Pillar dayPillar;
    Pillar hourPillar;
    bool luckForward = false;  // 順行 when true, 逆行 when false
    std::int32_t startAge = 0;
    std::int32_t startAgeMonths = 0;  // the luck start in whole months (days × 4 by the tables)
    bool hourKnown = true;            // false: no hour pillar, its text reads 不明
    LuckPillar luckPillars[kLuckPillarCount];
};

// What keeps a birth from being computed, checked in this order.
// SummerTimeGap: a clock reading the start of summer time skipped, when summer time is applied.
enum class BirthCheck { Ok, YearOutOfRange, NoSuchDate, HourOutOfRange, SummerTimeGap };

// The one check every caller relies on: year 1901-2100, month 1-12, a day of that month, hour
// 0-23.
BirthCheck checkBirth(int year, int month, int day, int hour);
inline bool isComputableBirth(int year, int month, int day, int hour) {
    return checkBirth(year, month, day, hour) == BirthCheck::Ok;
}

// True when a birth on (day, hour) of the term's month lies before the term begins; a birth in
// the term's own hour counts as after it.
constexpr bool isBeforeTerm(int day, int hour, SolarTerm term) {
    return day < term.day || (day == term.day && hour < term.hour);
}

// Fills the whole chart. A birth that is not computable leaves the chart untouched and gives
// false, so no caller can make the computation read outside its tables.
bool computeChart(Chart& chart, Sex sex, int year, int month, int day, int hour);

// The second half of the chart: direction, starting age and the ten luck pillars, from the year
// pillar Y (after the 立春 step), the month pillar M and the term T of the birth month.
void computeLuckPillars(Chart& chart, Sex sex, int year, int month, int day, int hour,
                        CycleIndex yearIndex, CycleIndex monthIndex, SolarTerm term);

// The direction of the luck pillars: forward for a man of a yang year and a woman of a yin one.
bool luckRunsForward(Sex sex, CycleIndex yearIndex);
// The ten luck pillars from the month pillar, the first from `startAge`.
void setLuckPillars(Chart& chart, bool forward, int startAge, int startAgeMonths,
                    CycleIndex monthIndex);

// The 子 hour pillar of a day and the pillar of an hour 0-23 of it, 23 taking the next day's 子.
CycleIndex ratHourOf(CycleIndex dayPillar);
CycleIndex hourPillarOf(CycleIndex dayPillar, int hour);

}  // namespace quorvel
