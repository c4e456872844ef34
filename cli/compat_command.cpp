#include "cli/compat_command.h"

#include <optional>
#include <string_view>
#include <vector>

#include "cli/chart_command.h"
#include "cli/cli_texts.h"
#include "cli/output_text.h"
#include "cli/person_commands.h"
#include "cli/reading_commands.h"
#include "cli/record_commands.h"
#include "cli/report_command.h"
#include "common/sjis_utf8.h"
#include "common/typed_text.h"
#include "reading/compatibility_document.h"

namespace quorvel::cli {

namespace {

constexpr int kMostYears = kCalendarMaxAge;

std::vector<std::string_view> fieldsOf(std::string_view text) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t comma = text.find(',');
        fields.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos) {
            return fields;
        }
        text.remove_prefix(comma + 1);
    }
}

bool allDigits(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return !text.empty();
}

int readTypedPerson(std::string_view text, const RuleOptions& rules, bool sjis, BirthData& birth,
                    std::string& name, std::FILE* err) {
    const std::vector<std::string_view> fields = fieldsOf(text);
    const ChartTexts texts = makeChartTexts(sjis);
    if (fields.size() < 3 || fields.size() > 5) {
        tellConverted(err, texts.dataError, sjis);
        return 2;
    }
    if (fields.size() == 5 && !fields[4].empty()) {
        RuleOptions here = rules;
        here.place = std::string(fields[4]);
        here.longitude.clear();
        if (std::string problem; !applyRuleOptions(here, birth, problem)) {
            tell(err, problem, sjis);
            return 2;
        }
    }
    if (const InputProblem problem = parseTypedBirth(fields[0], fields[1], fields[2], birth);
        problem != InputProblem::None) {
        tellConverted(err, problemMessage(problem, texts), sjis);
        return 2;
    }
    if (fields.size() >= 4) {
        if (const int status = readTypedName(fields[3], sjis, name, err); status != 0) {
            return status;
        }
        name = std::string(trimSjisBlanks(name));
    }
    return 0;
}

std::string outputText(std::string_view sjisText, bool sjis) {
    return forOutput(sjisText, sjis);
}

std::string quoted(std::string_view sjisText, bool sjis) {
    return "\"" + outputText(sjisText, sjis) + "\"";
}

void appendPersonJson(std::string& out, const FullChart& chart, std::string_view name, bool sjis) {
    static constexpr const char* kKeys[kChartPillarCount] = {"year", "month", "day", "hour"};
    out += "{\"name\":" + jsonText(outputText(name, sjis), sjis);
    for (int p = 0; p < kChartPillarCount; ++p) {
        out += ",\"" + std::string(kKeys[p]) + "\":";
        out += p == kHourPosition && !chart.chart.hourKnown
                   ? std::string("null")
                   : quoted(pillarTextView(chart.pillars[p].pillar), sjis);
    }
    out += '}';
}

void appendRelationJson(std::string& out, StemRelation relation, bool sjis) {
    out += "{\"relation\":" + quoted(stemRelationLabel(relation), sjis) +
           ",\"common\":" + quoted(commonRelationName(relation), sjis) + "}";
}

std::string elementsJson(const ElementCounts& counts, bool sjis) {
    std::string out = "{";
    for (std::size_t e = 0; e < counts.size(); ++e) {
        out += (e > 0 ? "," : "") + quoted(elementName(static_cast<Element>(e)), sjis) + ":" +
               std::to_string(counts[e]);
    }
    return out + "}";
}

std::string lacksJson(const std::array<bool, 5>& lacks, bool sjis) {
    std::string out = "[";
    for (std::size_t e = 0; e < lacks.size(); ++e) {
        if (lacks[e]) {
            out += (out.size() > 1 ? "," : "") + quoted(elementName(static_cast<Element>(e)), sjis);
        }
    }
    return out + "]";
}

std::string yearMarksJson(const std::optional<CalendarRow>& row, bool sjis) {
    return row ? periodMarksJson(row->marks, sjis) : std::string("[]");
}

