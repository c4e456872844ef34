#pragma once
// What a full chart shows beyond the pillars: the stems hidden in each branch, the void branches
// of the day pillar's decade, the balance of the five elements and the moments of the sectional
// terms. Plain values; nothing here reads or writes a chart.
#include <array>
#include <cstdint>
#include <string_view>

#include "calendar/chart.h"
#include "calendar/sexagenary.h"

namespace quorvel {

// The stems hidden in a branch (蔵干): main, middle, residual; a branch holds one to three.
struct HiddenStems {
    Stem stems[3] = {};
    int count = 0;
};

HiddenStems hiddenStems(Branch b);

// The element of a branch: 寅卯 wood, 巳午 fire, 申酉 metal, 亥子 water, 辰戌丑未 earth.
Element elementOf(Branch b);

// The two branches the ten pillars of the day pillar's decade leave out (空亡): 甲子-癸酉 → 戌亥,
// 甲戌-癸未 → 申酉, and so on.
std::array<Branch, 2> voidBranches(CycleIndex dayPillar);

// Counts by element, in the order wood, fire, earth, metal, water.
using ElementCounts = std::array<int, 5>;

// The eight characters: the four stems and the four branches.
ElementCounts countElements(const Chart& chart);
// The four stems and every stem hidden in the four branches.
ElementCounts countElementsWithHidden(const Chart& chart);

// The moment a month's sectional term begins, to the minute, Japan time: the sky's moment, where
// the chart follows the tables' even hour.
struct TermMoment {
    std::int32_t year = 0;
    std::int32_t month = 0;  // 1 小寒 ... 12 大雪
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
};

// Known for 1900-2101, one year beyond the tables on each side; false outside.
bool hasTermMoment(int year, int month);
TermMoment termMoment(int year, int month);

// The name of a month's sectional term, Shift-JIS: 1 小寒, 2 立春, ... 12 大雪.
std::string_view sectionalTermName(int month);

// The sectional terms on either side of a birth at the start of its hour.
struct TermsAround {
    TermMoment before;
    TermMoment after;
};
// The birth must be computable (checkBirth).
TermsAround termsAround(int year, int month, int day, int hour);

// A birth hour within two hours of its month's term may belong to either month; at 立春 the year
// is in doubt too.
enum class TermNotice : std::uint8_t { None, MonthInDoubt, YearAndMonthInDoubt };
TermNotice termNotice(int year, int month, int day, int hour);
std::string_view termNoticeText(TermNotice notice);  // empty for None

}  // namespace quorvel
