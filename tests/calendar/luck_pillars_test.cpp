#include <gtest/gtest.h>

#include "calendar/chart.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

struct LuckCase {
    int year, month, day, hour;
    Sex sex;
    bool forward;
    int startAge;
    const char* firstLuck;
};

TEST(LuckPillars, DirectionAndStartingAge) {
    const LuckCase cases[] = {
        {1990, 5, 20, 10, Sex::Male, true, 5, "壬午"},     // 31 - 20 + 6 = 17 days
        {1990, 5, 20, 10, Sex::Female, false, 4, "庚辰"},  // 20 - 6 = 14 days
        {1990, 5, 6, 4, Sex::Male, true, 10, "壬午"},      // 31 days from the term's hour
        {1990, 5, 6, 4, Sex::Female, false, 0, "庚辰"},
        {1990, 5, 6, 3, Sex::Male, true, 0, "辛巳"},      // the term is still to come that day
        {1990, 5, 6, 3, Sex::Female, false, 10, "己卯"},  // 6 + 30 - 5 = 31 days
        {1992, 3, 2, 12, Sex::Female, false, 9, "辛丑"},  // 2 + 29 - 4 = 27 days
        {2000, 2, 4, 22, Sex::Male, true, 10, "己卯"},    // 29 - 4 + 5 = 30 days
        {2000, 2, 4, 21, Sex::Male, false, 9, "丙子"},    // 4 + 31 - 6 = 29 days
        {1903, 12, 1, 12, Sex::Male, false, 7, "壬戌"},   // 1 + 30 - 9 = 22 days
        {1990, 12, 20, 10, Sex::Male, true, 5, "己丑"},   // to 小寒 of the next January
        {1990, 12, 20, 10, Sex::Female, false, 4, "丁亥"},
        {1990, 1, 3, 10, Sex::Male, false, 9, "乙亥"},  // from 大雪 of the December before
        {1990, 1, 3, 10, Sex::Female, true, 1, "丁丑"},
        // Over the seam of the printed and computed tables: 小寒 2001 on the 5th.
        {2000, 12, 20, 10, Sex::Male, true, 5, "己丑"},  // 31 - 20 + 5 = 16 days
        {2000, 12, 31, 23, Sex::Male, true, 1, "己丑"},  // 31 - 31 + 5 = 5 days
        // The two ends of the tables: 大雪 1900 on the 7th, 小寒 2101 on the 5th.
        {1901, 1, 1, 0, Sex::Female, false, 8, "丁亥"},     // 1 + 31 - 7 = 25 days
        {1901, 1, 5, 0, Sex::Female, false, 9, "丁亥"},     // 5 + 31 - 7 = 29 days
        {2100, 12, 20, 10, Sex::Male, true, 5, "己丑"},     // 31 - 20 + 5 = 16 days
        {2100, 12, 31, 23, Sex::Male, true, 1, "己丑"},     // 31 - 31 + 5 = 5 days
        {2100, 12, 20, 10, Sex::Female, false, 4, "丁亥"},  // 20 - 7 = 13 days
        // 立春 on the 3rd of February 2029, at 22 h.
        {2029, 2, 3, 22, Sex::Male, false, 0, "乙丑"},    // the term's own hour
        {2029, 2, 3, 22, Sex::Female, true, 10, "丁卯"},  // 28 - 3 + 5 = 30 days
        {2029, 2, 3, 21, Sex::Male, true, 0, "丙寅"},     // 戊申 year; the term is still to come
    };
    for (const LuckCase& c : cases) {
        Chart chart;
        ASSERT_TRUE(computeChart(chart, c.sex, c.year, c.month, c.day, c.hour));
        const std::string when = std::to_string(c.year) + "-" + std::to_string(c.month) + "-" +
                                 std::to_string(c.day) + " " + std::to_string(c.hour) +
                                 (c.sex == Sex::Male ? " male" : " female");
        EXPECT_EQ(chart.luckForward, c.forward) << when;
        EXPECT_EQ(chart.startAge, c.startAge) << when;
        EXPECT_EQ(chart.luckPillars[0].pillar.text, sjis(c.firstLuck)) << when;
    }
}

TEST(LuckPillars, TenPillarsInOrder) {
    const struct {
        Sex sex;
        const char* pillars[10];
    } cases[] = {
        {Sex::Male,
         {"壬午", "癸未", "甲申", "乙酉", "丙戌", "丁亥", "戊子", "己丑", "庚寅", "辛卯"}},
        {Sex::Female,
         {"庚辰", "己卯", "戊寅", "丁丑", "丙子", "乙亥", "甲戌", "癸酉", "壬申", "辛未"}},
    };
    for (const auto& c : cases) {
        Chart chart;
        ASSERT_TRUE(computeChart(chart, c.sex, 1990, 5, 20, 10));
        for (int k = 0; k < 10; ++k) {
            EXPECT_EQ(chart.luckPillars[k].pillar.text, sjis(c.pillars[k])) << k;
        }
    }
    // Backward through the wrap: month 癸亥 (60) gives 59 down to 50.
    Chart chart;
    ASSERT_TRUE(computeChart(chart, Sex::Male, 1903, 12, 1, 12));
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(chart.luckPillars[k].pillar.index, 59 - k);
    }
}

TEST(LuckPillars, AgeTexts) {
    const struct {
        int year, month, day, hour;
        Sex sex;
        const char* ages[10];
    } cases[] = {
        {1990, 5, 20, 10, Sex::Male, {"5", "15", "25", "35", "45", "55", "65", "75", "85", "95"}},
        {1990, 5, 6, 4, Sex::Female, {"0", "10", "20", "30", "40", "50", "60", "70", "80", "90"}},
        {1990, 5, 6, 4, Sex::Male, {"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}},
        {1990, 1, 3, 10, Sex::Female, {"1", "11", "21", "31", "41", "51", "61", "71", "81", "91"}},
    };
    for (const auto& c : cases) {
        Chart chart;
        ASSERT_TRUE(computeChart(chart, c.sex, c.year, c.month, c.day, c.hour));
        for (int k = 0; k < 10; ++k) {
            EXPECT_STREQ(chart.luckPillars[k].ageText, c.ages[k]) << k;
            EXPECT_EQ(chart.luckPillars[k].fromAge, chart.startAge + 10 * k);
        }
    }
}

TEST(LuckPillars, AnUnsetSexCountsBackwards) {
    Chart chart;
    ASSERT_TRUE(computeChart(chart, Sex::Unset, 1990, 5, 20, 10));
    EXPECT_FALSE(chart.luckForward);
}

}  // namespace
}  // namespace quorvel