std::string compatJson(const Compatibility& c, const CompatibilityPair& pair, bool sjis) {
    static constexpr const char* kThreats[] = {"neither", "a", "b", "both"};
    std::string out = "{\"persons\":[";
    appendPersonJson(out, pair.a, pair.aName, sjis);
    out += ',';
    appendPersonJson(out, pair.b, pair.bName, sjis);
    out += "],\"dayStems\":{\"aToB\":";
    appendRelationJson(out, c.aToB, sjis);
    out += ",\"bToA\":";
    appendRelationJson(out, c.bToA, sjis);
    out += c.stemsCombine ? ",\"combine\":true}" : ",\"combine\":false}";

    out += ",\"branches\":[";
    for (std::size_t i = 0; i < c.branches.size(); ++i) {
        const BranchFinding& f = c.branches[i];
        out += std::string(i > 0 ? "," : "") + "{\"a\":" + quoted(branchPositionName(f.a), sjis) +
               ",\"b\":" + quoted(branchPositionName(f.b), sjis) + ",\"relation\":[";
        bool first = true;
        for (int k = 0; k < kBranchBondCount; ++k) {
            if (f.bonds.has(static_cast<BranchBond>(k))) {
                out +=
                    (first ? "" : ",") + quoted(branchBondName(static_cast<BranchBond>(k)), sjis);
                first = false;
            }
        }
        out += "]}";
    }
    out += "],\"trios\":[";
    for (std::size_t i = 0; i < c.trios.size(); ++i) {
        out += (i > 0 ? "," : "") + quoted(trioText(c.trios[i]), sjis);
    }
    out += "]";
    out +=
        c.heavenWarEarthClash ? ",\"heavenWarEarthClash\":true" : ",\"heavenWarEarthClash\":false";
    const auto flag = [](bool b) { return b ? std::string("true") : std::string("false"); };
    out += ",\"void\":{\"aDayInBVoid\":" + flag(c.aDayInBVoid) +
           ",\"bDayInAVoid\":" + flag(c.bDayInAVoid) + "}";
    out += ",\"yearVoid\":{\"aYearInBVoid\":" + flag(c.aYearInBVoid) +
           ",\"bYearInAVoid\":" + flag(c.bYearInAVoid) + "}";
    out += ",\"elements\":{\"a\":" + elementsJson(c.aElements, sjis) +
           ",\"b\":" + elementsJson(c.bElements, sjis) +
           ",\"aLacks\":" + lacksJson(c.aLacks, sjis) + ",\"bLacks\":" + lacksJson(c.bLacks, sjis) +
           "}";
    out += ",\"years\":[";
    for (std::size_t i = 0; i < c.years.size(); ++i) {
        const CompatibilityYear& y = c.years[i];
        out += std::string(i > 0 ? "," : "") + "{\"year\":" + std::to_string(y.year) +
               ",\"pillar\":" + quoted(pillarTextView(y.pillar), sjis) +
               ",\"a\":" + yearMarksJson(y.a, sjis) + ",\"b\":" + yearMarksJson(y.b, sjis) +
               ",\"threatened\":\"" + kThreats[static_cast<int>(y.threat)] + "\"}";
    }
    out += "]}\n";
    return out;
}

}  // namespace

int readPersonArgument(const PersonArgument& argument, const RuleOptions& rules, bool sjis,
                       BirthData& birth, std::string& name, std::FILE* err) {
    birth = {};
    name.clear();
    if (std::string problem; !applyRuleOptions(rules, birth, problem)) {
        tell(err, problem, sjis);
        return 2;
    }
    if (!allDigits(argument.text)) {
        return readTypedPerson(argument.text, rules, sjis, birth, name, err);
    }
    RecordOptions record;
    record.file = argument.file;
    record.sjisOutput = sjis;
    // Exactly the numbers `records --all` shows: no leading zero, at most nine digits; any other
    // is no record's.
    record.number =
        argument.text[0] == '0' || argument.text.size() > 9 ? 0 : std::stoi(argument.text);
    return readRecordPerson(record, birth, name, err);
}

int runCompatCommand(const CompatOptions& options, OutputStream& out, std::FILE* err) {
    const bool sjis = options.sjisOutput;
    BirthData births[2];
    std::string names[2];
    const PersonArgument* arguments[2] = {&options.a, &options.b};
    for (int i = 0; i < 2; ++i) {
        if (const int status =
                readPersonArgument(*arguments[i], options.rules, sjis, births[i], names[i], err);
            status != 0) {
            return status;
        }
    }
    int years = kDefaultCompatibilityYears;
    if (!options.years.empty()) {
        const std::optional<unsigned> n = readTypedNumber(options.years);
        if (!n || *n < 1 || *n > static_cast<unsigned>(kMostYears)) {
            tell(err, text::yearCountMessage, sjis);
            return 2;
        }
        years = static_cast<int>(*n);
    }
    ReportDate today;
    if (const int status = readToday(options.today, today, sjis, err); status != 0) {
        return status;
    }
    const std::optional<FullChart> a = readFullChart(births[0]);
    const std::optional<FullChart> b = readFullChart(births[1]);
    if (!a || !b) {
        tellConverted(err, makeChartTexts(sjis).dataError, sjis);
        return 2;
    }
    const Compatibility c = readCompatibility(*a, *b, today.year, years);
    const CompatibilityPair pair{*a, *b, names[0], names[1]};
    if (options.json) {
        out.write(compatJson(c, pair, sjis));
    } else {
        out.write(outputText(compatibilityDocument(c, pair, "\n"), sjis));
    }
    return 0;
}

}  // namespace quorvel::cli
