#pragma once
// What the two reading windows write alike: the person's line, dates and marks, in Shift-JIS.
#include <optional>
#include <string>

#include "calendar/birth_reading.h"
#include "calendar/chart_rules.h"
#include "consultation/birth_record.h"
#include "reading/fortune_calendar.h"

namespace quorvel {

// The person's birth as the core takes it, to be read with `rules`.
BirthData birthDataOf(const BirthRecord& person, const ChartRules& rules);

// The person as the core reads them; none for a birth it cannot compute.
std::optional<FullChart> readPerson(const BirthRecord& person, const ChartRules& rules);

// 「山田太郎  男  1990年5月20日10時生まれ」, 「… 10時20分生まれ  福岡県」, 「… 時刻不明」
std::string personLine(const BirthRecord& person);

// The rules the chart was read with, the corrected times and each notice, a line each (CR LF
// between them, as a multi-line edit takes them).
std::string readingLines(const BirthReading& reading);

// The marks of one part, side by side.
std::string marksCell(const MarkList& marks);

std::string number(int n);

}  // namespace quorvel
