#pragma once
// The report (鑑定書) of a person, written in the working folder and opened in the browser: from a
// chart panel's context menu and from the person list.
#include <string>
#include <string_view>

#include "calendar/chart_rules.h"
#include "consultation/birth_record.h"
#include "platform/ui.h"
#include "report/report_html.h"

namespace quorvel {

// The day on the system's clock, where the program runs: the day a report is made.
ReportDate systemToday();

// Writes NAME鑑定書.html and hands it to the browser; tells the user, in a box owned by `owner`,
// when the person cannot be reported, when the file cannot be written, and where the file lies
// when no browser takes it. The chart is read with `rules`.
// What the box says when no browser took the report: that it was written, its full path (a
// UTF-8 path as outputPathFor gives it, made absolute), and that a browser opens it.
std::string reportWrittenText(std::string_view utf8Path);

void writeAndOpenReport(platform::WindowHandle owner, const BirthRecord& person,
                        const ChartRules& rules);

}  // namespace quorvel
