#include "reading/compatibility_document.h"

#include <algorithm>

#include "calendar/birth_notices.h"
#include "reading/compatibility_texts.h"

namespace quorvel {

namespace {

// `text` and blanks up to `width` bytes, and one more between columns.
std::string padded(std::string_view text, std::size_t width) {
    std::string out(text);
    out.append(width > text.size() ? width - text.size() : 0, ' ');
    return out + ' ';
}

std::string pillarOrUnknown(const FullChart& chart, int position) {
    if (position == kHourPosition && !chart.chart.hourKnown) {
        return std::string(unknownHourText());
    }
    return std::string(pillarTextView(chart.pillars[position].pillar));
}

std::string marksOf(const std::optional<CalendarRow>& row) {
    return row ? periodMarksText(row->marks) : std::string(text::compatNotJudged);
}

struct Writer {
    std::string out;
    std::string_view end;

    void line(std::string_view text = {}) {
        out += text;
        out += end;
    }
    // A paragraph begins one full-width space in, as Japanese prose does.
    void paragraph(std::string_view text) {
        line(std::string(text::compatParagraphIndent) + std::string(text));
    }
    void paragraphs(std::string_view heading, const std::vector<std::string>& texts) {
        if (texts.empty()) {
            return;
        }
        line(heading);
        for (const std::string& t : texts) {
            paragraph(t);
        }
        line();
    }
};

// Every finding under its heading, a blank line after each group.
std::string findings(const CompatibilityTexts& texts, std::string_view lineEnd) {
    Writer w{{}, lineEnd};
    w.paragraphs(text::compatHeadingDayStems, texts.dayStems);
    w.paragraphs(text::compatHeadingWar, texts.war.empty() ? std::vector<std::string>{}
                                                           : std::vector<std::string>{texts.war});
    w.paragraphs(text::compatHeadingBranches,
                 texts.branches.empty()
                     ? std::vector<std::string>{std::string(text::compatNoBranchBonds)}
                     : texts.branches);
    w.paragraphs(text::compatHeadingTrios, texts.trios);
    w.paragraphs(text::compatHeadingVoid, texts.voids);
    w.paragraphs(text::compatHeadingElements, {texts.elements});
    return w.out;
}

}  // namespace

std::string birthText(const BirthData& b) {
    std::string out = std::to_string(b.year) + std::string(text::compatYearUnit) +
                      std::to_string(b.month) + std::string(text::compatMonthUnit) +
                      std::to_string(b.day) + std::string(text::compatDayUnit);
    if (b.hour == kHourUnknown) {
        return out + std::string(text::compatBornSuffix) + "(" +
               std::string(text::compatUnknownTime) + ")";
    }
    out += std::to_string(b.hour) + std::string(text::compatHourUnit);
    if (b.minute != kMinutesUnknown) {
        out += std::to_string(b.minute) + std::string(text::compatMinuteUnit);
    }
    return out + std::string(text::compatBornSuffix);
}

std::string threatText(Threat threat, const CompatibilityPair& pair) {
    switch (threat) {
        case Threat::A:
            return std::string(shownName(pair.aName, true));
        case Threat::B:
            return std::string(shownName(pair.bName, false));
        case Threat::Both:
            return std::string(text::compatThreatBoth);
        case Threat::Neither:
            break;
    }
    return std::string(text::compatThreatNeither);
}

std::string compatibilityFileName(std::string_view aName, std::string_view bName) {
    return std::string(aName) + std::string(text::compatPersonJoiner) + std::string(bName) +
           std::string(text::compatibilityFileSuffix);
}

std::string compatibilityDocument(const Compatibility& c, const CompatibilityPair& pair,
                                  std::string_view lineEnd) {
    const std::string_view aName = shownName(pair.aName, true);
    const std::string_view bName = shownName(pair.bName, false);
    const CompatibilityTexts texts = compatibilityTexts(c, pair);
    Writer w{{}, lineEnd};

    w.line(std::string(text::compatibilityTitle) + "  " + std::string(aName) +
           std::string(text::compatPersonJoiner) + std::string(bName));
    w.line();
    for (const auto* p : {&pair.a, &pair.b}) {
        const std::string_view name = p == &pair.a ? aName : bName;
        w.line(
            std::string(name) + "  " +
            std::string(p->birth.sex == Sex::Male ? text::compatMaleSex : text::compatFemaleSex) +
            "  " + birthText(p->birth));
    }
    if (pair.a.reading.rules != kClassicRules || pair.b.reading.rules != kClassicRules) {
        w.line(rulesLine(pair.a.reading.rules));
    }
    w.line();

    // The charts side by side, under the names.
    const std::string elementsA = elementCountsText(c.aElements);
    const std::size_t label = 8;
    const std::size_t column = std::max({aName.size(), elementsA.size(), std::size_t{8}});
    w.line(text::compatHeadingCharts);
    w.line(padded("", label) + padded(aName, column) + std::string(bName));
    for (int p = 0; p < kChartPillarCount; ++p) {
        w.line(padded(pillarPositionName(p), label) + padded(pillarOrUnknown(pair.a, p), column) +
               pillarOrUnknown(pair.b, p));
    }
    const auto voids = [](const FullChart& f) {
        return std::string(branchText(f.voids[0])) + std::string(branchText(f.voids[1]));
    };
    w.line(padded(text::compatVoidLabel, label) + padded(voids(pair.a), column) + voids(pair.b));
    w.line(padded(text::compatElementsLabel, label) + padded(elementsA, column) +
           elementCountsText(c.bElements));
    w.line();

    w.out += findings(texts, lineEnd);

    if (!c.years.empty()) {
        w.line(text::compatHeadingYears);
        std::size_t marksWidth = std::max(aName.size(), bName.size());
        for (const CompatibilityYear& y : c.years) {
            marksWidth = std::max({marksWidth, marksOf(y.a).size(), marksOf(y.b).size()});
        }
        w.line(padded(text::compatYearColumn, 4) + padded(text::compatPillarColumn, 4) +
               padded(aName, marksWidth) + padded(bName, marksWidth) +
               std::string(text::compatThreatColumn));
        for (const CompatibilityYear& y : c.years) {
            w.line(padded(std::to_string(y.year), 4) + padded(pillarTextView(y.pillar), 4) +
                   padded(marksOf(y.a), marksWidth) + padded(marksOf(y.b), marksWidth) +
                   threatText(y.threat, pair));
        }
        w.line(text::compatYearsLegend);
        w.line();
    }
    w.line(text::compatHeadingSummary);
    w.paragraph(texts.summary);
    return w.out;
}

std::string compatibilityFindingsText(const Compatibility& c, const CompatibilityPair& pair,
                                      std::string_view lineEnd) {
    const CompatibilityTexts texts = compatibilityTexts(c, pair);
    Writer w{findings(texts, lineEnd), lineEnd};
    w.line(text::compatHeadingSummary);
    w.out += std::string(text::compatParagraphIndent) + texts.summary;
    return w.out;
}

}  // namespace quorvel
