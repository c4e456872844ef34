#include "calendar/calendar_tables.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "calendar/computed_terms_1901_2000.h"

namespace quorvel {
namespace {

// Days since 1970-01-01 of a Gregorian date, counted by the standard library's calendar:
// independent of the tables it checks.
long daysFromCivil(int y, int m, int d) {
    const std::chrono::year_month_day date{std::chrono::year{y},
                                           std::chrono::month{static_cast<unsigned>(m)},
                                           std::chrono::day{static_cast<unsigned>(d)}};
    return static_cast<long>(std::chrono::sys_days{date}.time_since_epoch().count());
}

// The day pillar of a date in the unbroken sixty-day count: (JDN + 49) mod 60 + 1.
CycleIndex dayPillarOf(int y, int m, int d) {
    const long julianDayNumber = daysFromCivil(y, m, d) + 2440588;
    return static_cast<CycleIndex>((julianDayNumber + 49) % 60 + 1);
}

TEST(CalendarTables, TablesHaveOneRecordPerYear) {
    EXPECT_EQ(YearPillarTable.size(), 200 * kYearPillarRecordLength);
    EXPECT_EQ(SolarTermTable.size(), 200 * kSolarTermRecordLength);
}

TEST(CalendarTables, EveryYearPillarRecordFollowsTheRules) {
    // January month pillar by year stem number: 甲己 → 乙丑, 乙庚 → 丁丑, 丙辛 → 己丑, ...
    const CycleIndex januaryByStem[10] = {50, 2, 14, 26, 38, 50, 2, 14, 26, 38};
    for (int y = kFirstTableYear; y <= kLastTableYear; ++y) {
        const YearPillarRecord r = yearPillarRecord(y);
        const int expectedYear = ((y - 1984) % 60 + 60) % 60 + 1;
        EXPECT_EQ(r.yearIndex, expectedYear) << y;
        EXPECT_EQ(r.januaryMonthIndex, januaryByStem[stemNumber(expectedYear)]) << y;
        for (int m = 1; m <= 12; ++m) {
            EXPECT_EQ(r.firstDayIndex[m - 1], dayPillarOf(y, m, 1)) << y << "-" << m;
        }
    }
}

TEST(CalendarTables, EverySolarTermIsADayFourToNineAtAnEvenHour) {
    for (int y = kFirstTableYear; y <= kLastTableYear; ++y) {
        for (int m = 1; m <= 12; ++m) {
            const SolarTerm t = solarTerm(y, m);
            // 立春 moves onto the 3rd from 2029 on, every fourth year and then oftener.
            EXPECT_GE(t.day, m == 2 && y >= 2029 ? 3 : 4) << y << "-" << m;
            EXPECT_LE(t.day, 9) << y << "-" << m;
            EXPECT_EQ(t.hour % 2, 0);
            EXPECT_GE(t.hour, 0);
            EXPECT_LE(t.hour, 22);
        }
    }
}

TEST(CalendarTables, TellingRecords) {
    EXPECT_EQ(YearPillarTable.substr(0, 28), "3826164715461647174819492050");
    EXPECT_EQ(YearPillarTable.substr(28, 28), "3938215220512152225324542555");
    EXPECT_EQ(YearPillarTable.substr(99 * 28, 28), "1714552655265627572859296030");
    EXPECT_EQ(SolarTermTable.substr(0, 24), "6E4J6I5J6H6J8D8I8J9F8G8C");
    EXPECT_EQ(SolarTermTable.substr(99 * 24, 24), "6F4L5J4K5H5J7C7H7J8E7G7C");

    const YearPillarRecord r1901 = yearPillarRecord(1901);
    EXPECT_EQ(r1901.yearIndex, 38);
    EXPECT_EQ(r1901.januaryMonthIndex, 26);
    EXPECT_EQ(r1901.firstDayIndex[0], 16);
    EXPECT_EQ(r1901.firstDayIndex[11], 50);
    EXPECT_EQ(yearPillarRecord(1984).yearIndex, 1);
    EXPECT_EQ(yearPillarRecord(1983).yearIndex, 60);
    EXPECT_EQ(yearPillarRecord(2000).firstDayIndex[0], 55);

    EXPECT_EQ(yearPillarRecord(2100).yearIndex, 57);  // 庚申

    const struct {
        int year, month, day, hour;
    } terms[] = {{1901, 1, 6, 8},
                 {1901, 2, 4, 18},
                 {1901, 12, 8, 4},
                 {2000, 2, 4, 22},
                 {2000, 12, 7, 4},
                 {1990, 5, 6, 4},
                 {1984, 2, 5, 0},
                 // The old end, computed now, is what was printed beside the table.
                 {2001, 1, 5, 16},
                 // Known moments: 17:27; 23:10 on the 3rd, into the 4th; 5:02; 22:59, a minute
                 // short of rounding up; the first 立春 on the 3rd; 10:40.
                 {2024, 2, 4, 18},
                 {2025, 2, 4, 0},
                 {2026, 2, 4, 6},
                 {2026, 3, 5, 22},
                 {2029, 2, 3, 22},
                 {2100, 12, 7, 10}};
    for (const auto& t : terms) {
        EXPECT_EQ(solarTerm(t.year, t.month).day, t.day) << t.year << "-" << t.month;
        EXPECT_EQ(solarTerm(t.year, t.month).hour, t.hour) << t.year << "-" << t.month;
    }
    // 小寒 2101 at 22:07.
    EXPECT_EQ(kShokanOfJanuary2101.day, 5);
    EXPECT_EQ(kShokanOfJanuary2101.hour, 22);
}

// The computation that makes the records after 2000, run over the printed years, rounds to the
// printed pair in all but these records; the printed one stays as printed.
TEST(CalendarTables, PrintedTermsDifferFromTheComputationOnlyWhereKnown) {
    const std::vector<std::string> known = {
        "1901-02", "1901-04", "1901-06", "1904-09", "1906-07", "1907-12", "1908-05", "1908-06",
        "1910-06", "1910-07", "1910-08", "1910-09", "1914-06", "1915-09", "1915-10", "1916-07",
        "1917-06", "1917-09", "1918-05", "1918-06", "1918-07", "1918-08", "1918-09", "1920-02",
        "1925-03", "1926-03", "1930-10", "1933-12", "1937-09", "1944-01", "1944-02", "1944-03",
        "1944-04", "1944-05", "1944-06", "1944-07", "1944-08", "1944-09", "1944-10", "1944-11",
        "1944-12", "1945-02", "1949-11", "1951-05", "1954-04", "1954-08", "1956-08", "1958-09",
        "1961-10", "1976-07", "1979-09", "1985-06", "1987-10", "1996-07", "1999-07", "1999-12",
        "2000-03", "2000-09"};
    const std::string_view computed = computed::kSolarTermRecords1901To2000;
    ASSERT_EQ(computed.size(), 100 * kSolarTermRecordLength);
    std::vector<std::string> differing;
    for (int y = 1901; y <= 2000; ++y) {
        for (int m = 1; m <= 12; ++m) {
            const std::size_t at = static_cast<std::size_t>(y - 1901) * kSolarTermRecordLength +
                                   2 * static_cast<std::size_t>(m - 1);
            if (computed.substr(at, 2) != SolarTermTable.substr(at, 2)) {
                differing.push_back(std::to_string(y) + (m < 10 ? "-0" : "-") + std::to_string(m));
            }
        }
    }
    EXPECT_EQ(differing, known);
}

TEST(CalendarTables, TwoCharacterFields) {
    EXPECT_EQ(parseTwoDigits("09"), 9);
    EXPECT_EQ(parseTwoDigits("60"), 60);
    EXPECT_EQ(parseTwoDigits("01"), 1);
    EXPECT_EQ(parseTermPair("6E").day, 6);
    EXPECT_EQ(parseTermPair("6E").hour, 8);
    EXPECT_EQ(parseTermPair("4A").hour, 0);
    EXPECT_EQ(parseTermPair("4L").hour, 22);
}

TEST(CalendarTables, MarchFollowsFebruaryByItsLength) {
    const struct {
        int year, days;
    } cases[] = {{1904, 29}, {1952, 29}, {2000, 29}, {2096, 29},
                 {1901, 28}, {1999, 28}, {2001, 28}, {2100, 28}};
    for (const auto& c : cases) {
        const YearPillarRecord r = yearPillarRecord(c.year);
        EXPECT_EQ(stepPillar(r.firstDayIndex[1], c.days), r.firstDayIndex[2]) << c.year;
        EXPECT_EQ(monthLength(c.year, 2), c.days) << c.year;
    }
    EXPECT_EQ(monthLength(1990, 4), 30);
    EXPECT_EQ(monthLength(1990, 12), 31);
}

TEST(CalendarTables, LookupsOutsideTheTablesReadNothing) {
    EXPECT_EQ(yearPillarRecord(1900).yearIndex, 0);
    EXPECT_EQ(yearPillarRecord(2101).yearIndex, 0);
    EXPECT_EQ(solarTerm(2101, 1).day, 0);
    EXPECT_EQ(solarTerm(1900, 12).day, 0);
    EXPECT_EQ(solarTerm(1990, 0).day, 0);
    EXPECT_EQ(solarTerm(1990, 13).day, 0);
    EXPECT_EQ(monthLength(1990, 13), 0);
}

}  // namespace
}  // namespace quorvel
