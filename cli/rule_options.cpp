#include "cli/rule_options.h"

#include <charconv>
#include <cstdio>

#include "calendar/birth_notices.h"
#include "cli/cli_texts.h"
#include "cli/output_text.h"
#include "common/sjis_utf8.h"

namespace quorvel::cli {

namespace {

// A JSON string of Shift-JIS text in the output encoding; the texts hold no quote or backslash.
std::string quoted(std::string_view sjisText, bool sjisOutput) {
    return "\"" + forOutput(sjisText, sjisOutput) + "\"";
}

// 1950-08-01T11:10, or the date alone for an unknown hour.
std::string isoText(const Reading& r, bool withTime) {
    char text[24];
    if (withTime) {
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d", r.year, r.month, r.day, r.hour,
                      r.minute);
    } else {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", r.year, r.month, r.day);
    }
    return text;
}

// A longitude as a plain decimal: at most four places, no trailing zeros.
std::string degreesText(double degrees) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", degrees);
    std::string out = text;
    out.erase(out.find_last_not_of('0') + 1);
    if (out.back() == '.') {
        out.pop_back();
    }
    return out;
}

bool parseDegrees(std::string_view text, double& degrees) {
    if (text.empty() || text[0] == '+' || text[0] == '-') {
        return false;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), degrees);
    return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool applyRuleOptions(const RuleOptions& o, BirthInput& birth, std::string& problem) {
    ChartRules rules = o.rules == "precise" ? preciseRules(DayChangeRule::Split) : kClassicRules;
    if (!o.summerTime.empty()) {
        rules.summerTime = summerTimeRuleOf(o.summerTime).value_or(rules.summerTime);
    }
    if (!o.solarTime.empty()) {
        rules.solarTime = solarTimeRuleOf(o.solarTime).value_or(rules.solarTime);
    }
    if (!o.dayChange.empty()) {
        rules.dayChange = dayChangeRuleOf(o.dayChange).value_or(rules.dayChange);
    }
    if (!o.terms.empty()) {
        rules.terms = termRuleOf(o.terms).value_or(rules.terms);
    }
    if (!o.hiddenTable.empty()) {
        rules.hiddenTable = hiddenTableOf(o.hiddenTable).value_or(rules.hiddenTable);
    }
    rules.countTermDay = o.countTermDay;
    birth.rules = rules;
    birth.place = {};
    if (!o.place.empty()) {
        bool ok = false;
        const int code = findPrefecture(utf8ToSjis(o.place, ok));
        if (!ok || code == 0) {
            problem = std::string(text::unknownPlaceMessage);
            return false;
        }
        birth.place = prefectureBirthplace(code);
    } else if (!o.longitude.empty()) {
        double degrees = 0;
        if (!parseDegrees(o.longitude, degrees) || !isTypedLongitude(degrees)) {
            problem = std::string(longitudeRangeMessage());
            return false;
        }
        birth.place = typedBirthplace(degrees);
    }
    return true;
}

void appendReadingJson(std::string& out, const Chart& chart, const BirthReading& r,
                       bool sjisOutput) {
    out += ",\"startAgeMonths\":" + std::to_string(chart.startAgeMonths);
    out += ",\"rules\":{\"summerTime\":\"" + std::string(ruleWord(r.rules.summerTime)) +
           "\",\"solarTime\":\"" + std::string(ruleWord(r.rules.solarTime)) +
           "\",\"dayChange\":\"" + std::string(ruleWord(r.rules.dayChange)) + "\",\"terms\":\"" +
           std::string(ruleWord(r.rules.terms)) + "\",\"longitude\":" +
           (r.place.known() ? degreesText(r.place.longitude) : std::string("null")) + "}";
    out += ",\"birth\":{\"clock\":\"" + isoText(r.clock, r.hourKnown) + "\",\"standard\":\"" +
           isoText(r.standard, r.hourKnown) + "\"";
    if (r.solarApplied) {
        out += ",\"solar\":\"" + isoText(r.solar, true) + "\"";
    }
    out += "},\"notices\":[";
    for (int i = 0; i < r.notices.count; ++i) {
        out += (i > 0 ? "," : "") + quoted(noticeText(r.notices.items[i], r), sjisOutput);
    }
    out += ']';
}

std::string readingText(const BirthReading& r, bool sjisOutput) {
    if (sameBirthReading(r.rules, kClassicRules) && !r.place.known() && r.notices.count == 0 &&
        r.hourKnown) {
        return {};
    }
    std::string out = forOutput(rulesLine(r.rules), sjisOutput) + "\n" +
                      forOutput(timesLine(r), sjisOutput) + "\n";
    for (int i = 0; i < r.notices.count; ++i) {
        out += forOutput(noticeText(r.notices.items[i], r), sjisOutput) + "\n";
    }
    return out;
}

}  // namespace quorvel::cli
