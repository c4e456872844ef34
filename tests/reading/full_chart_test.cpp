#include "reading/full_chart.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "calendar/calendar_tables.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

std::string stemsOf(const HiddenStems& hidden) {
    std::string out;
    for (int i = 0; i < hidden.count; ++i) {
        out += stemText(hidden.stems[i]);
    }
    return out;
}

TEST(FullChart, EveryBranchHoldsItsHiddenStemsMainFirst) {
    const char* const expected[12] = {"癸",   "己癸辛", "甲丙戊", "乙", "戊乙癸", "丙庚戊",
                                      "丁己", "己丁乙", "庚壬戊", "辛", "戊辛丁", "壬甲"};
    for (int b = 1; b <= 12; ++b) {
        EXPECT_EQ(stemsOf(hiddenStems(static_cast<Branch>(b))), sjis(expected[b - 1]))
            << "branch " << b;
    }
}

// The common name of every stem seen from every day stem (rows day stem 甲…癸, columns 甲…癸),
// spelled out on its own rather than derived from the program's labels.
TEST(FullChart, EveryRelationCarriesItsCommonName) {
    const char* const common[10][10] = {
        {"比肩", "劫財", "食神", "傷官", "偏財", "正財", "偏官", "正官", "偏印", "印綬"},
        {"劫財", "比肩", "傷官", "食神", "正財", "偏財", "正官", "偏官", "印綬", "偏印"},
        {"偏印", "印綬", "比肩", "劫財", "食神", "傷官", "偏財", "正財", "偏官", "正官"},
        {"印綬", "偏印", "劫財", "比肩", "傷官", "食神", "正財", "偏財", "正官", "偏官"},
        {"偏官", "正官", "偏印", "印綬", "比肩", "劫財", "食神", "傷官", "偏財", "正財"},
        {"正官", "偏官", "印綬", "偏印", "劫財", "比肩", "傷官", "食神", "正財", "偏財"},
        {"偏財", "正財", "偏官", "正官", "偏印", "印綬", "比肩", "劫財", "食神", "傷官"},
        {"正財", "偏財", "正官", "偏官", "印綬", "偏印", "劫財", "比肩", "傷官", "食神"},
        {"食神", "傷官", "偏財", "正財", "偏官", "正官", "偏印", "印綬", "比肩", "劫財"},
        {"傷官", "食神", "正財", "偏財", "正官", "偏官", "印綬", "偏印", "劫財", "比肩"},
    };
    for (int day = 1; day <= 10; ++day) {
        for (int other = 1; other <= 10; ++other) {
            const StemReading r = readStem(static_cast<Stem>(day), static_cast<Stem>(other), false);
            ASSERT_TRUE(r.relation.has_value());
            EXPECT_EQ(commonRelationName(*r.relation), sjis(common[day - 1][other - 1]))
                << day << " " << other;
        }
    }
    EXPECT_FALSE(readStem(Stem::Kinoe, Stem::Kinoe, true).relation.has_value());
}

struct PillarExpectation {
    const char* stemRelation;  // "" for the day stem
    const char* stage;
    const char* hidden;  // stem, label, common name of each, space-separated
};

std::string describeHidden(const PillarReading& p) {
    std::string out;
    for (int i = 0; i < p.hiddenCount; ++i) {
        if (i > 0) {
            out += ' ';
        }
        out += std::string(stemText(p.hidden[i].stem)) +
               std::string(stemRelationLabel(*p.hidden[i].relation)) +
               std::string(commonRelationName(*p.hidden[i].relation));
    }
    return out;
}

