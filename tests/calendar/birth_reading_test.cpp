#include "calendar/birth_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "calendar/birth_notices.h"
#include "calendar/chart_details.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

BirthTime at(int y, int mo, int d, int h, int mi = kMinutesUnknown) {
    return {y, mo, d, h, mi};
}

bool hasNotice(const BirthReading& r, NoticeKind kind) {
    for (int i = 0; i < r.notices.count; ++i) {
        if (r.notices.items[i].kind == kind) {
            return true;
        }
    }
    return false;
}

// The default rules are the printed tables' reading: every pillar and luck start as before.
TEST(BirthReading, ClassicRulesGiveTheTablesChart) {
    for (int year = 1901; year <= 2100; year += 3) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= monthLength(year, month); day += 2) {
                for (int hour = (day % 3); hour < 24; hour += 3) {
                    for (const Sex sex : {Sex::Male, Sex::Female}) {
                        Chart expected, actual;
                        BirthReading reading;
                        ASSERT_TRUE(computeChart(expected, sex, year, month, day, hour));
                        ASSERT_EQ(readBirth(actual, reading, sex, at(year, month, day, hour),
                                            kClassicRules, {}),
                                  BirthCheck::Ok);
                        ASSERT_EQ(std::memcmp(&expected, &actual, sizeof expected), 0)
                            << year << '-' << month << '-' << day << ' ' << hour;
                    }
                }
            }
        }
    }
}

TEST(BirthReading, SummerTimeEdges) {
    struct Case {
        BirthTime clock;
        BirthCheck check;
        Reading standard;
        bool doubled;
    };
    const Case cases[] = {
        {at(1950, 5, 6, 23, 59), BirthCheck::Ok, {1950, 5, 6, 23, 59}, false},
        {at(1950, 5, 7, 0, 0), BirthCheck::SummerTimeGap, {}, false},
        {at(1950, 5, 7, 0, 59), BirthCheck::SummerTimeGap, {}, false},
        {at(1950, 5, 7, 0), BirthCheck::SummerTimeGap, {}, false},
        {at(1950, 5, 7, 1, 0), BirthCheck::Ok, {1950, 5, 7, 0, 0}, false},
        {at(1950, 8, 1, 11, 10), BirthCheck::Ok, {1950, 8, 1, 10, 10}, false},
        {at(1950, 9, 9, 23, 59), BirthCheck::Ok, {1950, 9, 9, 22, 59}, false},
        {at(1950, 9, 10, 0, 0), BirthCheck::Ok, {1950, 9, 9, 23, 0}, true},
        {at(1950, 9, 10, 0, 59), BirthCheck::Ok, {1950, 9, 9, 23, 59}, true},
        {at(1950, 9, 10, 1, 0), BirthCheck::Ok, {1950, 9, 10, 1, 0}, false},
        {at(1948, 5, 2, 0, 30), BirthCheck::SummerTimeGap, {}, false},
        {at(1948, 5, 2, 1, 0), BirthCheck::Ok, {1948, 5, 2, 0, 0}, false},
        {at(1948, 9, 12, 0, 59), BirthCheck::Ok, {1948, 9, 11, 23, 59}, true},
        {at(1949, 4, 3, 0, 59), BirthCheck::SummerTimeGap, {}, false},
        {at(1949, 9, 11, 1, 0), BirthCheck::Ok, {1949, 9, 11, 1, 0}, false},
        {at(1951, 5, 6, 1, 0), BirthCheck::Ok, {1951, 5, 6, 0, 0}, false},
        {at(1951, 9, 9, 0, 0), BirthCheck::Ok, {1951, 9, 8, 23, 0}, true},
        {at(1952, 8, 1, 11, 10), BirthCheck::Ok, {1952, 8, 1, 11, 10}, false},
    };
    ChartRules rules;
    rules.summerTime = SummerTimeRule::Apply;
    for (const Case& c : cases) {
        Chart chart;
        BirthReading r;
        SCOPED_TRACE(std::to_string(c.clock.month) + "-" + std::to_string(c.clock.day) + " " +
                     std::to_string(c.clock.hour) + ":" + std::to_string(c.clock.minute));
        ASSERT_EQ(readBirth(chart, r, Sex::Male, c.clock, rules, {}), c.check);
        if (c.check == BirthCheck::Ok) {
            EXPECT_EQ(r.standard, c.standard);
            EXPECT_EQ(hasNotice(r, NoticeKind::SummerTimeDoubled), c.doubled);
        }
        // Ignored, the clock reading stands, the missing hour included.
        ASSERT_EQ(readBirth(chart, r, Sex::Male, c.clock, kClassicRules, {}), BirthCheck::Ok);
        EXPECT_EQ(r.standard.hour, c.clock.hour);
        // Okinawa never kept it.
        ASSERT_EQ(readBirth(chart, r, Sex::Male, c.clock, rules, prefectureBirthplace(kOkinawa)),
                  BirthCheck::Ok);
        EXPECT_FALSE(r.summerTimeApplied);
    }
}

