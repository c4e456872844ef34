#include "cli/reading_commands.h"

#include "calendar/birth_notices.h"

#include <charconv>
#include <cstdio>
#include <string_view>

#include "calendar/calendar_tables.h"
#include "cli/chart_command.h"
#include "cli/cli_texts.h"
#include "cli/output_text.h"

namespace quorvel::cli {

namespace {

std::string quoted(std::string_view text) {
    return '"' + std::string(text) + '"';
}

std::string twoDigits(int n) {
    return {static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

// "1990-05-06 03:35", Japan time.
std::string momentText(const TermMoment& t) {
    return std::to_string(t.year) + "-" + twoDigits(t.month) + "-" + twoDigits(t.day) + " " +
           twoDigits(t.hour) + ":" + twoDigits(t.minute);
}

// Days to the minute as a plain decimal: at most six places, no trailing zeros.
std::string daysText(double days) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", days);
    std::string out = text;
    out.erase(out.find_last_not_of('0') + 1);
    if (out.back() == '.') {
        out.pop_back();
    }
    return out;
}

constexpr Element kElements[5] = {Element::Wood, Element::Fire, Element::Earth, Element::Metal,
                                  Element::Water};

// Output-encoded labels of the reading, looked up as they are needed.
struct Say {
    bool sjis;
    std::string operator()(std::string_view sjisText) const { return forOutput(sjisText, sjis); }
    std::string stem(Stem s) const { return (*this)(stemText(s)); }
    std::string branch(Branch b) const { return (*this)(branchText(b)); }
    std::string pillar(CycleIndex n) const { return (*this)(pillarTextView(n)); }
};

// "stem", then "branch" when the stem heads a pillar, then the relation and its common name.
void appendStemJson(std::string& out, const StemReading& r, const Say& say,
                    const Branch* branch = nullptr) {
    out += "\"stem\":" + quoted(say.stem(r.stem));
    if (branch != nullptr) {
        out += ",\"branch\":" + quoted(say.branch(*branch));
    }
    if (r.relation) {
        out += ",\"relation\":" + quoted(say(stemRelationLabel(*r.relation))) +
               ",\"common\":" + quoted(say(commonRelationName(*r.relation)));
    } else {
        out += ",\"relation\":null,\"common\":null";
    }
}

void appendElementsJson(std::string& out, const ElementCounts& counts, const Say& say) {
    out += '{';
    for (std::size_t e = 0; e < 5; ++e) {
        out += (e > 0 ? "," : "") + quoted(say(elementName(kElements[e]))) + ":" +
               std::to_string(counts[e]);
    }
    out += '}';
}

void appendMarksJson(std::string& out, const MarkList& marks, const Say& say) {
    for (int i = 0; i < marks.count; ++i) {
        out += (out.back() == '[' ? "" : ",") + quoted(say(gradeMarkText(marks.marks[i])));
    }
}

std::string marksJson(std::initializer_list<const MarkList*> lists, const Say& say) {
    std::string out = "[";
    for (const MarkList* list : lists) {
        appendMarksJson(out, *list, say);
    }
    return out + "]";
}

// The three parts' marks as "☆〇/〇/-".
std::string marksText(const PeriodMarks& m, const Say& say) {
    std::string out;
    for (const MarkList* list : {&m.heaven, &m.earth, &m.human}) {
        if (!out.empty()) {
            out += '/';
        }
        if (list->count == 0) {
            out += '-';
        }
        for (int i = 0; i < list->count; ++i) {
            out += say(gradeMarkText(list->marks[i]));
        }
    }
    return out;
}

}  // namespace

std::string padded(std::string text, std::size_t columns, bool sjis) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++width;
            ++i;
        } else {
            width += 2;
            i += sjis ? 2 : (c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2);
        }
    }
    if (width < columns) {
        text.append(columns - width, ' ');
    }
    return text;
}

