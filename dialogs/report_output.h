#pragma once
// The report (鑑定書) of a person, written in the working folder and opened in the browser: from a
// chart panel's context menu and from the person list.
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
void writeAndOpenReport(platform::WindowHandle owner, const BirthRecord& person,
                        const ChartRules& rules);

}  // namespace quorvel
