#include "report/report_html.h"

#include <cstdio>
#include <vector>

#include "calendar/birth_notices.h"
#include "calendar/chart_details.h"
#include "common/sjis_utf8.h"
#include "judgement/hexagram_tables.h"
#include "judgement/judgement.h"
#include "judgement/text_tables.h"
#include "reading/fortune_calendar.h"
#include "report/html_text.h"
#include "report/report_compatibility.h"
#include "report/report_texts.h"
#include "report/yearly_review.h"

namespace quorvel {

namespace {

// Print and screen alike: A4 with margins, sections kept whole where they fit, Japanese gothic
// fonts by name with the generic family behind them.
constexpr std::string_view kStyle = R"(
@page { size: A4; margin: 14mm 14mm 16mm 14mm; }
* { box-sizing: border-box; }
html { font-family: "IPAGothic", "IPAexGothic", "Noto Sans CJK JP", "Noto Sans JP",
       "Hiragino Sans", "Yu Gothic", "Meiryo", sans-serif; font-size: 10.5pt; color: #222; }
body { margin: 0 auto; max-width: 182mm; padding: 8mm 4mm; line-height: 1.6; background: #fff; }
h1 { font-size: 22pt; letter-spacing: 0.5em; text-align: center; margin: 0 0 4mm;
     border-bottom: 3px double #7a4b2a; padding-bottom: 2mm; color: #5a3216; }
h2 { font-size: 13pt; margin: 6mm 0 2mm; padding: 1mm 3mm; border-left: 5px solid #7a4b2a;
     background: #f6efe6; color: #5a3216; }
section { break-inside: avoid; page-break-inside: avoid; }
dl.person { display: grid; grid-template-columns: max-content 1fr max-content 1fr;
            gap: 1mm 4mm; margin: 0 0 2mm; }
dl.person dt { font-weight: bold; color: #5a3216; }
dl.person dd { margin: 0; }
table { border-collapse: collapse; width: 100%; }
th, td { border: 1px solid #b9a48f; padding: 1mm 2mm; text-align: center; vertical-align: middle; }
th { background: #f6efe6; font-weight: bold; white-space: nowrap; }
table.chart td { font-size: 11.5pt; }
table.chart td.stem, table.chart td.branch { font-size: 16pt; }
table.chart td.stars { font-size: 9.5pt; }
table.chart td.hidden { font-size: 8.5pt; padding: 1mm 1mm; }
td.hidden .line { display: block; white-space: nowrap; }
.kind { color: #7a4b2a; font-size: 8.5pt; margin: 0 0.3em; }
table.years { font-size: 9.5pt; }
table.years td, table.years th { padding: 0.3mm 1.5mm; }
tr.warned td { background: #fbeaea; }
tr.now td { background: #fff3c4; font-weight: bold; }
tr.warned td.marks { color: #a01010; }
.void { color: #a01010; font-size: 8.5pt; display: block; }
p.facts { margin: 1mm 0; }
div.part { margin: 1mm 0 2.5mm; }
div.part p { margin: 0 0 0.8mm; }
div.part p.label { font-weight: bold; color: #5a3216; }
p.hexagram { margin: 0.5mm 0; }
div.findings h3 { font-size: 11pt; margin: 3mm 0 1mm; color: #5a3216; }
div.findings p { margin: 0 0 1.2mm; }
table.pair { width: auto; margin: 0 0 2mm; }
table.pair td.pillar { font-size: 14pt; letter-spacing: 0.1em; }
p.notice, p.legend { font-size: 9pt; color: #555; }
svg { width: 100%; height: auto; display: block; }
svg .box { fill: #fbf8f3; stroke: #b9a48f; }
svg .now .box { fill: #fff3c4; stroke: #7a4b2a; stroke-width: 2; }
svg text { font-family: inherit; text-anchor: middle; fill: #222; }
svg .age { font-size: 15px; }
svg .pillar { font-size: 20px; font-weight: bold; }
svg .marks { font-size: 14px; }
svg .years { font-size: 14px; fill: #444; }
svg .nowlabel { font-size: 14px; fill: #7a4b2a; font-weight: bold; }
svg .axis { stroke: #7a4b2a; stroke-width: 1.5; }
footer { margin-top: 6mm; font-size: 8.5pt; color: #666; text-align: center; }
@media print { body { padding: 0; max-width: none; } h2 { break-after: avoid; } }
)";

// The timeline is drawn in these units; printed, its width is A4's less the margins (182 mm), so
// one unit is 182/760 mm and a font of 14 units prints at 9.5 pt.
constexpr int kTimelineBox = 74;
constexpr int kTimelineLeft = 10;

using html::escaped;
using html::t;

// A UTF-8 text as the body of a CSS string inside <style>: every ASCII character but letters,
// digits and the space by its code, so that no quote, backslash or "</style" can end it early.
std::string cssString(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = byte >= 0x80 || byte == ' ' || (byte >= '0' && byte <= '9') ||
                           (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
        if (plain) {
            out += c;
        } else {
            out += '\\';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
            out += ' ';
        }
    }
    return out + '"';
}

std::string n(int value) {
    return std::to_string(value);
}

std::string twoDigits(int value) {
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

std::string marksOfList(const MarkList& list) {
    std::string out;
    for (int i = 0; i < list.count; ++i) {
        out += t(gradeMarkText(list.marks[i]));
    }
    return out;
}

std::string allMarks(const PeriodMarks& m) {
    return marksOfList(m.heaven) + marksOfList(m.earth) + marksOfList(m.human);
}

// "△/〇/-", as the calendar prints a period's marks.
std::string partMarks(const PeriodMarks& m) {
    std::string out;
    for (const MarkList* list : {&m.heaven, &m.earth, &m.human}) {
        out += (out.empty() ? "" : "/") + (list->count == 0 ? "-" : marksOfList(*list));
    }
    return out;
}

// 「革新(偏官)」, or 「本人」 for the day stem.
std::string relationCell(const StemReading& r) {
    return r.relation ? t(relationWithCommonName(*r.relation)) : t(text::reportPersonLabel);
}

// Every printed page names the person at its head and carries its number at its foot.
std::string pageMarginRules(std::string_view sjisName) {
    return "@page {\n  @top-left { content: " +
           cssString(sjisToUtf8(sjisName) + " " + sjisToUtf8(text::reportTitle)) +
           "; font-size: 9pt; color: #555; }\n"
           "  @bottom-center { content: counter(page) \" / \" counter(pages); font-size: 9pt; "
           "color: #555; }\n}\n";
}

std::string elementsLine(const ElementCounts& counts) {
    constexpr Element kElements[5] = {Element::Wood, Element::Fire, Element::Earth, Element::Metal,
                                      Element::Water};
    std::string out;
    for (std::size_t e = 0; e < 5; ++e) {
        out += (e > 0 ? " " : "") + t(elementName(kElements[e])) + n(counts[e]);
    }
    return out;
}

std::string momentLine(const TermMoment& m) {
    return t(sectionalTermName(m.month)) + " " + n(m.year) + "-" + twoDigits(m.month) + "-" +
           twoDigits(m.day) + " " + twoDigits(m.hour) + ":" + twoDigits(m.minute);
}

// 10時生まれ, 10時20分生まれ or 時刻不明, and the birthplace where one is known.
std::string birthHour(const BirthData& b) {
    std::string out;
    if (b.hour == kHourUnknown) {
        out = t(text::reportUnknownHour);
    } else {
        out = n(b.hour) + t(text::reportHourUnit);
        if (b.minute != kMinutesUnknown) {
            out += n(b.minute) + t(text::reportMinuteUnit);
        }
        out += t(text::reportBornSuffix);
    }
    if (b.place.prefecture != 0) {
        out += " " + t(prefectureName(b.place.prefecture));
    } else if (b.place.typed) {
        char degrees[32];
        std::snprintf(degrees, sizeof degrees, "%.2f", b.place.longitude);
        out += " " + t(text::reportLongitudeLead) + degrees + t(text::reportDegreeUnit);
    }
    return out;
}

// The rules the chart was read with, the corrected times and the notices of the reading.
void appendReading(std::string& out, const BirthReading& reading) {
    out += "<p class=\"facts\" id=\"rules\">" + t(rulesLine(reading.rules)) + "</p>\n";
    out += "<p class=\"facts\" id=\"times\">" + t(timesLine(reading)) + "</p>\n";
    for (int i = 0; i < reading.notices.count; ++i) {
        out += "<p class=\"notice\">" + t(noticeText(reading.notices.items[i], reading)) + "</p>\n";
    }
}

void appendPerson(std::string& out, const ReportRequest& r, int age) {
    const BirthData& b = r.birth;
    out += "<dl class=\"person\">\n<dt>" + t(text::reportNameLabel) + "</dt><dd id=\"name\">" +
           t(r.name) + "</dd>\n<dt>" + t(text::reportSexLabel) + "</dt><dd id=\"sex\">" +
           t(b.sex == Sex::Male ? text::reportMale : text::reportFemale) + "</dd>\n<dt>" +
           t(text::reportBirthLabel) + "</dt><dd id=\"birth\">" + n(b.year) +
           t(text::reportYearUnit) + n(b.month) + t(text::reportMonthUnit) + n(b.day) +
           t(text::reportDayUnit) + birthHour(b) + "</dd>\n<dt>" + t(text::reportAgeLabel) +
           "</dt><dd id=\"age\">" + t(text::reportAgeNote) + n(age) + t(text::reportAgeUnit) +
           "</dd>\n<dt>" + t(text::reportMadeLabel) + "</dt><dd id=\"made\">" + n(r.today.year) +
           t(text::reportYearUnit) + n(r.today.month) + t(text::reportMonthUnit) + n(r.today.day) +
           t(text::reportDayUnit) + "</dd>\n</dl>\n";
}

// Charts are read right to left, as the 命式表 window draws them: 時柱 日柱 月柱 年柱.
constexpr int kDrawnOrder[kChartPillarCount] = {kHourPosition, kDayPosition, kMonthPosition,
                                                kYearPosition};

void appendChart(std::string& out, const FullChart& full) {
    // Without an hour the chart has three pillars and the table three columns.
    const int first = full.chart.hourKnown ? 0 : 1;
    out += "<section id=\"chart\">\n<h2>" + t(text::reportChartHeading) +
           "</h2>\n<table class=\"chart\">\n<tr><th></th>";
    for (int c = first; c < kChartPillarCount; ++c) {
        out += "<th>" + t(pillarPositionName(kDrawnOrder[c])) + "</th>";
    }
    const auto row = [&](int chartRow, const char* cls, auto cell) {
        out += "</tr>\n<tr class=\"" + std::string(cls) + "\"><th>" + t(chartRowName(chartRow)) +
               "</th>";
        for (int c = first; c < kChartPillarCount; ++c) {
            out += "<td class=\"" + std::string(cls) + "\">" + cell(full.pillars[kDrawnOrder[c]]) +
                   "</td>";
        }
    };
    row(kStemRow, "stem", [](const PillarReading& r) { return t(stemText(r.stem.stem)); });
    row(kRelationRow, "relation", [](const PillarReading& r) { return relationCell(r.stem); });
    row(kBranchRow, "branch", [](const PillarReading& r) {
        return t(branchText(r.branch)) +
               (r.isVoid ? "<span class=\"void\">" + t(text::reportVoidLabel) + "</span>" : "");
    });
    row(kCommandingRow, "commanding", [](const PillarReading& r) {
        return t(stemText(r.commanding.stem)) + "<span class=\"kind\">" +
               t(hiddenKindName(r.commandingKind)) + "</span>";
    });
    row(kCommandingRelationRow, "commanding-relation",
        [](const PillarReading& r) { return relationCell(r.commanding); });
    row(kStageRow, "stage", [](const PillarReading& r) { return t(growthStageLabel(r.stage)); });
    row(kStarsRow, "stars", [](const PillarReading& r) {
        std::string cell;
        for (int i = 0; i < r.stars.count; ++i) {
            cell += (i > 0 ? "<br>" : "") + t(specialStarName(r.stars.stars[i]));
        }
        return cell;
    });
    // Every hidden stem in the order it governs the month, its days and its relation.
    const Stem dayStem = stemOf(full.chart.dayPillar.index);
    row(kHiddenDetailRow, "hidden", [dayStem](const PillarReading& r) {
        std::string cell;
        for (int i = 0; i < r.byDays.count; ++i) {
            const HiddenSpan& span = r.byDays.spans[i];
            cell += "<span class=\"line\"><span class=\"kind\">" + t(hiddenKindName(span.kind)) +
                    "</span>" + t(stemText(span.stem)) + " " + n(span.days) +
                    t(text::reportDaysUnit) + " " +
                    relationCell(readStem(dayStem, span.stem, false)) + "</span>";
        }
        return cell;
    });
    out += "</tr>\n</table>\n";

    const Chart& c = full.chart;
    out += "<p class=\"facts\" id=\"void\">" + t(text::reportVoidLabel) + " " +
           t(branchText(full.voids[0])) + t(branchText(full.voids[1])) + "</p>\n";
    out += "<p class=\"facts\" id=\"elements\">" + t(text::reportElementsLabel) + " " +
           elementsLine(full.elements) + " / " + t(text::reportElementsWithHiddenLabel) + " " +
           elementsLine(full.elementsWithHidden) + "</p>\n";
    out += "<p class=\"facts\" id=\"terms\">" + t(text::reportTermsLabel) + " " +
           momentLine(full.terms.before) + " / " + momentLine(full.terms.after) + "</p>\n";
    out += "<p class=\"facts\" id=\"since-term\">" +
           t(daysSinceTermText(full.reading.minutesSinceTerm)) + " / " +
           t(hiddenTableLine(full.birth.rules)) + "</p>\n";
    out += "<p class=\"facts\" id=\"direction\">" + t(text::reportLuckLabel) + " " +
           t(c.luckForward ? text::reportForward : text::reportBackward) + " " +
           t(text::reportStartAgeLabel) + t(startAgeText(c.startAgeMonths)) + "</p>\n";
    if (full.notice != TermNotice::None) {
        out += "<p class=\"notice\">" + t(termNoticeText(full.notice)) + "</p>\n";
    }
    appendReading(out, full.reading);
    out += "</section>\n";
}

// A luck period's marks in the timeline, squeezed into its box where they are too many for it.
std::string timelineMarks(const std::string& x, const PeriodMarks& marks) {
    constexpr int kRoom = kTimelineBox - 8;
    constexpr int kFontUnits = 14;  // svg .marks
    int wide = 0;
    for (const MarkList* list : {&marks.heaven, &marks.earth, &marks.human}) {
        wide += list->count == 0 ? 1 : list->count;
    }
    const int estimate = wide * kFontUnits + 2 * kFontUnits / 2;  // and the two slashes
    const std::string fit =
        estimate > kRoom ? " textLength=\"" + n(kRoom) + "\" lengthAdjust=\"spacingAndGlyphs\""
                         : std::string();
    return "<text class=\"marks\"" + x + fit + " y=\"84\">" + partMarks(marks) + "</text>\n";
}

void appendTimeline(std::string& out, const FullChart& full, int current) {
    constexpr int kBox = kTimelineBox;
    constexpr int kLeft = kTimelineLeft;
    const CycleIndex day = full.chart.dayPillar.index;
    out += "<section id=\"timeline\">\n<h2>" + t(text::reportTimelineHeading) +
           "</h2>\n<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " +
           n(2 * kLeft + kLuckPillarCount * kBox) + " 150\" role=\"img\" aria-label=\"" +
           t(text::reportTimelineHeading) + "\">\n<line class=\"axis\" x1=\"" + n(kLeft) +
           "\" y1=\"122\" x2=\"" + n(kLeft + kLuckPillarCount * kBox) + "\" y2=\"122\"/>\n";
    for (int k = 0; k < kLuckPillarCount; ++k) {
        const LuckPillar& luck = full.chart.luckPillars[k];
        const PeriodMarks marks =
            judgementMarks(day, luck.pillar.index, kLuckPeriod, full.birth.sex);
        const int x = kLeft + k * kBox;
        const int mid = x + kBox / 2;
        const std::string cx = " x=\"" + n(mid) + "\"";
        out += "<g class=\"luck" + std::string(k == current ? " now" : "") + "\" data-index=\"" +
               n(k) + "\" data-pillar=\"" + t(pillarTextView(luck.pillar.index)) +
               "\" data-marks=\"" + allMarks(marks) + "\">\n<rect class=\"box\" x=\"" + n(x + 3) +
               "\" y=\"14\" width=\"" + n(kBox - 6) +
               "\" height=\"100\" rx=\"4\"/>\n<text class=\"age\"" + cx + " y=\"32\">" +
               n(luck.fromAge) + t(text::reportAgeUnit) + "</text>\n<text class=\"pillar\"" + cx +
               " y=\"59\">" + t(pillarTextView(luck.pillar.index)) + "</text>\n" +
               timelineMarks(cx, marks) + "<text class=\"years\"" + cx + " y=\"106\">" +
               n(full.birth.year + luck.fromAge) + "-</text>\n";
        if (k == current) {
            out += "<text class=\"nowlabel\"" + cx + " y=\"142\">" + t(text::reportNowLabel) +
                   "</text>\n";
        }
        out += "</g>\n";
    }
    out += "</svg>\n<p class=\"legend\">" + t(text::reportLegend) + "</p>\n</section>\n";
}

void appendYears(std::string& out, const FullChart& full, int current, int thisYear) {
    out += "<section id=\"years\">\n<h2>" + t(text::reportYearsHeading) + "</h2>\n";
    const Chart& c = full.chart;
    const int lastAge = kCalendarMaxAge;
    int firstAge = 0;
    int endAge = 0;
    if (current >= 0) {
        firstAge = c.luckPillars[current].fromAge;
        endAge = firstAge + (current + 1 < kLuckPillarCount ? 20 : 10) - 1;
    } else if (ageInYear(full.birth, thisYear) < c.startAge) {
        out += "<p class=\"notice\">" + t(text::reportBeforeLuck) + "</p>\n";
        firstAge = 0;
        endAge = c.startAge + 9;
    } else {
        out += "<p class=\"notice\">" + t(text::reportAfterLuck) + "</p>\n</section>\n";
        return;
    }
    std::vector<CalendarRow> rows;
    if (calendarYears(full, full.birth.year + firstAge, full.birth.year + std::min(endAge, lastAge),
                      rows) != CalendarCheck::Ok) {
        out += "<p class=\"notice\">" + t(text::reportNoYears) + "</p>\n</section>\n";
        return;
    }
    out += "<table class=\"years\">\n<tr><th>" + t(text::reportYearColumn) + "</th><th>" +
           t(text::reportAgeColumn) + "</th><th>" + t(text::reportYearPillarColumn) + "</th><th>" +
           t(text::reportHeavenColumn) + "</th><th>" + t(text::reportEarthColumn) + "</th><th>" +
           t(text::reportHumanColumn) + "</th><th>" + t(text::reportLuckLabel) + "</th><th>" +
           t(text::reportLuckLabel) + t(text::reportHeavenColumn) + "/" +
           t(text::reportEarthColumn) + "/" + t(text::reportHumanColumn) + "</th></tr>\n";
    for (const CalendarRow& r : rows) {
        // The year's own judgement decides the warning, as the 年運一覧 decides it.
        std::string cls = r.year == thisYear ? "now" : "";
        if (isWarning(r.marks)) {
            cls += cls.empty() ? "warned" : " warned";
        }
        out += "<tr class=\"" + cls + "\" data-year=\"" + n(r.year) + "\" data-marks=\"" +
               allMarks(r.marks) + "\"><td>" + n(r.year) + "</td><td>" + n(r.age) + "</td><td>" +
               t(pillarTextView(r.pillar)) + "</td><td class=\"marks\">" +
               marksOfList(r.marks.heaven) + "</td><td class=\"marks\">" +
               marksOfList(r.marks.earth) + "</td><td class=\"marks\">" +
               marksOfList(r.marks.human) + "</td><td>" +
               (r.luck >= 0 ? t(pillarTextView(r.luckPillar)) : "") + "</td><td>" +
               (r.luck >= 0 ? partMarks(r.luckMarks) : "") + "</td></tr>\n";
    }
    out += "</table>\n</section>\n";
}

// One part of a judgement, a line for each piece its separators part (HTML would run them into
// one): the label, the body, the ☆ or ★ line, the summary. The 天運 label gains the relation's
// common name; a part of one sentence (人運) is that sentence alone.
void appendPart(std::string& out, std::string_view part, std::string_view relationLabel,
                std::string_view commonName) {
    std::vector<std::string_view> pieces;
    while (!part.empty()) {
        const std::size_t end = part.find(kTextSeparator);
        if (end != 0) {
            pieces.push_back(part.substr(0, end));
        }
        part.remove_prefix(end == std::string_view::npos ? part.size()
                                                         : end + kTextSeparator.size());
    }
    if (pieces.empty()) {
        return;
    }
    out += "<div class=\"part\">\n";
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const bool label = i == 0 && pieces.size() > 1;
        const bool named = label && !relationLabel.empty() && pieces[i].ends_with(relationLabel);
        out += std::string(label ? "<p class=\"label\">" : "<p>") + t(pieces[i]) +
               (named ? "(" + t(commonName) + ")" : std::string()) + "</p>\n";
    }
    out += "</div>\n";
}

void appendJudgement(std::string& out, const char* id, std::string_view heading,
                     std::string_view when, CycleIndex base, CycleIndex running, PeriodFlags period,
                     Sex sex) {
    const JudgementKey key{stemNumber(base), branchNumber(base), stemNumber(running),
                           branchNumber(running)};
    const JudgementParts parts = judgementParts(key, period);
    const StemRelation relation = stemRelation(stemOf(base), stemOf(running));
    out += "<section id=\"" + std::string(id) + "\" data-pillar=\"" + t(pillarTextView(running)) +
           "\" data-marks=\"" + allMarks(judgementMarks(base, running, period, sex)) + "\">\n<h2>" +
           t(heading) + " " + escaped(when) + " " + t(pillarTextView(running)) + "</h2>\n";
    appendPart(out, parts.heaven, stemRelationLabel(relation), commonRelationName(relation));
    for (const std::string_view part : {parts.earth, parts.human[0], parts.human[1]}) {
        appendPart(out, part, {}, {});
    }
    out += "</section>\n";
}

void appendHexagramLines(std::string& out, std::string_view reading) {
    while (!reading.empty()) {
        const std::size_t end = reading.find('\n');
        const std::string_view line = reading.substr(0, end);
        reading.remove_prefix(end == std::string_view::npos ? reading.size() : end + 1);
        if (!line.empty() && line != "\r") {
            out += "<p class=\"hexagram\">" + t(line) + "</p>\n";
        }
    }
}

void appendHexagram(std::string& out, CycleIndex base, CycleIndex running) {
    out += "<section id=\"hexagram\" data-pillar=\"" + t(pillarTextView(running)) + "\">\n<h2>" +
           t(text::reportHexagramHeading) + "</h2>\n";
    std::string_view reading;
    const std::string_view baseText = pillarTextView(base);
    const std::string_view runningText = pillarTextView(running);
    if (findHexagram(baseText, Dun::None, runningText, reading) == HexagramCheck::Ok) {
        appendHexagramLines(out, reading);
    } else {
        // A base of the centre number stands for no trigram: both readings are given.
        for (const auto& [dun, label] :
             {std::pair{Dun::Yang, text::reportDunYang}, std::pair{Dun::Yin, text::reportDunYin}}) {
            if (findHexagram(baseText, dun, runningText, reading) == HexagramCheck::Ok) {
                out += "<h3>" + t(label) + "</h3>\n";
                appendHexagramLines(out, reading);
            }
        }
    }
    out += "</section>\n";
}

}  // namespace

int ageOnDay(const BirthData& birth, const ReportDate& day) {
    const bool beforeBirthday =
        day.month < birth.month || (day.month == birth.month && day.day < birth.day);
    return day.year - birth.year - (beforeBirthday ? 1 : 0);
}

std::string reportFileName(std::string_view sjisName) {
    return std::string(sjisName) + std::string(text::reportTitle) + ".html";
}

std::optional<std::string> buildReport(const ReportRequest& request) {
    const std::optional<FullChart> full = readFullChart(request.birth);
    if (!full || ageOnDay(request.birth, request.today) < 0) {
        return std::nullopt;
    }
    std::optional<FullChart> partner;
    if (request.partner) {
        partner = readFullChart(request.partner->birth);
        if (!partner) {
            return std::nullopt;
        }
    }
    const int thisYear = request.today.year;
    const int current = luckInForce(full->chart, ageInYear(full->birth, thisYear));
    const CycleIndex day = full->chart.dayPillar.index;
    const std::string yearText = n(thisYear) + sjisToUtf8(text::reportYearUnit);

    std::string out =
        "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>" +
        t(request.name) + " " + t(text::reportTitle) + "</title>\n<style>" + std::string(kStyle) +
        pageMarginRules(request.name) + "</style>\n</head>\n<body>\n<header>\n<h1>" +
        t(text::reportTitle) + "</h1>\n";
    appendPerson(out, request, ageOnDay(request.birth, request.today));
    out += "</header>\n";
    appendChart(out, *full);
    appendTimeline(out, *full, current);
    appendYears(out, *full, current, thisYear);
    const Sex sex = request.birth.sex;
    appendJudgement(out, "year-judgement", text::reportYearJudgementHeading, yearText, day,
                    yearPillarOf(thisYear), kCalendarPeriod, sex);
    if (current >= 0) {
        const LuckPillar& luck = full->chart.luckPillars[current];
        const std::string when =
            n(full->birth.year + luck.fromAge) + "-" + n(full->birth.year + luck.fromAge + 9);
        appendJudgement(out, "luck-judgement", text::reportLuckJudgementHeading, when, day,
                        luck.pillar.index, kLuckPeriod, sex);
    }
    appendHexagram(out, day, yearPillarOf(thisYear));
    if (partner) {
        appendCompatibilitySection(out, {*full, *partner, request.name, request.partner->name},
                                   thisYear);
    }
    out += "<footer>" + t(text::reportFooter) + "</footer>\n</body>\n</html>\n";
    return out;
}

}  // namespace quorvel