TEST(BirthReading, SummerTimeNoticeOnlyWhenAPillarWouldChange) {
    Chart chart;
    BirthReading r;
    // 11:10 JDT is 午, 10:10 JST 巳: the notice names the hour pillar standard time gives.
    ASSERT_EQ(readBirth(chart, r, Sex::Male, at(1950, 8, 1, 11, 10), kClassicRules, {}),
              BirthCheck::Ok);
    ASSERT_TRUE(hasNotice(r, NoticeKind::SummerTimeWouldChange));
    EXPECT_EQ(noticeText(r.notices.items[0], r),
              sjis("夏時刻の期間の生まれです。標準時に直すと時柱が丁巳に変わります"));
    // 10:10 JDT and 9:10 JST are both 巳.
    ASSERT_EQ(readBirth(chart, r, Sex::Male, at(1950, 8, 1, 10, 10), kClassicRules, {}),
              BirthCheck::Ok);
    EXPECT_FALSE(hasNotice(r, NoticeKind::SummerTimeWouldChange));
}

TEST(BirthReading, DayChangeRules) {
    // 1990-05-20 is 乙酉, the 21st 丙戌.
    struct Case {
        int hour, minute;
        DayChangeRule rule;
        const char *dayPillar, *hourPillar;
    };
    const Case cases[] = {
        {22, 59, DayChangeRule::Split, "乙酉", "丁亥"},
        {22, 59, DayChangeRule::At23, "乙酉", "丁亥"},
        {22, 59, DayChangeRule::At0, "乙酉", "丁亥"},
        {23, 0, DayChangeRule::Split, "乙酉", "戊子"},
        {23, 0, DayChangeRule::At23, "丙戌", "戊子"},
        {23, 0, DayChangeRule::At0, "乙酉", "丙子"},
        {23, 59, DayChangeRule::Split, "乙酉", "戊子"},
        {23, 59, DayChangeRule::At23, "丙戌", "戊子"},
        {23, 59, DayChangeRule::At0, "乙酉", "丙子"},
        {0, 0, DayChangeRule::Split, "乙酉", "丙子"},
        {0, 0, DayChangeRule::At23, "乙酉", "丙子"},
        {0, 0, DayChangeRule::At0, "乙酉", "丙子"},
    };
    for (const Case& c : cases) {
        ChartRules rules;
        rules.dayChange = c.rule;
        Chart chart;
        BirthReading r;
        ASSERT_EQ(readBirth(chart, r, Sex::Male, at(1990, 5, 20, c.hour, c.minute), rules, {}),
                  BirthCheck::Ok);
        EXPECT_EQ(chart.dayPillar.text, sjis(c.dayPillar)) << c.hour << ':' << c.minute;
        EXPECT_EQ(chart.hourPillar.text, sjis(c.hourPillar)) << c.hour << ':' << c.minute;
        EXPECT_EQ(hasNotice(r, NoticeKind::Hour23), c.hour == 23);
    }
}