TEST(FullChart, AChartReadsEveryPillarAgainstTheDayStem) {
    // 20 May 1990, 10 h, a man: 庚午 辛巳 乙酉 辛巳, day stem 乙.
    const auto full = readFullChart({1990, 5, 20, 10, Sex::Male});
    ASSERT_TRUE(full.has_value());
    const PillarExpectation expected[kChartPillarCount] = {
        {"忍耐", "長生", "丁表現食神 己投資偏財"},
        {"革新", "沐浴", "丙鋭敏傷官 庚忍耐正官 戊蓄財正財"},
        {"", "絶", "辛革新偏官"},
        {"革新", "沐浴", "丙鋭敏傷官 庚忍耐正官 戊蓄財正財"},
    };
    for (int p = 0; p < kChartPillarCount; ++p) {
        const PillarReading& r = full->pillars[p];
        const std::string relation =
            r.stem.relation ? std::string(stemRelationLabel(*r.stem.relation)) : std::string();
        EXPECT_EQ(relation, sjis(expected[p].stemRelation)) << p;
        EXPECT_EQ(growthStageLabel(r.stage), sjis(expected[p].stage)) << p;
        EXPECT_EQ(describeHidden(r), sjis(expected[p].hidden)) << p;
    }
    // 乙酉 lies in the decade 甲申-癸巳, which leaves out 午 and 未: the year branch is void.
    EXPECT_EQ(branchText(full->voids[0]), sjis("午"));
    EXPECT_EQ(branchText(full->voids[1]), sjis("未"));
    EXPECT_TRUE(full->pillars[kYearPosition].isVoid);
    EXPECT_FALSE(full->pillars[kMonthPosition].isVoid);
    EXPECT_EQ(full->elements, (ElementCounts{1, 3, 0, 4, 0}));
    EXPECT_EQ(full->elementsWithHidden, (ElementCounts{1, 3, 3, 6, 0}));
    EXPECT_EQ(full->terms.before.month, 5);  // 立夏
    EXPECT_EQ(full->terms.after.month, 6);   // 芒種
    EXPECT_EQ(full->notice, TermNotice::None);
}

TEST(FullChart, RefusesWhatTheCalendarCannotCompute) {
    EXPECT_FALSE(readFullChart({1900, 12, 31, 0, Sex::Male}).has_value());
    EXPECT_FALSE(readFullChart({2101, 1, 1, 0, Sex::Male}).has_value());
    EXPECT_FALSE(readFullChart({1999, 2, 29, 0, Sex::Female}).has_value());
    EXPECT_FALSE(readFullChart({1990, 5, 20, 24, Sex::Female}).has_value());
    EXPECT_FALSE(readFullChart({1990, 5, 20, 10, Sex::Unset}).has_value());
}

TEST(FullChart, VoidBranchesOfEachDecade) {
    const struct {
        CycleIndex first;
        const char* voids;
    } decades[] = {{1, "戌亥"},  {11, "申酉"}, {21, "午未"},
                   {31, "辰巳"}, {41, "寅卯"}, {51, "子丑"}};
    for (const auto& d : decades) {
        for (CycleIndex n = d.first; n < d.first + 10; ++n) {
            const auto v = voidBranches(n);
            EXPECT_EQ(std::string(branchText(v[0])) + std::string(branchText(v[1])), sjis(d.voids))
                << n;
        }
    }
}

TEST(FullChart, TheTermNoticeStandsOnBothSidesOfATermWithinTwoHours) {
    // Terms that fall between 4 h and 19 h, so every hour tried lies on the term's own day.
    for (const int year : {1950, 1990, 2024, 2077}) {
        for (int month = 1; month <= 12; ++month) {
            const TermMoment t = termMoment(year, month);
            if (t.hour < 4 || t.hour > 19) {
                continue;
            }
            const TermNotice near =
                month == 2 ? TermNotice::YearAndMonthInDoubt : TermNotice::MonthInDoubt;
            // The birth hour spans h:00-h:59; it is near when that span comes within 120 minutes.
            for (int h = t.hour - 4; h <= t.hour + 4; ++h) {
                const int first = h * 60;
                const int term = t.hour * 60 + t.minute;
                const int distance = term < first        ? first - term
                                     : term > first + 59 ? term - first - 59
                                                         : 0;
                EXPECT_EQ(termNotice(year, month, t.day, h),
                          distance <= 120 ? near : TermNotice::None)
                    << year << "-" << month << " " << h;
            }
            EXPECT_EQ(termNotice(year, month, t.day, t.hour), near);
            EXPECT_EQ(termNotice(year, month, t.day, t.hour - 3), TermNotice::None);
            EXPECT_EQ(termNotice(year, month, t.day, t.hour + 3), TermNotice::None);
            EXPECT_EQ(termNotice(year, month, t.day, t.hour - 2), near);
            EXPECT_EQ(termNotice(year, month, t.day, t.hour + 2), near);
        }
    }
    EXPECT_FALSE(termNoticeText(TermNotice::MonthInDoubt).empty());
    EXPECT_NE(termNoticeText(TermNotice::MonthInDoubt),
              termNoticeText(TermNotice::YearAndMonthInDoubt));
}