namespace {

std::string elementsText(const ElementCounts& counts, const Say& say) {
    std::string out;
    for (std::size_t e = 0; e < 5; ++e) {
        out += (e > 0 ? " " : "") + say(elementName(kElements[e])) + std::to_string(counts[e]);
    }
    return out;
}

// A whole decimal number, nothing else.
bool parseNumber(std::string_view text, int& value) {
    if (text.empty() || text.size() > 4) {
        return false;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && text[0] != '-' &&
           text[0] != '+';
}

// "A-B" into two numbers.
bool parsePair(std::string_view text, int& a, int& b) {
    const std::size_t dash = text.find('-');
    return dash != std::string_view::npos && parseNumber(text.substr(0, dash), a) &&
           parseNumber(text.substr(dash + 1), b);
}

}  // namespace

std::string periodMarksText(const PeriodMarks& marks, bool sjisOutput) {
    return marksText(marks, Say{sjisOutput});
}

std::string periodMarksJson(const PeriodMarks& marks, bool sjisOutput) {
    return marksJson({&marks.heaven, &marks.earth, &marks.human}, Say{sjisOutput});
}

void appendFullChartJson(std::string& out, const FullChart& full, bool sjisOutput) {
    const Say say{sjisOutput};
    static constexpr const char* kKeys[kChartPillarCount] = {"year", "month", "day", "hour"};
    out += ",\"full\":{";
    for (int p = 0; p < kChartPillarCount; ++p) {
        const PillarReading& r = full.pillars[p];
        if (p == kHourPosition && !full.chart.hourKnown) {
            out += ",\"hour\":null";
            continue;
        }
        out += std::string(p > 0 ? "," : "") + "\"" + kKeys[p] + "\":{";
        appendStemJson(out, r.stem, say, &r.branch);
        out += ",\"stage\":" + quoted(say(growthStageLabel(r.stage))) + ",\"hidden\":[";
        for (int i = 0; i < r.hiddenCount; ++i) {
            out += i > 0 ? ",{" : "{";
            appendStemJson(out, r.hidden[i], say);
            out += '}';
        }
        out += "],\"hiddenByDays\":[";
        for (int i = 0; i < r.byDays.count; ++i) {
            const HiddenSpan& span = r.byDays.spans[i];
            out += std::string(i > 0 ? "," : "") + "{\"stem\":" + quoted(say.stem(span.stem)) +
                   ",\"kind\":" + quoted(say(hiddenKindName(span.kind))) +
                   ",\"days\":" + std::to_string(span.days) + "}";
        }
        out += "],\"commanding\":{\"stem\":" + quoted(say.stem(r.commanding.stem)) +
               ",\"kind\":" + quoted(say(hiddenKindName(r.commandingKind)));
        if (r.commanding.relation) {
            out += ",\"relation\":" + quoted(say(stemRelationLabel(*r.commanding.relation))) +
                   ",\"common\":" + quoted(say(commonRelationName(*r.commanding.relation)));
        }
        out += "},\"stars\":[";
        for (int i = 0; i < r.stars.count; ++i) {
            out += std::string(i > 0 ? "," : "") + quoted(say(specialStarName(r.stars.stars[i])));
        }
        out += "]}";
    }
    out += ",\"void\":[" + quoted(say.branch(full.voids[0])) + "," +
           quoted(say.branch(full.voids[1])) + "],\"elements\":";
    appendElementsJson(out, full.elements, say);
    out += ",\"elementsWithHidden\":";
    appendElementsJson(out, full.elementsWithHidden, say);
    out += ",\"terms\":[";
    for (const TermMoment* t : {&full.terms.before, &full.terms.after}) {
        out += std::string(t == &full.terms.after ? "," : "") +
               "{\"name\":" + quoted(say(sectionalTermName(t->month))) +
               ",\"jst\":" + quoted(momentText(*t)) + "}";
    }
    out += "],\"termNotice\":";
    out += full.notice == TermNotice::None ? "null" : quoted(say(termNoticeText(full.notice)));
    out += ",\"daysSinceTerm\":" + daysText(full.daysSinceTerm) +
           ",\"hiddenTable\":" + quoted(ruleWord(full.birth.rules.hiddenTable)) +
           ",\"countTermDay\":" + std::string(countTermDayWord(full.birth.rules.countTermDay));
    out += '}';
}

std::string formatFullChartText(const FullChart& full, bool sjisOutput) {
    const Say say{sjisOutput};
    // Right to left as a chart is drawn; an unknown hour has no column.
    const int columns[kChartPillarCount] = {kHourPosition, kDayPosition, kMonthPosition,
                                            kYearPosition};
    const int first = full.chart.hourKnown ? 0 : 1;
    constexpr std::size_t kLabelWidth = 12;
    constexpr std::size_t kCellWidth = 16;
    std::string out;
    const auto row = [&](std::string label, auto cellOf) {
        std::string line = padded(std::move(label), kLabelWidth, sjisOutput);
        for (int c = first; c < kChartPillarCount; ++c) {
            line += padded(cellOf(columns[c]), kCellWidth, sjisOutput);
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + "\n";
    };
    const auto pillarRow = [&](int chartRow, auto cellOf) {
        row(say(chartRowName(chartRow)), [&](int p) { return cellOf(full.pillars[p]); });
    };
    const auto relation = [&](const StemReading& r) {
        return r.relation ? say(relationWithCommonName(*r.relation)) : say(text::personLabel);
    };
    row("", [&](int p) { return say(pillarPositionName(p)); });
    pillarRow(kStemRow, [&](const PillarReading& r) { return say.stem(r.stem.stem); });
    pillarRow(kRelationRow, [&](const PillarReading& r) { return relation(r.stem); });
    pillarRow(kBranchRow, [&](const PillarReading& r) {
        return say.branch(r.branch) + (r.isVoid ? "(" + say(text::voidLabel) + ")" : "");
    });
    pillarRow(kCommandingRow, [&](const PillarReading& r) {
        return say.stem(r.commanding.stem) + "(" + say(hiddenKindName(r.commandingKind)) + ")";
    });
    pillarRow(kCommandingRelationRow,
              [&](const PillarReading& r) { return relation(r.commanding); });
    pillarRow(kStageRow, [&](const PillarReading& r) { return say(growthStageLabel(r.stage)); });
    pillarRow(kStarsRow, [&](const PillarReading& r) { return say(starsText(r.stars)); });
    pillarRow(kHiddenDetailRow,
              [&](const PillarReading& r) { return say(hiddenSpansText(r.byDays)); });
    out +=
        say(text::voidLabel) + " " + say.branch(full.voids[0]) + say.branch(full.voids[1]) + "\n";
    out += say(text::elementsLabel) + " " + elementsText(full.elements, say) + "\n";
    out += say(text::elementsWithHiddenLabel) + " " + elementsText(full.elementsWithHidden, say) +
           "\n";
    out += say(text::termsLabel) + " " + say(sectionalTermName(full.terms.before.month)) + " " +
           momentText(full.terms.before) + " / " + say(sectionalTermName(full.terms.after.month)) +
           " " + momentText(full.terms.after) + "\n";
    out += say(daysSinceTermText(full.reading.minutesSinceTerm)) + "\n";
    out += say(hiddenTableLine(full.birth.rules)) + "\n";
    if (full.notice != TermNotice::None) {
        out += say(termNoticeText(full.notice)) + "\n";
    }
    return out;
}

std::string formatCalendar(const std::vector<CalendarRow>& rows, bool json, bool sjisOutput) {
    const Say say{sjisOutput};
    std::string out;
    if (!json && !rows.empty()) {
        out += say(rows[0].day != 0     ? text::calendarDaysHeading
                   : rows[0].month != 0 ? text::calendarMonthsHeading
                                        : text::calendarYearsHeading) +
               "\n";
    }
    for (const CalendarRow& r : rows) {
        const std::string luck = r.luck >= 0 ? say.pillar(r.luckPillar) : std::string();
        if (json) {
            out += "{\"year\":" + std::to_string(r.year);
            if (r.month != 0) {
                out += ",\"month\":" + std::to_string(r.month);
            }
            if (r.day != 0) {
                out += ",\"day\":" + std::to_string(r.day);
            }
            if (r.month != 0 && r.day == 0) {
                out += ",\"term\":" + quoted(say(sectionalTermName(r.month))) +
                       ",\"termDay\":" + std::to_string(r.termDay) +
                       ",\"termHour\":" + std::to_string(r.termHour);
            }
            out += ",\"age\":" + std::to_string(r.age) +
                   ",\"pillar\":" + quoted(say.pillar(r.pillar)) +
                   ",\"luck\":" + (luck.empty() ? "null" : quoted(luck)) + ",\"marks\":" +
                   marksJson({&r.marks.heaven, &r.marks.earth, &r.marks.human}, say) +
                   ",\"heaven\":" + marksJson({&r.marks.heaven}, say) +
                   ",\"earth\":" + marksJson({&r.marks.earth}, say) +
                   ",\"human\":" + marksJson({&r.marks.human}, say) + ",\"luckMarks\":" +
                   marksJson({&r.luckMarks.heaven, &r.luckMarks.earth, &r.luckMarks.human}, say) +
                   "}\n";
            continue;
        }
        std::string when;
        if (r.day != 0) {
            when =
                std::to_string(r.year) + "-" + twoDigits(r.month) + "-" + twoDigits(r.day) + "  ";
        } else if (r.month != 0) {
            when = std::to_string(r.year) + "-" + twoDigits(r.month) + "  " +
                   padded(say(sectionalTermName(r.month)) + " " + std::to_string(r.termDay) +
                              say(text::dayUnit) + std::to_string(r.termHour) + say(text::hourUnit),
                          12, sjisOutput) +
                   "  ";
        } else {
            std::string age = std::to_string(r.age);
            when = std::to_string(r.year) + "  " +
                   std::string(3 - std::min<std::size_t>(3, age.size()), ' ') + age + "  ";
        }
        out += when + say.pillar(r.pillar) + "  " +
               padded(marksText(r.marks, say), 16, sjisOutput) + "  " +
               (luck.empty() ? std::string(4, ' ') : luck) + "  " +
               (luck.empty() ? std::string() : marksText(r.luckMarks, say));
        out.erase(out.find_last_not_of(' ') + 1);
        out += '\n';
    }
    return out;
}

int runCalendarCommand(const CalendarOptions& options, OutputStream& out, std::FILE* err) {
    const ChartTexts texts = makeChartTexts(options.sjisOutput);
    BirthInput birth;
    if (std::string problem; !applyRuleOptions(options.rules, birth, problem)) {
        tell(err, problem, options.sjisOutput);
        return 2;
    }
    if (options.record.number != 0) {
        if (const int status = readRecordBirth(options.record, birth, err); status != 0) {
            return status;
        }
    } else if (const InputProblem problem =
                   parseTypedBirth(options.sex, options.date, options.hour, birth);
               problem != InputProblem::None) {
        tellConverted(err, problemMessage(problem, texts), options.sjisOutput);
        return 2;
    }
    const std::optional<FullChart> full = readFullChart(birth);
    if (!full) {
        tellConverted(err, texts.dataError, options.sjisOutput);
        return 2;
    }

    std::vector<CalendarRow> rows;
    CalendarCheck check = CalendarCheck::Ok;
    int a = 0;
    int b = 0;
    bool wellFormed = true;
    if (!options.month.empty()) {
        wellFormed = parsePair(options.month, a, b);
        check = wellFormed ? calendarDays(*full, a, b, rows) : check;
    } else if (!options.year.empty()) {
        wellFormed = parseNumber(options.year, a);
        check = wellFormed ? calendarMonths(*full, a, rows) : check;
    } else if (!options.years.empty()) {
        wellFormed = parsePair(options.years, a, b);
        check = wellFormed ? calendarYears(*full, a, b, rows) : check;
    } else {
        check = calendarYears(*full, birth.year, birth.year + kDefaultCalendarYears, rows);
    }
    if (!wellFormed) {
        tellConverted(err, texts.dataError, options.sjisOutput);
        return 2;
    }
    if (check != CalendarCheck::Ok) {
        tell(err, calendarCheckMessage(check), options.sjisOutput);
        return 2;
    }
    out.write(formatCalendar(rows, options.json, options.sjisOutput));
    return 0;
}

}  // namespace quorvel::cli
