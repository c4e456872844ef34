// Properties that must hold for every hour of every day the tables cover.
#include <gtest/gtest.h>

#include "calendar/chart.h"

namespace quorvel {
namespace {

struct Moment {
    int year, month, day, hour;
};

// Calls f(moment) for every hour from 1901-01-01 0 h to 2100-12-31 23 h, in order.
template <typename F>
void forEveryHour(F f) {
    for (int y = kFirstTableYear; y <= kLastTableYear; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= monthLength(y, m); ++d) {
                for (int h = 0; h < 24; ++h) {
                    f(Moment{y, m, d, h});
                }
            }
        }
    }
}

bool isTermMoment(const Moment& t, int month) {
    const SolarTerm term = solarTerm(t.year, month);
    return t.month == month && t.day == term.day && t.hour == term.hour;
}

TEST(ChartRange, PillarsChangeOnlyWhereTheCalendarSays) {
    Chart previous;
    bool first = true;
    long charts = 0;
    forEveryHour([&](const Moment& t) {
        Chart chart;
        ASSERT_TRUE(computeChart(chart, Sex::Male, t.year, t.month, t.day, t.hour));
        ++charts;
        if (!first) {
            const bool newDay = t.hour == 0;
            EXPECT_EQ(chart.dayPillar.index,
                      newDay ? stepPillar(previous.dayPillar.index, 1) : previous.dayPillar.index)
                << t.year << "-" << t.month << "-" << t.day;

            const bool monthChanges = isTermMoment(t, t.month);
            EXPECT_EQ(chart.monthPillar.index, monthChanges
                                                   ? stepPillar(previous.monthPillar.index, 1)
                                                   : previous.monthPillar.index)
                << t.year << "-" << t.month << "-" << t.day << " " << t.hour;

            const bool yearChanges = isTermMoment(t, 2);
            EXPECT_EQ(chart.yearPillar.index, yearChanges ? stepPillar(previous.yearPillar.index, 1)
                                                          : previous.yearPillar.index)
                << t.year << "-" << t.month << "-" << t.day << " " << t.hour;
        }
        previous = chart;
        first = false;
    });
    EXPECT_EQ(charts, 876600 + 876576);  // 36,525 days to 2000, 36,524 after
}

TEST(ChartRange, LuckPillarsNeighbourTheMonthPillar) {
    forEveryHour([](const Moment& t) {
        if (t.hour % 5 != 0) {
            return;  // every fifth hour meets every term hour's neighbourhood often enough
        }
        for (Sex sex : {Sex::Male, Sex::Female}) {
            Chart chart;
            ASSERT_TRUE(computeChart(chart, sex, t.year, t.month, t.day, t.hour));
            const bool yang = isYangStem(stemNumber(chart.yearPillar.index));
            ASSERT_EQ(chart.luckForward, (sex == Sex::Male) == yang);
            ASSERT_GE(chart.startAge, 0) << t.year << "-" << t.month << "-" << t.day;
            ASSERT_LE(chart.startAge, 10) << t.year << "-" << t.month << "-" << t.day;
            const int step = chart.luckForward ? 1 : -1;
            for (int k = 0; k < kLuckPillarCount; ++k) {
                ASSERT_EQ(chart.luckPillars[k].pillar.index,
                          stepPillar(chart.monthPillar.index, step * (k + 1)));
                ASSERT_EQ(findPillar(chart.luckPillars[k].pillar.text),
                          chart.luckPillars[k].pillar.index);
            }
        }
    });
}

}  // namespace
}  // namespace quorvel