TEST(FullChart, TermMomentsAgreeWithTheComputedTablesAndKnownMoments) {
    // 立春 2024 fell at 17:27 Japan time.
    const TermMoment risshun = termMoment(2024, 2);
    EXPECT_EQ(risshun.day, 4);
    EXPECT_LE(std::abs(risshun.hour * 60 + risshun.minute - (17 * 60 + 27)), 2);
    // The records after 2000 round the same moments to the even hour.
    for (int y = 2001; y <= kLastTableYear; ++y) {
        for (int m = 1; m <= 12; ++m) {
            const TermMoment t = termMoment(y, m);
            const SolarTerm table = solarTerm(y, m);
            const int minutes = ((t.day - table.day) * 24 + (t.hour - table.hour)) * 60 + t.minute;
            EXPECT_LE(std::abs(minutes), 60) << y << "-" << m;
        }
    }
    // Both ends reach one year past the tables, for the terms around births at the edges.
    EXPECT_EQ(termsAround(1901, 1, 1, 0).before.year, 1900);
    EXPECT_EQ(termsAround(1901, 1, 1, 0).before.month, 12);
    EXPECT_EQ(termsAround(2100, 12, 31, 23).after.year, 2101);
    EXPECT_FALSE(hasTermMoment(2102, 1));
    EXPECT_EQ(sectionalTermName(2), sjis("立春"));
    EXPECT_EQ(sectionalTermName(12), sjis("大雪"));
}

}  // namespace
}  // namespace quorvel