TEST(BirthReading, HourBoundariesUnderALongitude) {
    // Fukuoka runs 18 min 20 s behind 135° E, Sapporo 25 min 23 s ahead.
    const Birthplace fukuoka = prefectureBirthplace(findPrefecture(sjis("福岡県")));
    const Birthplace sapporo = prefectureBirthplace(findPrefecture(sjis("北海道")));
    struct Case {
        Birthplace place;
        int hour, minute;
        Reading solar;
        const char* hourPillar;  // 1990-05-20, an 乙 day: 巳 辛巳, 午 壬午
    };
    const Case cases[] = {
        {fukuoka, 10, 10, {1990, 5, 20, 9, 51}, "辛巳"},
        {fukuoka, 11, 18, {1990, 5, 20, 10, 59}, "辛巳"},
        {fukuoka, 11, 19, {1990, 5, 20, 11, 0}, "壬午"},
        {sapporo, 10, 34, {1990, 5, 20, 10, 59}, "辛巳"},
        {sapporo, 10, 35, {1990, 5, 20, 11, 0}, "壬午"},
        {typedBirthplace(135.0), 11, 0, {1990, 5, 20, 11, 0}, "壬午"},
    };
    ChartRules rules;
    rules.solarTime = SolarTimeRule::Mean;
    for (const Case& c : cases) {
        Chart chart;
        BirthReading r;
        ASSERT_EQ(readBirth(chart, r, Sex::Male, at(1990, 5, 20, c.hour, c.minute), rules, c.place),
                  BirthCheck::Ok);
        EXPECT_EQ(r.solar, c.solar) << c.hour << ':' << c.minute;
        EXPECT_EQ(chart.hourPillar.text, sjis(c.hourPillar)) << c.hour << ':' << c.minute;
        // Read by the clock, the notice tells when the birthplace would change the hour.
        BirthReading byClock;
        ASSERT_EQ(readBirth(chart, byClock, Sex::Male, at(1990, 5, 20, c.hour, c.minute),
                            kClassicRules, c.place),
                  BirthCheck::Ok);
        EXPECT_EQ(hasNotice(byClock, NoticeKind::PlaceWouldChange),
                  std::string(chart.hourPillar.text) != sjis(c.hourPillar));
    }
    // Whole hours: 11 h in Fukuoka is 10:41-11:40, across the 午 boundary.
    Chart chart;
    BirthReading r;
    ASSERT_EQ(readBirth(chart, r, Sex::Male, at(1990, 5, 20, 11), rules, fukuoka), BirthCheck::Ok);
    EXPECT_TRUE(hasNotice(r, NoticeKind::MinutesInDoubt));
}

TEST(BirthReading, TheIssuesExampleAndTrueSolarTime) {
    const Birthplace fukuoka = prefectureBirthplace(findPrefecture(sjis("福岡")));
    Chart chart;
    BirthReading r;
    ChartRules rules;
    rules.summerTime = SummerTimeRule::Apply;
    rules.solarTime = SolarTimeRule::Mean;
    ASSERT_EQ(readBirth(chart, r, Sex::Male, at(1950, 8, 1, 11, 10), rules, fukuoka),
              BirthCheck::Ok);
    EXPECT_EQ(timesLine(r), sjis("時計の時刻 11時10分 / 標準時 10時10分 / 地方平均時 9時51分"));
    // On 1 August the sundial runs about six minutes behind the mean sun.
    rules.solarTime = SolarTimeRule::True;
    ASSERT_EQ(readBirth(chart, r, Sex::Male, at(1950, 8, 1, 11, 10), rules, fukuoka),
              BirthCheck::Ok);
    EXPECT_EQ(r.solar, (Reading{1950, 8, 1, 9, 45}));
}

