#pragma once
// The options that choose how a birth is read (命式の流儀) and where it happened, shared by
// chart, calendar and report.
#include <string>

#include "cli/birth_input.h"

namespace quorvel::cli {

// As typed; empty when not given.
struct RuleOptions {
    std::string rules;  // classic | precise
    std::string summerTime, solarTime, dayChange, terms;
    std::string place;        // 福岡県 or 福岡 (UTF-8, as typed)
    std::string longitude;    // degrees east, 120-155
    std::string hiddenTable;  // classical | simplified | sanmei
    bool countTermDay = false;
};

// Puts the rules and the birthplace into the birth: the preset first, then each rule given
// explicitly. False with a message (Shift-JIS) for a place or longitude it cannot take.
bool applyRuleOptions(const RuleOptions& options, BirthInput& birth, std::string& problem);

// The keys the JSON of a chart gains: startAgeMonths, rules, birth and notices, each after a
// comma; texts in the output encoding.
void appendReadingJson(std::string& out, const Chart& chart, const BirthReading& reading,
                       bool sjisOutput);

// The rules line, the corrected times and the notices, one a line; empty for the printed tables'
// reading of a birth with nothing to tell, so the chart reads as it always has.
std::string readingText(const BirthReading& reading, bool sjisOutput);

}  // namespace quorvel::cli
