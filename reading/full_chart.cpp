#include "reading/full_chart.h"

#include "calendar/birth_notices.h"
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
    full.daysSinceTerm = commandingDays(full.reading.minutesSinceTerm, false);
    full.commandingDays = commandingDays(full.reading.minutesSinceTerm, birth.rules.countTermDay);
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
        r.byDays = hiddenByDays(r.branch, birth.rules.hiddenTable);
        const HiddenSpan span = commandingSpan(r.byDays, full.commandingDays);
        r.commandingKind = span.kind;
        r.commanding = readStem(dayStem, span.stem, false);
        r.stars = pillarStars(c.dayPillar.index, r.branch, p == kDayPosition);
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

std::string_view chartRowName(int row) {
    return row >= 0 && row < kChartRowCount ? text::chartRowNames[row] : std::string_view();
}

std::string hiddenSpansText(const HiddenByDays& spans) {
    std::string out;
    for (int i = 0; i < spans.count; ++i) {
        out += (i > 0 ? std::string(text::spanSeparator) : std::string()) +
               std::string(stemText(spans.spans[i].stem)) + std::to_string(spans.spans[i].days);
    }
    return out;
}

std::string_view hiddenKindName(HiddenKind kind) {
    return text::hiddenKindNames[static_cast<int>(kind)];
}

std::string_view specialStarName(SpecialStar star) {
    return text::specialStarNames[static_cast<int>(star)];
}

std::string starsText(const StarList& stars) {
    std::string out;
    for (int i = 0; i < stars.count; ++i) {
        out += (i > 0 ? " " : "") + std::string(specialStarName(stars.stars[i]));
    }
    return out;
}

std::string daysSinceTermText(std::int32_t minutesSinceTerm) {
    constexpr std::int32_t kMinutesPerDay = 24 * 60;
    return std::string(text::sinceTermHead) + std::to_string(minutesSinceTerm / kMinutesPerDay) +
           std::string(text::sinceTermDays) +
           std::to_string(minutesSinceTerm % kMinutesPerDay / 60) +
           std::string(text::sinceTermHours);
}

std::string startAgeText(std::int32_t startAgeMonths) {
    std::string out = std::to_string(startAgeMonths / 12) + std::string(text::startAgeYears);
    if (startAgeMonths % 12 != 0) {
        out += std::to_string(startAgeMonths % 12) + std::string(text::startAgeMonths);
    }
    return out;
}

std::string hiddenTableLine(const ChartRules& rules) {
    std::string out = std::string(text::hiddenTableHead) + std::string(ruleName(rules.hiddenTable));
    if (rules.countTermDay) {
        out += text::hiddenTableSeparator;
        out += countTermDayName(true);
    }
    return out;
}

}  // namespace quorvel
