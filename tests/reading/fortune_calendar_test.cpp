#include "reading/fortune_calendar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

std::string marksText(const PeriodMarks& m) {
    std::string out;
    for (const MarkList* list : {&m.heaven, &m.earth, &m.human}) {
        for (int i = 0; i < list->count; ++i) {
            out += gradeMarkText(list->marks[i]);
        }
    }
    return out;
}

// The marks of the judgement, for the person's sex.
std::string tableMarks(CycleIndex base, CycleIndex running, PeriodFlags period, Sex sex) {
    return marksText(judgementMarks(base, running, period, sex));
}

FullChart chartOf(const BirthData& birth) {
    const auto full = readFullChart(birth);
    EXPECT_TRUE(full.has_value());
    return full.value_or(FullChart{});
}

TEST(FortuneCalendar, APersonsYearsCarryTheirJudgementsMarks) {
    // 20 May 1990, 10 h, a man: day 乙酉, luck from age 5: 壬午 癸未 … 辛卯.
    const FullChart chart = chartOf({1990, 5, 20, 10, Sex::Male});
    std::vector<CalendarRow> rows;
    ASSERT_EQ(calendarYears(chart, 1990, 1990 + kDefaultCalendarYears, rows), CalendarCheck::Ok);
    ASSERT_EQ(rows.size(), 101u);
    const CycleIndex day = chart.chart.dayPillar.index;
    for (const CalendarRow& r : rows) {
        EXPECT_EQ(r.age, r.year - 1990);
        EXPECT_EQ(marksText(r.marks), tableMarks(day, r.pillar, kCalendarPeriod, Sex::Male))
            << r.year;
        if (r.luck >= 0) {
            EXPECT_EQ(marksText(r.luckMarks), tableMarks(day, r.luckPillar, kLuckPeriod, Sex::Male))
                << r.year;
        }
    }
    const struct {
        int year;
        const char* pillar;
        const char* luck;  // "" before the first luck pillar
    } expected[] = {
        {1990, "庚午", ""},     {1994, "甲戌", ""},     {1995, "乙亥", "壬午"},
        {2004, "甲申", "壬午"}, {2005, "乙酉", "癸未"}, {2024, "甲辰", "甲申"},
        {2085, "乙巳", "辛卯"}, {2090, "庚戌", "辛卯"},
    };
    for (const auto& e : expected) {
        const CalendarRow& r = rows[static_cast<std::size_t>(e.year - 1990)];
        EXPECT_EQ(pillarTextView(r.pillar), sjis(e.pillar)) << e.year;
        EXPECT_EQ(r.luck >= 0 ? std::string(pillarTextView(r.luckPillar)) : std::string(),
                  sjis(e.luck))
            << e.year;
    }
    // 乙 against 庚午's year: 忍耐 with the women's marriage line, so no ☆ for a man; 長生, and 午
    // clashes with nothing of 酉.
    EXPECT_EQ(marksText(rows[0].marks), sjis("●〇"));
    const FullChart her = chartOf({1990, 5, 20, 10, Sex::Female});
    ASSERT_EQ(calendarYears(her, 1990, 1990, rows), CalendarCheck::Ok);
    EXPECT_EQ(marksText(rows[0].marks), sjis("☆●〇"));
}

TEST(FortuneCalendar, MonthsBeginAtTheirTermsAndDaysFollowTheCount) {
    const FullChart chart = chartOf({1990, 5, 20, 10, Sex::Female});
    std::vector<CalendarRow> rows;
    ASSERT_EQ(calendarMonths(chart, 1990, rows), CalendarCheck::Ok);
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(pillarTextView(rows[0].pillar), sjis("丁丑"));  // 小寒's month, still of 己巳
    EXPECT_EQ(pillarTextView(rows[4].pillar), sjis("辛巳"));
    EXPECT_EQ(rows[4].termDay, 6);
    EXPECT_EQ(rows[4].termHour, 4);
    EXPECT_EQ(pillarTextView(rows[11].pillar), sjis("戊子"));

    ASSERT_EQ(calendarDays(chart, 1990, 5, rows), CalendarCheck::Ok);
    ASSERT_EQ(rows.size(), 31u);
    EXPECT_EQ(rows[19].pillar, chart.chart.dayPillar.index);  // the birthday
    ASSERT_EQ(calendarDays(chart, 2000, 2, rows), CalendarCheck::Ok);
    EXPECT_EQ(rows.size(), 29u);
    EXPECT_EQ(rows[0].luck, 0);  // age 10, the first luck pillar from 4
}

TEST(FortuneCalendar, RefusesPeriodsOutsideTheLifeOrTheTables) {
    const FullChart chart = chartOf({1990, 5, 20, 10, Sex::Male});
    std::vector<CalendarRow> rows(3);
    const struct {
        int first, last;
    } spans[] = {{1989, 2000}, {1990, 1990 + kCalendarMaxAge + 1}, {2000, 1999}};
    for (const auto& s : spans) {
        EXPECT_EQ(calendarYears(chart, s.first, s.last, rows), CalendarCheck::OutOfRange);
        EXPECT_TRUE(rows.empty());
    }
    EXPECT_EQ(calendarYears(chart, 1990 + kCalendarMaxAge, 1990 + kCalendarMaxAge, rows),
              CalendarCheck::Ok);
    EXPECT_EQ(calendarMonths(chart, 2101, rows), CalendarCheck::OutOfRange);
    EXPECT_EQ(calendarMonths(chart, 1989, rows), CalendarCheck::OutOfRange);
    EXPECT_EQ(calendarDays(chart, 2000, 13, rows), CalendarCheck::OutOfRange);
    EXPECT_EQ(calendarDays(chart, 2000, 0, rows), CalendarCheck::OutOfRange);
    EXPECT_FALSE(calendarCheckMessage(CalendarCheck::OutOfRange).empty());
}

}  // namespace
}  // namespace quorvel
