#pragma once
// What the two reading windows write alike: the person's line, dates and marks, in Shift-JIS.
#include <optional>
#include <string>

#include "consultation/birth_record.h"
#include "reading/fortune_calendar.h"

namespace quorvel {

// The person as the core reads them; none for a birth it cannot compute.
std::optional<FullChart> readPerson(const BirthRecord& person);

// 「山田太郎  男  1990年5月20日10時生まれ」
std::string personLine(const BirthRecord& person);

// The marks of one part, side by side.
std::string marksCell(const MarkList& marks);

std::string number(int n);

}  // namespace quorvel
