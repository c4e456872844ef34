#include "calendar/chart.h"

#include <gtest/gtest.h>

#include "tests/support/allocation_counter.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

struct PillarCase {
    int year, month, day, hour;
    const char *yearPillar, *monthPillar, *dayPillar, *hourPillar;
};

TEST(Chart, FourPillars) {
    const PillarCase cases[] = {
        {1990, 5, 20, 10, "庚午", "辛巳", "乙酉", "辛巳"},
        {1990, 5, 20, 0, "庚午", "辛巳", "乙酉", "丙子"},
        {1990, 5, 20, 23, "庚午", "辛巳", "乙酉", "戊子"},  // 23 h: next day's 子, same day
        {1901, 1, 1, 0, "庚子", "戊子", "己卯", "甲子"},    // before 立春 and before 小寒
        {2000, 2, 4, 21, "己卯", "丁丑", "壬辰", "辛亥"},   // an hour before 立春
        {2000, 2, 4, 22, "庚辰", "戊寅", "壬辰", "辛亥"},   // 立春's own hour
        {1984, 1, 15, 12, "癸亥", "乙丑", "戊申", "戊午"},  // stepped back from 甲子
        {1984, 2, 1, 23, "癸亥", "乙丑", "乙丑", "戊子"},   // a day before 立春, any hour
        {1984, 2, 5, 0, "甲子", "丙寅", "己巳", "甲子"},    // 立春 at 0 h
        {1903, 12, 1, 12, "癸卯", "癸亥", "癸亥", "戊午"},  // 甲子 month stepped back to 60
        {1990, 5, 6, 3, "庚午", "庚辰", "辛未", "庚寅"},    // term day, before the term hour
        {1990, 5, 6, 4, "庚午", "辛巳", "辛未", "庚寅"},    // the term hour itself
        {2000, 12, 31, 23, "庚辰", "戊子", "癸亥", "甲子"},
        {2001, 1, 1, 0, "庚辰", "戊子", "甲子", "甲子"},  // over the seam of the tables
        {2005, 8, 15, 14, "乙酉", "甲申", "辛未", "乙未"},
        {2029, 2, 3, 21, "戊申", "乙丑", "甲子", "乙亥"},  // 立春 on the 3rd, at 22 h
        {2029, 2, 3, 22, "己酉", "丙寅", "甲子", "乙亥"},
        {2100, 12, 31, 23, "庚申", "戊子", "丁未", "壬子"},
    };
    for (const PillarCase& c : cases) {
        for (Sex sex : {Sex::Male, Sex::Female}) {
            Chart chart;
            ASSERT_TRUE(computeChart(chart, sex, c.year, c.month, c.day, c.hour));
            const std::string when = std::to_string(c.year) + "-" + std::to_string(c.month) + "-" +
                                     std::to_string(c.day) + " " + std::to_string(c.hour);
            EXPECT_EQ(chart.yearPillar.text, sjis(c.yearPillar)) << when;
            EXPECT_EQ(chart.monthPillar.text, sjis(c.monthPillar)) << when;
            EXPECT_EQ(chart.dayPillar.text, sjis(c.dayPillar)) << when;
            EXPECT_EQ(chart.hourPillar.text, sjis(c.hourPillar)) << when;
            EXPECT_EQ(findPillar(chart.dayPillar.text), chart.dayPillar.index) << when;
        }
    }
}

TEST(Chart, HoursPairIntoDoubleHours) {
    // On a 甲 day (1990-05-29 is 甲午): 0 h 甲子, 1-2 乙丑, ... 21-22 乙亥, 23 丙子.
    const char* expected[24] = {"甲子", "乙丑", "乙丑", "丙寅", "丙寅", "丁卯", "丁卯", "戊辰",
                                "戊辰", "己巳", "己巳", "庚午", "庚午", "辛未", "辛未", "壬申",
                                "壬申", "癸酉", "癸酉", "甲戌", "甲戌", "乙亥", "乙亥", "丙子"};
    for (int hour = 0; hour < 24; ++hour) {
        Chart chart;
        ASSERT_TRUE(computeChart(chart, Sex::Male, 1990, 5, 29, hour));
        ASSERT_EQ(chart.dayPillar.text, sjis("甲午"));
        EXPECT_EQ(chart.hourPillar.text, sjis(expected[hour])) << hour;
    }
}

TEST(Chart, BirthsOutsideTheTablesAreRefusedAndTouchNothing) {
    const struct {
        int year, month, day, hour;
        BirthCheck check;
    } cases[] = {
        {1900, 12, 31, 0, BirthCheck::YearOutOfRange},
        {2101, 1, 1, 0, BirthCheck::YearOutOfRange},
        {0, 0, 0, 0, BirthCheck::YearOutOfRange},
        {-1990, 5, 20, 10, BirthCheck::YearOutOfRange},
        {1990, 0, 1, 0, BirthCheck::NoSuchDate},
        {1990, 13, 1, 0, BirthCheck::NoSuchDate},
        {1990, 2, 29, 0, BirthCheck::NoSuchDate},
        {2100, 2, 29, 0, BirthCheck::NoSuchDate},
        {1990, 4, 31, 0, BirthCheck::NoSuchDate},
        {1990, 5, 0, 0, BirthCheck::NoSuchDate},
        {1990, 5, -3, 0, BirthCheck::NoSuchDate},
        {1990, 5, 20, 24, BirthCheck::HourOutOfRange},
        {1990, 5, 20, -1, BirthCheck::HourOutOfRange},
        {2147483647, 2147483647, 2147483647, 2147483647, BirthCheck::YearOutOfRange},
        {1990, -2147483647 - 1, 1, 0, BirthCheck::NoSuchDate},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checkBirth(c.year, c.month, c.day, c.hour), c.check) << c.year << "-" << c.month;
        Chart chart;
        ASSERT_TRUE(computeChart(chart, Sex::Male, 1990, 5, 20, 10));
        EXPECT_FALSE(computeChart(chart, Sex::Male, c.year, c.month, c.day, c.hour));
        EXPECT_EQ(chart.dayPillar.text, sjis("乙酉"));  // the earlier chart stays
    }
    EXPECT_EQ(checkBirth(1904, 2, 29, 0), BirthCheck::Ok);
    EXPECT_EQ(checkBirth(2000, 2, 29, 23), BirthCheck::Ok);
    EXPECT_EQ(checkBirth(2001, 1, 1, 0), BirthCheck::Ok);
    EXPECT_EQ(checkBirth(2100, 12, 31, 23), BirthCheck::Ok);
}

TEST(Chart, ComputingAllocatesNothing) {
    Chart chart;
    const std::size_t before = test::allocationCount();
    for (int hour = 0; hour < 24; ++hour) {
        computeChart(chart, Sex::Male, 1990, 5, 20, hour);
        computeChart(chart, Sex::Female, 2000, 12, 31, hour);
        computeChart(chart, Sex::Male, 2100, 12, 31, hour);
    }
    EXPECT_EQ(test::allocationCount(), before);
}

}  // namespace
}  // namespace quorvel
