#pragma once
// The fortune calendar (運勢暦) of a person: the years of a life, the months of a year and the
// days of a month, each with its pillar, the luck pillar in force and the marks of its judgement
// against the day pillar, for the person's sex (judgementMarks).
//
// Ages count as the luck pillars count them: a person is 0 in the year of birth and the k-th
// luck pillar is in force from the year its starting age is reached; before the first there is
// none. Pure values; the rows are built by value and nothing is kept between calls.
#include <cstdint>
#include <string_view>
#include <vector>

#include "judgement/judgement.h"
#include "judgement/judgement_marks.h"
#include "judgement/relations.h"
#include "reading/full_chart.h"

namespace quorvel {

// Flags for a year, month or day, and for a ten-year luck period.
inline constexpr PeriodFlags kCalendarPeriod{0, 1};
inline constexpr PeriodFlags kLuckPeriod{1, 0};

// The person's age in a Western year, and the luck pillar in force at an age (0-9, or -1 before
// the first).
int ageInYear(const BirthData& birth, int year);
int luckInForce(const Chart& chart, int age);

// The year pillar of a Western year, which begins at 立春; by rule, so any year has one.
CycleIndex yearPillarOf(int year);

struct CalendarRow {
    std::int32_t year = 0;
    std::int32_t month = 0;  // 0 in a row of years
    std::int32_t day = 0;    // 0 in rows of years and months
    std::int32_t age = 0;
    CycleIndex pillar = 0;
    PeriodMarks marks;  // the period against the day pillar
    // Rows of months: the day and hour (the tables' even hour) at which the month's term begins.
    std::int32_t termDay = 0;
    std::int32_t termHour = 0;
    std::int32_t luck = -1;  // the luck pillar in force, 0-9, or -1
    CycleIndex luckPillar = 0;
    PeriodMarks luckMarks;  // the luck period against the day pillar
};

// The years a calendar covers: from the birth year to 120 years on.
inline constexpr int kCalendarMaxAge = 120;
inline constexpr int kDefaultCalendarYears = 100;  // the default span ends 100 years on

// Why a period was refused.
enum class CalendarCheck : std::uint8_t { Ok, OutOfRange };

// Years first..last, both within the birth year and kCalendarMaxAge years on.
CalendarCheck calendarYears(const FullChart& chart, int first, int last,
                            std::vector<CalendarRow>& rows);
// The twelve months of a year of the tables (1901-2100), 小寒's month first: each row's pillar
// is the month that begins at that Western month's term.
CalendarCheck calendarMonths(const FullChart& chart, int year, std::vector<CalendarRow>& rows);
// The days of a month of the tables.
CalendarCheck calendarDays(const FullChart& chart, int year, int month,
                           std::vector<CalendarRow>& rows);

// Shift-JIS: what to tell a user whose period was refused.
std::string_view calendarCheckMessage(CalendarCheck check);

}  // namespace quorvel
