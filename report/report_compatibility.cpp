#include "report/report_compatibility.h"

#include <vector>

#include "calendar/birth_notices.h"
#include "reading/compatibility_document.h"
#include "report/html_text.h"
#include "report/report_texts.h"

namespace quorvel {

namespace {

using html::t;

std::string pillarCell(const FullChart& chart, int position) {
    if (position == kHourPosition && !chart.chart.hourKnown) {
        return t(unknownHourText());
    }
    return t(pillarTextView(chart.pillars[position].pillar));
}

std::string voidCell(const FullChart& chart) {
    return t(branchText(chart.voids[0])) + t(branchText(chart.voids[1]));
}

void appendParagraphs(std::string& out, const char* id, std::string_view heading,
                      const std::vector<std::string>& texts) {
    if (texts.empty()) {
        return;
    }
    out += "<div class=\"findings\" id=\"" + std::string(id) + "\">\n<h3>" + t(heading) + "</h3>\n";
    for (const std::string& text : texts) {
        out += "<p>" + t(text) + "</p>\n";
    }
    out += "</div>\n";
}

void appendCharts(std::string& out, const CompatibilityPair& pair, const Compatibility& c,
                  std::string_view aName, std::string_view bName) {
    out += "<table class=\"pair\">\n<tr><th></th><th>" + t(aName) + "</th><th>" + t(bName) +
           "</th></tr>\n";
    for (int p = 0; p < kChartPillarCount; ++p) {
        out += "<tr><th>" + t(pillarPositionName(p)) + "</th><td class=\"pillar\">" +
               pillarCell(pair.a, p) + "</td><td class=\"pillar\">" + pillarCell(pair.b, p) +
               "</td></tr>\n";
    }
    out += "<tr><th>" + t(text::reportVoidLabel) + "</th><td>" + voidCell(pair.a) + "</td><td>" +
           voidCell(pair.b) + "</td></tr>\n<tr><th>" + t(text::reportElementsLabel) + "</th><td>" +
           t(elementCountsText(c.aElements)) + "</td><td>" + t(elementCountsText(c.bElements)) +
           "</td></tr>\n</table>\n";
}

void appendYears(std::string& out, const CompatibilityPair& pair, const Compatibility& c,
                 std::string_view aName, std::string_view bName) {
    out += "<div class=\"findings\" id=\"compatibility-years\">\n<h3>" +
           t(text::reportCompatYearsHeading) + "</h3>\n<table class=\"years\">\n<tr><th>" +
           t(text::reportYearColumn) + "</th><th>" + t(text::reportYearPillarColumn) + "</th><th>" +
           t(aName) + "</th><th>" + t(bName) + "</th><th>" + t(text::reportCompatThreatColumn) +
           "</th></tr>\n";
    static constexpr const char* kThreats[] = {"neither", "a", "b", "both"};
    for (const CompatibilityYear& y : c.years) {
        // Only the threatened person's marks take the warning's colour.
        const auto marks = [](const std::optional<CalendarRow>& row, bool threatened) {
            return std::string(threatened ? "<td class=\"marks\">" : "<td>") +
                   (row ? t(periodMarksText(row->marks)) : std::string()) + "</td>";
        };
        const bool a = y.threat == Threat::A || y.threat == Threat::Both;
        const bool b = y.threat == Threat::B || y.threat == Threat::Both;
        out += "<tr class=\"" + std::string(y.threat == Threat::Neither ? "" : "warned") +
               "\" data-year=\"" + std::to_string(y.year) + "\" data-threatened=\"" +
               kThreats[static_cast<int>(y.threat)] + "\"><td>" + std::to_string(y.year) +
               "</td><td>" + t(pillarTextView(y.pillar)) + "</td>" + marks(y.a, a) + marks(y.b, b) +
               "<td>" + t(threatText(y.threat, pair)) + "</td></tr>\n";
    }
    out += "</table>\n<p class=\"legend\">" + t(text::reportCompatYearsLegend) + "</p>\n</div>\n";
}

}  // namespace

void appendCompatibilitySection(std::string& out, const CompatibilityPair& pair, int thisYear) {
    const Compatibility c = readCompatibility(pair.a, pair.b, thisYear, kDefaultCompatibilityYears);
    const CompatibilityTexts texts = compatibilityTexts(c, pair);
    const std::string_view aName = shownName(pair.aName, true);
    const std::string_view bName = shownName(pair.bName, false);
    out += "<section id=\"compatibility\">\n<h2>" + t(text::reportCompatHeading) + " " + t(aName) +
           t(text::reportCompatJoiner) + t(bName) + "</h2>\n";
    appendCharts(out, pair, c, aName, bName);
    appendParagraphs(out, "compatibility-stems", text::reportCompatStemsHeading, texts.dayStems);
    appendParagraphs(
        out, "compatibility-war", text::reportCompatWarHeading,
        texts.war.empty() ? std::vector<std::string>{} : std::vector<std::string>{texts.war});
    appendParagraphs(out, "compatibility-branches", text::reportCompatBranchesHeading,
                     texts.branches);
    appendParagraphs(out, "compatibility-trios", text::reportCompatTriosHeading, texts.trios);
    appendParagraphs(out, "compatibility-void", text::reportCompatVoidHeading, texts.voids);
    appendParagraphs(out, "compatibility-elements", text::reportCompatElementsHeading,
                     {texts.elements});
    appendYears(out, pair, c, aName, bName);
    appendParagraphs(out, "compatibility-summary", text::reportCompatSummaryHeading,
                     {texts.summary});
    out += "</section>\n";
}

}  // namespace quorvel