namespace quorvel {
namespace {

// The stems in command, year month day hour, as "stem kind" pairs; "-" for no hour.
std::string commandingOf(const FullChart& full) {
    std::string out;
    for (const PillarReading& r : full.pillars) {
        if (&r == &full.pillars[kHourPosition] && !full.chart.hourKnown) {
            out += "-";
            continue;
        }
        out += std::string(stemText(r.commanding.stem)) +
               std::string(hiddenKindName(r.commandingKind)) + " ";
    }
    return out;
}

BirthData born(int y, int mo, int d, int h, HiddenTable table = HiddenTable::Classical,
               bool countTermDay = false) {
    BirthData b{y, mo, d, h, Sex::Male};
    b.rules.hiddenTable = table;
    b.rules.countTermDay = countTermDay;
    return b;
}

TEST(FullChart, TheStemInCommandByTheDaysSinceTheTerm) {
    const struct {
        BirthData birth;
        const char* commanding;  // year month day hour
    } cases[] = {
        // 甲子 丙寅 己卯 丙寅, ten days after 立春: 子 past its 壬, 寅 in its 丙, 卯 past its 甲.
        {born(1984, 2, 15, 4), "癸本気 丙中気 乙本気 丙中気 "},
        // A day earlier (day 戊寅) 子 is still in its 10 days of 壬; not so where the term's
        // day is day 1, nor in the 算命学 table, which keeps only 癸 in 子.
        {born(1984, 2, 14, 4), "壬余気 丙中気 丙中気 丙中気 "},
        {born(1984, 2, 14, 4, HiddenTable::Classical, true), "癸本気 丙中気 丙中気 丙中気 "},
        {born(1984, 2, 14, 4, HiddenTable::Sanmei), "癸本気 丙中気 丙中気 丙中気 "},
        // 庚午 辛巳 丙子 癸巳, 5 days after 立夏: the simplified table gives 巳's 戊 7 days.
        {born(1990, 5, 11, 10), "丙余気 庚中気 壬余気 庚中気 "},
        {born(1990, 5, 11, 10, HiddenTable::Simplified), "丙余気 戊余気 壬余気 戊余気 "},
        // 庚午 辛巳 庚寅 辛巳, 19 days after: 午's 己 lasts to day 19, to day 20 in the
        // simplified table; 算命学 gives it days 0-19.
        {born(1990, 5, 25, 10), "丁本気 丙本気 甲本気 丙本気 "},
        {born(1990, 5, 25, 10, HiddenTable::Simplified), "己中気 丙本気 甲本気 丙本気 "},
        {born(1990, 5, 25, 10, HiddenTable::Sanmei), "丁本気 丙本気 甲本気 丙本気 "},
        {born(1990, 5, 24, 10, HiddenTable::Sanmei), "己中気 丙本気 己本気 丙本気 "},
    };
    for (const auto& c : cases) {
        const auto full = readFullChart(c.birth);
        ASSERT_TRUE(full.has_value());
        EXPECT_EQ(commandingOf(*full), sjis(c.commanding))
            << c.birth.year << "-" << c.birth.month << "-" << c.birth.day << " "
            << ruleWord(c.birth.rules.hiddenTable);
    }
}

// 1945-11-02 (month 丙戌, 24 days after 寒露): every branch under every table is in its 本気,
// whatever the hour.
TEST(FullChart, LateInTheMonthEveryBranchIsInItsMainStem) {
    for (const HiddenTable table :
         {HiddenTable::Classical, HiddenTable::Simplified, HiddenTable::Sanmei}) {
        for (int hour = 0; hour < 24; hour += 5) {
            const auto full = readFullChart(born(1945, 11, 2, hour, table));
            ASSERT_TRUE(full.has_value());
            EXPECT_EQ(full->pillars[kMonthPosition].pillar, *findPillar(sjis("丙戌")));
            for (const PillarReading& r : full->pillars) {
                EXPECT_EQ(r.commandingKind, HiddenKind::Main) << hour;
                EXPECT_EQ(r.commanding.stem, hiddenStems(r.branch).stems[0]) << hour;
            }
        }
    }
}

// Charts checked by hand against the rules of each star.
TEST(FullChart, SpecialStarsOfHandCheckedCharts) {
    const struct {
        BirthData birth;
        const char* stars[kChartPillarCount];  // year month day hour
    } cases[] = {
        // 庚午 丙戌 辛未 癸巳: 辛's 貴人 午 and 刃 戌, 未's horse 巳.
        {born(1990, 11, 2, 10), {"天乙貴人", "羊刃", "", "駅馬"}},
        // 庚午 丁亥 丁酉 乙巳: 丁's 貴人 亥 and 酉 (the day branch too), 酉's horse 亥.
        {born(1990, 11, 28, 10), {"", "天乙貴人 駅馬", "天乙貴人", ""}},
        // 庚午 丁亥 戊戌 丁巳: 戊戌 is 魁罡; 戊's 刃 午.
        {born(1990, 11, 29, 10), {"羊刃", "", "魁罡", ""}},
        // 庚午 己丑 癸巳 癸丑: 癸's 貴人 巳 on the day itself, its 刃 丑 by the Japanese rule.
        {born(1991, 1, 23, 2), {"", "羊刃", "天乙貴人", "羊刃"}},
        // 辛未 壬辰 乙卯 丁丑: 乙's 刃 辰.
        {born(1991, 4, 15, 2), {"", "羊刃", "", ""}},
    };
    for (const auto& c : cases) {
        const auto full = readFullChart(c.birth);
        ASSERT_TRUE(full.has_value());
        for (int p = 0; p < kChartPillarCount; ++p) {
            EXPECT_EQ(starsText(full->pillars[p].stars), sjis(c.stars[p]))
                << c.birth.month << "-" << c.birth.day << " " << p;
        }
    }
    // Without an hour: three pillars, the day still 魁罡.
    BirthData noHour = born(1990, 11, 29, kHourUnknown);
    const auto full = readFullChart(noHour);
    ASSERT_TRUE(full.has_value());
    EXPECT_EQ(starsText(full->pillars[kDayPosition].stars), sjis("魁罡"));
    EXPECT_EQ(full->pillars[kHourPosition].stars.count, 0);
    EXPECT_EQ(commandingOf(*full).back(), '-');
}

TEST(FullChart, TheLinesOfTheDaysAndTheLuckStart) {
    EXPECT_EQ(daysSinceTermText(14 * 1440 + 6 * 60 + 59), sjis("節入りから14日6時間"));
    EXPECT_EQ(daysSinceTermText(0), sjis("節入りから0日0時間"));
    EXPECT_EQ(startAgeText(40), sjis("3歳4ヶ月"));
    EXPECT_EQ(startAgeText(36), sjis("3歳"));
    EXPECT_EQ(startAgeText(0), sjis("0歳"));
    ChartRules rules;
    rules.countTermDay = true;
    rules.hiddenTable = HiddenTable::Sanmei;
    EXPECT_EQ(hiddenTableLine(rules),
              sjis("蔵干の表　算命学の二十八元表、節入り日を1日目と数える"));
}

}  // namespace
}  // namespace quorvel
