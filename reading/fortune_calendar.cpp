#include "reading/fortune_calendar.h"

#include "reading/reading_texts.h"

namespace quorvel {

namespace {

bool inLife(const BirthData& birth, int year) {
    const int age = ageInYear(birth, year);
    return age >= 0 && age <= kCalendarMaxAge;
}

// The marks of a period against the person's day pillar, for the person's sex.
PeriodMarks marksOf(const FullChart& chart, CycleIndex running, PeriodFlags period) {
    return judgementMarks(chart.chart.dayPillar.index, running, period, chart.birth.sex);
}

// Age, luck pillar and luck marks: what every row of one year shares.
CalendarRow rowOfYear(const FullChart& chart, int year) {
    CalendarRow row;
    row.year = year;
    row.age = ageInYear(chart.birth, year);
    row.luck = luckInForce(chart.chart, row.age);
    if (row.luck >= 0) {
        row.luckPillar = chart.chart.luckPillars[row.luck].pillar.index;
        row.luckMarks = marksOf(chart, row.luckPillar, kLuckPeriod);
    }
    return row;
}

}  // namespace

int ageInYear(const BirthData& birth, int year) {
    return year - birth.year;
}

int luckInForce(const Chart& chart, int age) {
    if (age < chart.startAge) {
        return -1;
    }
    const int k = (age - chart.startAge) / 10;
    return k < kLuckPillarCount ? k : -1;
}

CycleIndex yearPillarOf(int year) {
    return ((year - 1984) % 60 + 60) % 60 + 1;
}

CalendarCheck calendarYears(const FullChart& chart, int first, int last,
                            std::vector<CalendarRow>& rows) {
    rows.clear();
    if (first > last || !inLife(chart.birth, first) || !inLife(chart.birth, last)) {
        return CalendarCheck::OutOfRange;
    }
    rows.reserve(static_cast<std::size_t>(last - first + 1));
    for (int y = first; y <= last; ++y) {
        CalendarRow row = rowOfYear(chart, y);
        row.pillar = yearPillarOf(y);
        row.marks = marksOf(chart, row.pillar, kCalendarPeriod);
        rows.push_back(row);
    }
    return CalendarCheck::Ok;
}

CalendarCheck calendarMonths(const FullChart& chart, int year, std::vector<CalendarRow>& rows) {
    rows.clear();
    if (!isTableYear(year) || !inLife(chart.birth, year)) {
        return CalendarCheck::OutOfRange;
    }
    rows.reserve(12);
    const CalendarRow shared = rowOfYear(chart, year);
    for (int m = 1; m <= 12; ++m) {
        CalendarRow row = shared;
        row.month = m;
        row.pillar = stepPillar(yearPillarField(year, 1), m - 1);
        const SolarTerm term = solarTerm(year, m);
        row.termDay = term.day;
        row.termHour = term.hour;
        row.marks = marksOf(chart, row.pillar, kCalendarPeriod);
        rows.push_back(row);
    }
    return CalendarCheck::Ok;
}

CalendarCheck calendarDays(const FullChart& chart, int year, int month,
                           std::vector<CalendarRow>& rows) {
    rows.clear();
    if (!isTableYear(year) || month < 1 || month > 12 || !inLife(chart.birth, year)) {
        return CalendarCheck::OutOfRange;
    }
    const int days = monthLength(year, month);
    rows.reserve(static_cast<std::size_t>(days));
    const CycleIndex first = yearPillarField(year, 2 + month - 1);
    const CalendarRow shared = rowOfYear(chart, year);
    for (int d = 1; d <= days; ++d) {
        CalendarRow row = shared;
        row.month = month;
        row.day = d;
        row.pillar = stepPillar(first, d - 1);
        row.marks = marksOf(chart, row.pillar, kCalendarPeriod);
        rows.push_back(row);
    }
    return CalendarCheck::Ok;
}

std::string_view calendarCheckMessage(CalendarCheck check) {
    return check == CalendarCheck::Ok ? std::string_view() : text::calendarSpanMessage;
}

}  // namespace quorvel