TEST(BirthReading, EquationOfTime) {
    // Its extremes and zeros, to a few seconds (Astronomical Almanac values, rounded).
    struct Case {
        int year, month, day;
        double seconds;
    };
    const Case cases[] = {
        {2000, 2, 11, -14 * 60 - 13}, {2000, 5, 14, 3 * 60 + 39},  {2000, 7, 26, -6 * 60 - 32},
        {2000, 11, 3, 16 * 60 + 25},  {1950, 11, 3, 16 * 60 + 24}, {2100, 2, 11, -14 * 60 - 13},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(equationOfTime(c.year, c.month, c.day, 12, 0), c.seconds, 15.0)
            << c.year << '-' << c.month << '-' << c.day;
    }
    EXPECT_EQ(equationOfTime(1800, 1, 1, 0, 0), 0.0);
}

TEST(BirthReading, UnknownHour) {
    Chart chart;
    BirthReading r;
    // 芒種 1990 falls on 6 June: the month pillar depends on the hour.
    const TermMoment term = termMoment(1990, 6);
    ASSERT_EQ(
        readBirth(chart, r, Sex::Female, at(1990, 6, term.day, kHourUnknown), kClassicRules, {}),
        BirthCheck::Ok);
    EXPECT_FALSE(chart.hourKnown);
    EXPECT_EQ(chart.hourPillar.text, sjis("不明"));
    EXPECT_EQ(chart.hourPillar.index, 0);
    ASSERT_TRUE(hasNotice(r, NoticeKind::MonthDependsOnHour));
    EXPECT_EQ(
        noticeText(r.notices.items[0], r),
        sjis("この日は節入りの日で時刻が不明のため、月柱は節入り前なら辛巳、節入り後なら壬午です"));
    // A day away from any term has no such notice, and the year and month are those of noon.
    Chart noon;
    ASSERT_TRUE(computeChart(noon, Sex::Female, 1990, 6, 20, 12));
    ASSERT_EQ(readBirth(chart, r, Sex::Female, at(1990, 6, 20, kHourUnknown), kClassicRules, {}),
              BirthCheck::Ok);
    EXPECT_EQ(r.notices.count, 0);
    EXPECT_EQ(chart.monthPillar.index, noon.monthPillar.index);
    EXPECT_EQ(chart.dayPillar.index, noon.dayPillar.index);
    EXPECT_EQ(chart.startAge, noon.startAge);
}

TEST(BirthReading, ExactTermsAndTheLuckStartInMonths) {
    // Around 立夏 1990 (5 May): exact terms move the month at the minute, and the luck start
    // counts minutes, a day being four months.
    const TermMoment term = termMoment(1990, 5);
    ChartRules exact;
    exact.terms = TermRule::Exact;
    Chart before, after;
    BirthReading r;
    const int minute = term.hour * 60 + term.minute;
    ASSERT_EQ(readBirth(before, r, Sex::Male,
                        at(1990, 5, term.day, (minute - 1) / 60, (minute - 1) % 60), exact, {}),
              BirthCheck::Ok);
    ASSERT_EQ(
        readBirth(after, r, Sex::Male, at(1990, 5, term.day, minute / 60, minute % 60), exact, {}),
        BirthCheck::Ok);
    EXPECT_EQ(before.monthPillar.text, sjis("庚辰"));
    EXPECT_EQ(after.monthPillar.text, sjis("辛巳"));
    // 庚午 is a yang year: a man's luck runs forward, from the term just passed to the next.
    EXPECT_TRUE(after.luckForward);
    const TermMoment next = termMoment(1990, 6);
    const int days = 31 - term.day + next.day;
    EXPECT_NEAR(after.startAgeMonths, days * 4, 4);
    EXPECT_EQ(after.startAge, after.startAgeMonths / 12);
    EXPECT_EQ(after.luckPillars[0].fromAge, after.startAge);
    // Just before the term, the luck counts a minute back to it: nothing.
    EXPECT_EQ(before.luckForward, true);
}

