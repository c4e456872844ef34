#pragma once
// `quorvel-cli chart --full` and `quorvel-cli calendar`: the full chart and the fortune calendar
// of the reading core, as text or JSON.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/birth_input.h"
#include "cli/output_stream.h"
#include "cli/record_commands.h"
#include "cli/rule_options.h"
#include "reading/fortune_calendar.h"

namespace quorvel::cli {

// The member `"full":{...}` that chart --full --json adds to the chart's object, with a leading
// comma.
void appendFullChartJson(std::string& out, const FullChart& full, bool sjisOutput);
// The lines printed under the chart's table.
std::string formatFullChartText(const FullChart& full, bool sjisOutput);

struct CalendarOptions {
    bool json = false;
    bool sjisOutput = false;
    std::string sex, date, hour;  // a typed birth, as typed
    RuleOptions rules;
    RecordOptions record;  // or record N of the data file, when its number is not 0
    std::string years;     // "A-B"
    std::string year;      // "Y": its months
    std::string month;     // "Y-M": its days
};

// A judgement's marks as "☆〇/〇/-" (the three parts), and as one JSON array of all of them.
std::string periodMarksText(const PeriodMarks& marks, bool sjisOutput);
std::string periodMarksJson(const PeriodMarks& marks, bool sjisOutput);

// Pads a text of full-width characters and marks to a width in terminal columns, counting a
// UTF-8 or Shift-JIS multi-byte character as two columns.
std::string padded(std::string text, std::size_t columns, bool sjis);

// One line per row (text under a heading, or one JSON object each).
std::string formatCalendar(const std::vector<CalendarRow>& rows, bool json, bool sjisOutput);

// Returns the exit status: 0, 2 for a refused birth, record or period, 1 for an unreadable file.
int runCalendarCommand(const CalendarOptions& options, OutputStream& out, std::FILE* err);

}  // namespace quorvel::cli
