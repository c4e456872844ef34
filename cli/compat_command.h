#pragma once
// `quorvel-cli compat A B`: 相性, what two persons' charts say of each other and the years ahead
// for both. `report --with M` names its second person the same way.
#include <cstdio>
#include <string>

#include "cli/output_stream.h"
#include "cli/rule_options.h"
#include "reading/full_chart.h"
#include "records/record_file.h"

namespace quorvel::cli {

// A person named on the command line: a record number as `records --all` shows it, or
// SEX,DATE,TIME[,NAME[,PLACE]] (female,1992-03-01,8:40,花子,福岡県).
struct PersonArgument {
    std::string text;                                 // as typed, UTF-8
    std::string file = std::string(kRecordFileName);  // the data file of a record number
};

// The person's birth under the rules of `rules` (a typed PLACE takes the place of --place) and
// its name in Shift-JIS; 0, or the exit status after telling why not.
int readPersonArgument(const PersonArgument& argument, const RuleOptions& rules, bool sjisOutput,
                       BirthData& birth, std::string& name, std::FILE* err);

struct CompatOptions {
    PersonArgument a, b;
    RuleOptions rules;
    std::string years;  // N: this year and the N - 1 after it
    std::string today;  // YYYY-MM-DD; empty: the system's date
    bool json = false;
    bool sjisOutput = false;
};

// Returns the exit status: 0, or 2 for a refused person, count of years or date.
int runCompatCommand(const CompatOptions& options, OutputStream& out, std::FILE* err);

}  // namespace quorvel::cli
