#include "reading/compatibility.h"

namespace quorvel {

namespace {

// The positions a chart has a branch at: three without an hour.
int pillarsOf(const FullChart& chart) {
    return chart.chart.hourKnown ? kChartPillarCount : kHourPosition;
}

void addPair(Compatibility& c, const FullChart& a, const FullChart& b, int pa, int pb) {
    const Branch x = a.pillars[pa].branch;
    const Branch y = b.pillars[pb].branch;
    const BondSet bonds = branchBonds(x, y);
    if (!bonds.empty()) {
        c.branches.push_back({pa, pb, x, y, bonds});
    }
}

// Which of a trio's three branches a chart holds, one bit each.
unsigned trioBits(const FullChart& chart, const Trio& trio) {
    unsigned bits = 0;
    for (int p = 0; p < pillarsOf(chart); ++p) {
        const Branch x = chart.pillars[p].branch;
        bits |=
            (x == trio.first ? 1u : 0u) | (x == trio.middle ? 2u : 0u) | (x == trio.last ? 4u : 0u);
    }
    return bits;
}

bool inVoid(Branch branch, const FullChart& other) {
    return branch == other.voids[0] || branch == other.voids[1];
}

// The year's row of a person, when the year lies within the person's calendar.
std::optional<CalendarRow> rowOf(const FullChart& chart, int year) {
    std::vector<CalendarRow> rows;
    if (calendarYears(chart, year, year, rows) != CalendarCheck::Ok) {
        return std::nullopt;
    }
    return rows.front();
}

bool threatens(const std::optional<CalendarRow>& row) {
    return row && isWarning(row->marks);
}

}  // namespace

Compatibility readCompatibility(const FullChart& a, const FullChart& b, int firstYear,
                                int yearCount) {
    Compatibility c;
    const Stem aStem = a.pillars[kDayPosition].stem.stem;
    const Stem bStem = b.pillars[kDayPosition].stem.stem;
    c.aToB = stemRelation(bStem, aStem);
    c.bToA = stemRelation(aStem, bStem);
    c.stemsCombine = stemsCombine(aStem, bStem);

    addPair(c, a, b, kDayPosition, kDayPosition);
    for (int pa = 0; pa < pillarsOf(a); ++pa) {
        for (int pb = 0; pb < pillarsOf(b); ++pb) {
            if (pa != kDayPosition || pb != kDayPosition) {
                addPair(c, a, b, pa, pb);
            }
        }
    }
    for (const Trio& trio : trios()) {
        const unsigned x = trioBits(a, trio);
        const unsigned y = trioBits(b, trio);
        if (x != 0 && y != 0 && (x | y) == 7u) {
            c.trios.push_back(trio);
        }
    }

    c.heavenWarEarthClash =
        heavenWarEarthClash(a.pillars[kDayPosition].pillar, b.pillars[kDayPosition].pillar);
    c.aDayInBVoid = inVoid(a.pillars[kDayPosition].branch, b);
    c.bDayInAVoid = inVoid(b.pillars[kDayPosition].branch, a);
    c.aYearInBVoid = inVoid(a.pillars[kYearPosition].branch, b);
    c.bYearInAVoid = inVoid(b.pillars[kYearPosition].branch, a);

    c.aElements = a.elements;
    c.bElements = b.elements;
    for (std::size_t e = 0; e < c.aLacks.size(); ++e) {
        c.aLacks[e] = a.elements[e] == 0 && b.elements[e] > 0;
        c.bLacks[e] = b.elements[e] == 0 && a.elements[e] > 0;
    }

    for (int i = 0; i < yearCount; ++i) {
        CompatibilityYear& y = c.years.emplace_back();
        y.year = firstYear + i;
        y.pillar = yearPillarOf(y.year);
        y.a = rowOf(a, y.year);
        y.b = rowOf(b, y.year);
        const bool ta = threatens(y.a);
        const bool tb = threatens(y.b);
        y.threat = ta && tb ? Threat::Both : ta ? Threat::A : tb ? Threat::B : Threat::Neither;
    }
    return c;
}

}  // namespace quorvel
