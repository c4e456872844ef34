#include "reading/full_chart.h"

#include "reading/reading_texts.h"

namespace quorvel {

StemReading readStem(Stem dayStem, Stem stem, bool isPerson) {
    StemReading reading{stem, std::nullopt};
    if (!isPerson) {
        reading.relation = stemRelation(dayStem, stem);
    }
    return reading;
}

std::optional<FullChart> readFullChart(const BirthData& birth) {
    if (birth.sex == Sex::Unset) {
        return std::nullopt;
    }
    FullChart full;
    full.birth = birth;
    if (readBirth(full.chart, full.reading, birth.sex, birth.time(), birth.rules, birth.place) !=
        BirthCheck::Ok) {
        return std::nullopt;
    }

    const Chart& c = full.chart;
    const CycleIndex indices[kChartPillarCount] = {c.yearPillar.index, c.monthPillar.index,
                                                   c.dayPillar.index, c.hourPillar.index};
    const Stem dayStem = stemOf(c.dayPillar.index);
    full.voids = voidBranches(c.dayPillar.index);
    const int pillarCount = c.hourKnown ? kChartPillarCount : kHourPosition;
    for (int p = 0; p < pillarCount; ++p) {
        PillarReading& r = full.pillars[p];
        r.pillar = indices[p];
        r.stem = readStem(dayStem, stemOf(r.pillar), p == kDayPosition);
        r.branch = branchOf(r.pillar);
        r.stage = growthStage(dayStem, r.branch);
        const HiddenStems hidden = hiddenStems(r.branch);
        r.hiddenCount = hidden.count;
        for (int i = 0; i < hidden.count; ++i) {
            r.hidden[i] = readStem(dayStem, hidden.stems[i], false);
        }
        r.isVoid = r.branch == full.voids[0] || r.branch == full.voids[1];
    }
    full.elements = countElements(c);
    full.elementsWithHidden = countElementsWithHidden(c);
    // The terms around the birth instant in standard time; an unknown hour has no notice of its
    // own hour but its reading's.
    const Reading& s = full.reading.standard;
    full.terms = termsAround(s.year, s.month, s.day, s.hour);
    full.notice = c.hourKnown ? termNotice(s.year, s.month, s.day, s.hour) : TermNotice::None;
    return full;
}

std::string_view commonRelationName(StemRelation relation) {
    return text::commonRelationNames[static_cast<int>(relation)];
}

std::string relationWithCommonName(StemRelation relation) {
    return std::string(stemRelationLabel(relation)) + "(" +
           std::string(commonRelationName(relation)) + ")";
}

std::string_view elementName(Element element) {
    return text::elementNames[static_cast<int>(element)];
}

std::string_view pillarPositionName(int position) {
    return position >= 0 && position < kChartPillarCount ? text::pillarPositionNames[position]
                                                         : std::string_view();
}

}  // namespace quorvel