TEST(BirthReading, RefusedBirthsLeaveTheChart) {
    Chart chart;
    BirthReading r;
    EXPECT_EQ(readBirth(chart, r, Sex::Male, at(1990, 5, 20, 10, 60), kClassicRules, {}),
              BirthCheck::HourOutOfRange);
    EXPECT_EQ(readBirth(chart, r, Sex::Male, at(1990, 5, 20, 24), kClassicRules, {}),
              BirthCheck::HourOutOfRange);
    EXPECT_EQ(readBirth(chart, r, Sex::Male, at(2101, 1, 1, kHourUnknown), kClassicRules, {}),
              BirthCheck::YearOutOfRange);
    EXPECT_EQ(chart.yearPillar.index, 0);
}

TEST(Birthplace, Prefectures) {
    EXPECT_EQ(findPrefecture(sjis("福岡県")), 40);
    EXPECT_EQ(findPrefecture(sjis("福岡")), 40);
    EXPECT_EQ(findPrefecture(sjis("東京")), 13);
    EXPECT_EQ(findPrefecture(sjis("京都")), 26);
    EXPECT_EQ(findPrefecture(sjis("北海道")), 1);
    EXPECT_EQ(findPrefecture(sjis("沖縄県")), kOkinawa);
    EXPECT_EQ(findPrefecture(sjis("北海")), 0);
    EXPECT_EQ(findPrefecture(""), 0);
    EXPECT_EQ(findPrefecture(sjis("県")), 0);
    EXPECT_DOUBLE_EQ(prefectureLongitude(40), 130.4181);
    EXPECT_EQ(prefectureName(0), "");
    EXPECT_EQ(prefectureName(48), "");
}

TEST(ChartRules, WordsRoundTrip) {
    for (const char* w : {"ignore", "apply"}) {
        EXPECT_EQ(ruleWord(*summerTimeRuleOf(w)), w);
    }
    for (const char* w : {"clock", "mean", "true"}) {
        EXPECT_EQ(ruleWord(*solarTimeRuleOf(w)), w);
    }
    for (const char* w : {"split", "23", "0"}) {
        EXPECT_EQ(ruleWord(*dayChangeRuleOf(w)), w);
    }
    for (const char* w : {"table", "exact"}) {
        EXPECT_EQ(ruleWord(*termRuleOf(w)), w);
    }
    EXPECT_FALSE(dayChangeRuleOf("24"));
    EXPECT_FALSE(solarTimeRuleOf("Mean"));
    for (const char* w : {"classical", "simplified", "sanmei"}) {
        EXPECT_EQ(ruleWord(*hiddenTableOf(w)), w);
    }
    for (const char* w : {"false", "true"}) {
        EXPECT_EQ(countTermDayWord(*countTermDayOf(w)), w);
    }
    EXPECT_FALSE(hiddenTableOf("Classical"));
    EXPECT_EQ(presetName(kClassicRules), sjis("古典"));
    EXPECT_EQ(presetName(preciseRules(DayChangeRule::At23)), sjis("精密"));
    // The hidden table and the term-day count belong to every preset and survive choosing one.
    ChartRules chosen;
    chosen.dayChange = DayChangeRule::At0;
    chosen.hiddenTable = HiddenTable::Sanmei;
    chosen.countTermDay = true;
    EXPECT_EQ(presetName(chosen), sjis("個別設定"));
    for (const ChartRules& rules : {classicRules(chosen), preciseRules(chosen)}) {
        EXPECT_EQ(rules.hiddenTable, HiddenTable::Sanmei);
        EXPECT_TRUE(rules.countTermDay);
    }
    EXPECT_EQ(presetName(classicRules(chosen)), sjis("古典"));
    EXPECT_EQ(presetName(preciseRules(chosen)), sjis("精密"));
    EXPECT_EQ(preciseRules(chosen).dayChange, DayChangeRule::At0);
}

}  // namespace
}  // namespace quorvel
