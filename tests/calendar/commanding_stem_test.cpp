// The hidden stems by days from the term and the stem in command at a birth.
#include "calendar/commanding_stem.h"

#include <gtest/gtest.h>

#include "calendar/birth_reading.h"
#include "calendar/chart_details.h"

namespace quorvel {
namespace {

constexpr HiddenTable kTables[] = {HiddenTable::Classical, HiddenTable::Simplified,
                                   HiddenTable::Sanmei};
constexpr int kMinutesPerDay = 24 * 60;

Branch branchNo(int b) {
    return static_cast<Branch>(b);
}

// Every row shares out a month of 30 days: 余気, then 中気, then 本気, the last always the main
// stem of the Chinese order, which the elements count by.
TEST(CommandingStem, EveryRowSharesThirtyDaysEndingInTheMainStem) {
    for (const HiddenTable table : kTables) {
        for (int b = 1; b <= 12; ++b) {
            const HiddenByDays row = hiddenByDays(branchNo(b), table);
            ASSERT_GE(row.count, 1);
            ASSERT_LE(row.count, 3);
            int days = 0;
            for (int i = 0; i < row.count; ++i) {
                EXPECT_GT(row.spans[i].days, 0);
                days += row.spans[i].days;
                if (i > 0) {
                    EXPECT_LT(row.spans[i - 1].kind, row.spans[i].kind) << b;
                }
            }
            EXPECT_EQ(days, 30) << ruleWord(table) << " " << b;
            EXPECT_EQ(row.spans[row.count - 1].kind, HiddenKind::Main) << b;
            EXPECT_EQ(row.spans[row.count - 1].stem, hiddenStems(branchNo(b)).stems[0]) << b;
        }
    }
}

// The stem changes at the minute its days end, a day earlier where the term's day is day 1; the
// 本気 holds past day 30.
TEST(CommandingStem, TheStemChangesExactlyAtEachSpansEnd) {
    for (const HiddenTable table : kTables) {
        for (int b = 1; b <= 12; ++b) {
            const HiddenByDays row = hiddenByDays(branchNo(b), table);
            int end = 0;
            for (int i = 0; i + 1 < row.count; ++i) {
                end += row.spans[i].days;
                const std::int64_t at = std::int64_t{end} * kMinutesPerDay;
                EXPECT_EQ(commandingSpan(row, commandingDays(at - 1, false)).kind,
                          row.spans[i].kind);
                EXPECT_EQ(commandingSpan(row, commandingDays(at, false)).kind,
                          row.spans[i + 1].kind);
                EXPECT_EQ(commandingSpan(row, commandingDays(at - kMinutesPerDay, true)).kind,
                          row.spans[i + 1].kind);
                EXPECT_EQ(commandingSpan(row, commandingDays(at - kMinutesPerDay - 1, true)).kind,
                          row.spans[i].kind);
            }
            EXPECT_EQ(commandingSpan(row, commandingDays(0, false)).stem, row.spans[0].stem);
            EXPECT_EQ(commandingSpan(row, commandingDays(-5, false)).stem, row.spans[0].stem);
            EXPECT_EQ(commandingSpan(row, commandingDays(32 * kMinutesPerDay, true)).kind,
                      HiddenKind::Main);
        }
    }
}

// A minute of a day; minute -1 is the day before's last.
BirthTime at(int y, int mo, int d, int minuteOfDay) {
    if (minuteOfDay < 0) {
        return {y, mo, d - 1, 23, 59};
    }
    return {y, mo, d, minuteOfDay / 60, minuteOfDay % 60};
}

// The days since the term start at the term's minute, as each term rule places it; the minute
// before belongs to the month before, all but a minute of it gone.
TEST(CommandingStem, DaysSinceTheTermAtItsMinuteAndTheMinuteBefore) {
    struct Case {
        int year, month;
    } const cases[] = {{1984, 2}, {1990, 5}, {1945, 10}, {2024, 12}, {1901, 1}};
    for (const TermRule rule : {TermRule::Table, TermRule::Exact}) {
        ChartRules rules;
        rules.terms = rule;
        for (const Case& c : cases) {
            // Where the rule puts this month's term and the one before, in minutes of the month.
            const auto termMinute = [&](int year, int month) {
                if (rule == TermRule::Exact) {
                    const TermMoment t = termMoment(year, month);
                    return t.hour * 60 + t.minute;
                }
                return solarTerm(year, month).hour * 60;
            };
            const int termDay = rule == TermRule::Exact ? termMoment(c.year, c.month).day
                                                        : solarTerm(c.year, c.month).day;
            const int minute = termMinute(c.year, c.month);
            Chart chart;
            BirthReading atTerm, before;
            ASSERT_EQ(readBirth(chart, atTerm, Sex::Male, at(c.year, c.month, termDay, minute),
                                rules, {}),
                      BirthCheck::Ok);
            ASSERT_EQ(readBirth(chart, before, Sex::Male, at(c.year, c.month, termDay, minute - 1),
                                rules, {}),
                      BirthCheck::Ok);
            EXPECT_EQ(atTerm.minutesSinceTerm, 0) << c.year << "-" << c.month;
            // The month before lasts 28 to 32 days, less the minute.
            EXPECT_GE(before.minutesSinceTerm, 28 * kMinutesPerDay - 1) << c.year;
            EXPECT_LE(before.minutesSinceTerm, 32 * kMinutesPerDay - 1) << c.year;
            EXPECT_EQ((before.minutesSinceTerm + 1) % (rule == TermRule::Table ? 120 : 1), 0);
        }
    }
}

// The luck start in months either side of a term: forward, a birth just before the term reaches
// it at once and one at the term has the whole month to go; backward, the other way round.
TEST(CommandingStem, TheLuckStartInMonthsEitherSideOfATerm) {
    const TermMoment term = termMoment(1990, 5);  // 立夏 1990, in a 庚午 (yang) year
    const int minute = term.hour * 60 + term.minute;
    struct Case {
        Sex sex;
        TermRule rule;
        bool beforeIsZero;  // the birth a minute before the term starts its luck at 0
    } const cases[] = {
        {Sex::Male, TermRule::Exact, true},
        {Sex::Female, TermRule::Exact, false},
        {Sex::Male, TermRule::Table, true},
        {Sex::Female, TermRule::Table, false},
    };
    for (const Case& c : cases) {
        ChartRules rules;
        rules.terms = c.rule;
        const int termMinute = c.rule == TermRule::Exact ? minute : solarTerm(1990, 5).hour * 60;
        const int termDay = c.rule == TermRule::Exact ? term.day : solarTerm(1990, 5).day;
        Chart before, after;
        BirthReading r;
        ASSERT_EQ(readBirth(before, r, c.sex, at(1990, 5, termDay, termMinute - 1), rules, {}),
                  BirthCheck::Ok);
        ASSERT_EQ(readBirth(after, r, c.sex, at(1990, 5, termDay, termMinute), rules, {}),
                  BirthCheck::Ok);
        const Chart& zero = c.beforeIsZero ? before : after;
        const Chart& whole = c.beforeIsZero ? after : before;
        EXPECT_EQ(zero.startAgeMonths, 0);
        // About a month of days, four months each: 28 to 32 days.
        EXPECT_GE(whole.startAgeMonths, 4 * 28) << static_cast<int>(c.rule);
        EXPECT_LE(whole.startAgeMonths, 4 * 32) << static_cast<int>(c.rule);
        EXPECT_EQ(whole.startAge, whole.startAgeMonths / 12);
        if (c.rule == TermRule::Table) {
            EXPECT_EQ(whole.startAgeMonths % 4, 0);  // whole days by the tables
        }
    }
}

}  // namespace
}  // namespace quorvel
