#pragma once
// `quorvel-cli report`: the report (鑑定書) of a stored or typed person, written as an HTML file.
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/output_stream.h"
#include "cli/record_commands.h"
#include "cli/rule_options.h"
#include "report/report_html.h"

namespace quorvel::cli {

struct ReportOptions {
    RecordOptions record;         // record N of the data file, when its number is not 0
    std::string sex, date, hour;  // or a typed birth
    RuleOptions rules;
    std::string name;    // and its name, UTF-8
    std::string output;  // -o FILE; empty: NAME鑑定書.html in the working folder
    std::string today;   // YYYY-MM-DD; empty: the system's date
    std::string with;    // --with: the second person of a 相性 section, as compat names one
    bool sjisOutput = false;
};

// The day --date names (YYYY-MM-DD, within the calendar's years), or the system's date without
// one; 0, or 2 after telling データエラー.
int readToday(const std::string& option, ReportDate& today, bool sjisOutput, std::FILE* err);

// A typed name (UTF-8) in Shift-JIS, as the birth dialog takes one: 30 bytes at most, every
// character one Shift-JIS has; 0, or 2 after telling why not.
int readTypedName(std::string_view utf8Name, bool sjisOutput, std::string& name, std::FILE* err);

// Writes the file and prints its path. Returns the exit status: 2 for a refused person, name or
// date, 1 for a file that could not be written.
int runReportCommand(const ReportOptions& options, OutputStream& out, std::FILE* err);

}  // namespace quorvel::cli
