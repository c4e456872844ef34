#include "reading/compatibility_text.h"

#include "common/fill_text.h"
#include "reading/compatibility_texts.h"

namespace quorvel {

namespace {

// The findings the summary may name, strongest first, as strongFindingNames lists them.
enum Strong : int {
    kWar,
    kCombine,
    kDayClash,
    kDayCombination,
    kTrio,
    kDayPunishment,
    kDayHarm,
    kDayHalfHarmony,
    kDayVoid,
    kStrongCount
};
// Whether a finding draws the two together (1), sets them against each other (-1) or neither.
constexpr int kStrongTone[kStrongCount] = {-1, 1, -1, 1, 1, -1, -1, 1, 0};
constexpr int kSummaryFindings = 3;

std::string voidText(const FullChart& chart) {
    return std::string(branchText(chart.voids[0])) + std::string(branchText(chart.voids[1]));
}

std::string dayStemParagraph(StemRelation relation, std::string_view looking,
                             std::string_view seen) {
    return fillText(text::compatStemTexts[static_cast<int>(relation)],
                    {looking, seen, relationWithCommonName(relation)});
}

// The pair and its bonds; what a bond means only where it first appears.
std::string branchParagraph(const BranchFinding& f, std::string_view aName, std::string_view bName,
                            BondSet& told) {
    std::string bonds;
    for (int k = 0; k < kBranchBondCount; ++k) {
        if (f.bonds.has(static_cast<BranchBond>(k))) {
            bonds += (bonds.empty() ? "" : std::string(text::compatBranchBondJoiner)) +
                     std::string(branchBondName(static_cast<BranchBond>(k)));
        }
    }
    std::string out = fillText(text::compatBranchPairText,
                               {aName, bName, branchPositionName(f.a), branchPositionName(f.b),
                                branchText(f.aBranch), branchText(f.bBranch), bonds});
    for (int k = 0; k < kBranchBondCount; ++k) {
        const auto bond = static_cast<BranchBond>(k);
        if (f.bonds.has(bond) && !told.has(bond)) {
            out += text::compatBranchBondTexts[k];
            told.add(bond);
        }
    }
    if (f.a == kDayPosition && f.b == kDayPosition) {
        out += text::compatDayBranchesNote;
    }
    return out;
}

std::string lacksSentence(const std::array<bool, 5>& lacks, std::string_view who,
                          std::string_view other) {
    std::string elements;
    for (std::size_t e = 0; e < lacks.size(); ++e) {
        if (lacks[e]) {
            elements += (elements.empty() ? "" : std::string(text::compatElementsJoiner)) +
                        std::string(elementName(static_cast<Element>(e)));
        }
    }
    return elements.empty() ? std::string()
                            : fillText(text::compatLacksText, {who, other, elements});
}

std::string elementsParagraph(const Compatibility& c, std::string_view aName,
                              std::string_view bName) {
    std::string out =
        fillText(text::compatElementsText,
                 {aName, bName, elementCountsText(c.aElements), elementCountsText(c.bElements)});
    const std::string lacks =
        lacksSentence(c.aLacks, aName, bName) + lacksSentence(c.bLacks, bName, aName);
    out += lacks.empty() ? std::string(text::compatLacksNone)
                         : lacks + std::string(text::compatLacksNote);
    return out;
}

// Which of the strongest findings the two charts show; the clash of the day branches goes
// without saying where the day pillars are at war.
std::vector<int> strongFindings(const Compatibility& c) {
    bool present[kStrongCount] = {};
    present[kWar] = c.heavenWarEarthClash;
    present[kCombine] = c.stemsCombine;
    present[kTrio] = !c.trios.empty();
    present[kDayVoid] = c.aDayInBVoid || c.bDayInAVoid;
    if (!c.branches.empty() && c.branches[0].a == kDayPosition && c.branches[0].b == kDayPosition) {
        const BondSet day = c.branches[0].bonds;
        present[kDayClash] = day.has(BranchBond::Clash) && !c.heavenWarEarthClash;
        present[kDayCombination] = day.has(BranchBond::Combination);
        present[kDayPunishment] = day.has(BranchBond::Punishment);
        present[kDayHarm] = day.has(BranchBond::Harm);
        present[kDayHalfHarmony] = day.has(BranchBond::HalfHarmony);
    }
    std::vector<int> found;
    for (int k = 0; k < kStrongCount && static_cast<int>(found.size()) < kSummaryFindings; ++k) {
        if (present[k]) {
            found.push_back(k);
        }
    }
    return found;
}

std::string summaryParagraph(const Compatibility& c) {
    const std::vector<int> strong = strongFindings(c);
    std::string out;
    if (strong.empty()) {
        out = text::compatSummaryQuiet;
    } else {
        std::string names;
        int binding = 0;
        int tense = 0;
        for (std::size_t i = 0; i < strong.size(); ++i) {
            const int k = strong[i];
            names += (i == 0                   ? std::string()
                      : i + 1 == strong.size() ? std::string(text::compatSummaryLastJoiner)
                                               : std::string(text::compatSummaryJoiner)) +
                     std::string(text::compatStrongFindingNames[k]);
            binding += kStrongTone[k] > 0 ? 1 : 0;
            tense += kStrongTone[k] < 0 ? 1 : 0;
        }
        out = fillText(text::compatSummaryLead, {names});
        out += binding > 0 && tense > 0 ? text::compatSummaryMixed
               : binding > 0            ? text::compatSummaryHarmonious
               : tense > 0              ? text::compatSummaryTense
                                        : text::compatSummaryElusive;
    }
    if (c.years.empty()) {
        return out;
    }
    std::string both;
    for (const CompatibilityYear& y : c.years) {
        if (y.threat == Threat::Both) {
            both += (both.empty() ? "" : std::string(text::compatSummaryYearJoiner)) +
                    std::to_string(y.year) + std::string(text::compatYearUnit);
        }
    }
    out += both.empty() ? std::string(text::compatSummaryNoBothYears)
                        : fillText(text::compatSummaryBothYears, {both});
    return out;
}

}  // namespace

std::string_view shownName(std::string_view name, bool isA) {
    if (!name.empty()) {
        return name;
    }
    return isA ? text::compatPersonAName : text::compatPersonBName;
}

std::string_view branchPositionName(int position) {
    return position >= 0 && position < kChartPillarCount ? text::compatBranchPositionNames[position]
                                                         : std::string_view();
}

std::string elementCountsText(const ElementCounts& counts) {
    std::string out;
    for (std::size_t e = 0; e < counts.size(); ++e) {
        out += (e > 0 ? " " : "") + std::string(elementName(static_cast<Element>(e))) +
               std::to_string(counts[e]);
    }
    return out;
}

CompatibilityTexts compatibilityTexts(const Compatibility& c, const CompatibilityPair& pair) {
    const std::string_view aName = shownName(pair.aName, true);
    const std::string_view bName = shownName(pair.bName, false);
    const PillarReading& aDay = pair.a.pillars[kDayPosition];
    const PillarReading& bDay = pair.b.pillars[kDayPosition];
    CompatibilityTexts t;

    if (c.aToB == c.bToA) {
        t.dayStems.push_back(dayStemParagraph(c.aToB, aName, bName));
    } else {
        // What B is to A, seen from A; then what A is to B.
        t.dayStems.push_back(dayStemParagraph(c.bToA, aName, bName));
        t.dayStems.push_back(dayStemParagraph(c.aToB, bName, aName));
    }
    if (c.stemsCombine) {
        t.dayStems.push_back(
            fillText(text::compatStemsCombineText,
                     {aName, bName, stemText(aDay.stem.stem), stemText(bDay.stem.stem)}));
    }
    if (c.heavenWarEarthClash) {
        t.war = fillText(text::compatHeavenWarEarthClashText,
                         {aName, bName, pillarTextView(aDay.pillar), pillarTextView(bDay.pillar)});
    }
    BondSet told;
    for (const BranchFinding& f : c.branches) {
        t.branches.push_back(branchParagraph(f, aName, bName, told));
    }
    for (const Trio& trio : c.trios) {
        t.trios.push_back(fillText(
            text::compatTrioText,
            {trioText(trio), text::compatTrioElementNames[static_cast<int>(trio.element)]}));
    }
    const struct {
        bool falls;
        std::string_view pattern;
        std::string_view who, other;
        Branch branch;
        const FullChart& otherChart;
    } voids[] = {
        {c.aDayInBVoid, text::compatDayInVoidText, aName, bName, aDay.branch, pair.b},
        {c.bDayInAVoid, text::compatDayInVoidText, bName, aName, bDay.branch, pair.a},
        {c.aYearInBVoid, text::compatYearInVoidText, aName, bName,
         pair.a.pillars[kYearPosition].branch, pair.b},
        {c.bYearInAVoid, text::compatYearInVoidText, bName, aName,
         pair.b.pillars[kYearPosition].branch, pair.a},
    };
    for (const auto& v : voids) {
        if (v.falls) {
            t.voids.push_back(fillText(
                v.pattern, {v.who, v.other, branchText(v.branch), voidText(v.otherChart)}));
        }
    }
    t.elements = elementsParagraph(c, aName, bName);
    t.summary = summaryParagraph(c);
    return t;
}

}  // namespace quorvel
