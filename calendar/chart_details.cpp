#include "calendar/chart_details.h"

#include "calendar/sexagenary_texts.h"
#include "calendar/term_moments.h"

namespace quorvel {

namespace {

using enum Stem;

// Main, middle, residual, by branch ordinal (子 first).
constexpr HiddenStems kHiddenStems[12] = {
    {{Mizunoto}, 1},                      // 子
    {{Tsuchinoto, Mizunoto, Kanoto}, 3},  // 丑
    {{Kinoe, Hinoe, Tsuchinoe}, 3},       // 寅
    {{Kinoto}, 1},                        // 卯
    {{Tsuchinoe, Kinoto, Mizunoto}, 3},   // 辰
    {{Hinoe, Kanoe, Tsuchinoe}, 3},       // 巳
    {{Hinoto, Tsuchinoto}, 2},            // 午
    {{Tsuchinoto, Hinoto, Kinoto}, 3},    // 未
    {{Kanoe, Mizunoe, Tsuchinoe}, 3},     // 申
    {{Kanoto}, 1},                        // 酉
    {{Tsuchinoe, Kanoto, Hinoto}, 3},     // 戌
    {{Mizunoe, Kinoe}, 2},                // 亥
};

constexpr Element kBranchElements[12] = {
    Element::Water, Element::Earth, Element::Wood,  Element::Wood,  Element::Earth, Element::Fire,
    Element::Fire,  Element::Earth, Element::Metal, Element::Metal, Element::Earth, Element::Water,
};

constexpr int kMinutesPerDay = 24 * 60;

std::array<const Pillar*, 4> chartPillars(const Chart& chart) {
    return {&chart.yearPillar, &chart.monthPillar, &chart.dayPillar, &chart.hourPillar};
}

void count(ElementCounts& counts, Element e) {
    ++counts[static_cast<std::size_t>(e)];
}

// Minutes from the start of the month: only moments of one month are compared.
int minuteOfMonth(int day, int hour, int minute) {
    return (day - 1) * kMinutesPerDay + hour * 60 + minute;
}

int minuteOfMonth(const TermMoment& t) {
    return minuteOfMonth(t.day, t.hour, t.minute);
}

TermMoment stepMonth(int year, int month, int by) {
    const int months = year * 12 + (month - 1) + by;
    return termMoment(months / 12, months % 12 + 1);
}

}  // namespace

HiddenStems hiddenStems(Branch b) {
    return kHiddenStems[ordinal(b) - 1];
}

Element elementOf(Branch b) {
    return kBranchElements[ordinal(b) - 1];
}

std::array<Branch, 2> voidBranches(CycleIndex dayPillar) {
    // The decade starts at its 甲 pillar; the two branches after its tenth are left out.
    const CycleIndex decadeStart = dayPillar - (dayPillar - 1) % 10;
    return {branchOf(stepPillar(decadeStart, 10)), branchOf(stepPillar(decadeStart, 11))};
}

ElementCounts countElements(const Chart& chart) {
    ElementCounts counts{};
    for (const Pillar* p : chartPillars(chart)) {
        if (p == &chart.hourPillar && !chart.hourKnown) {
            continue;
        }
        count(counts, elementOf(stemOf(p->index)));
        count(counts, elementOf(branchOf(p->index)));
    }
    return counts;
}

ElementCounts countElementsWithHidden(const Chart& chart) {
    ElementCounts counts{};
    for (const Pillar* p : chartPillars(chart)) {
        if (p == &chart.hourPillar && !chart.hourKnown) {
            continue;
        }
        count(counts, elementOf(stemOf(p->index)));
        const HiddenStems hidden = hiddenStems(branchOf(p->index));
        for (int i = 0; i < hidden.count; ++i) {
            count(counts, elementOf(hidden.stems[i]));
        }
    }
    return counts;
}

bool hasTermMoment(int year, int month) {
    return year >= computed::kFirstMomentYear && year <= computed::kLastMomentYear && month >= 1 &&
           month <= 12;
}

TermMoment termMoment(int year, int month) {
    if (!hasTermMoment(year, month)) {
        return {};
    }
    const int packed =
        computed::kTermMoments[(year - computed::kFirstMomentYear) * 12 + (month - 1)];
    return {year, month, packed / 10000, packed / 100 % 100, packed % 100};
}

std::string_view sectionalTermName(int month) {
    return month >= 1 && month <= 12 ? text::sectionalTermNames[month - 1] : std::string_view();
}

TermsAround termsAround(int year, int month, int day, int hour) {
    const TermMoment term = termMoment(year, month);
    if (minuteOfMonth(day, hour, 0) >= minuteOfMonth(term)) {
        return {term, stepMonth(year, month, 1)};
    }
    return {stepMonth(year, month, -1), term};
}

TermNotice termNotice(int year, int month, int day, int hour) {
    if (!hasTermMoment(year, month)) {
        return TermNotice::None;
    }
    // The birth is known to its hour only: measure from the term to the nearest minute of it.
    const int first = minuteOfMonth(day, hour, 0);
    const int last = first + 59;
    const int term = minuteOfMonth(termMoment(year, month));
    const int distance = term < first ? first - term : term > last ? term - last : 0;
    if (distance > 2 * 60) {
        return TermNotice::None;
    }
    return month == 2 ? TermNotice::YearAndMonthInDoubt : TermNotice::MonthInDoubt;
}

std::string_view termNoticeText(TermNotice notice) {
    switch (notice) {
        case TermNotice::MonthInDoubt:
            return text::monthTermNotice;
        case TermNotice::YearAndMonthInDoubt:
            return text::yearTermNotice;
        case TermNotice::None:
            break;
    }
    return {};
}

}  // namespace quorvel
