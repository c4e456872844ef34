#pragma once
// Reading a birth from the command line: "YYYY-MM-DD", "HH", "male" or "female".
#include <string_view>

#include "consultation/birth_record.h"
#include "reading/full_chart.h"

namespace quorvel::cli {

using BirthInput = BirthData;

enum class InputProblem { None, Format, Sex, Year, Date, Hour, SummerTimeGap };

// Each parser accepts only its whole text: digits where digits belong, nothing left over. An
// hour is H, H:MM or `unknown`.
bool parseDate(std::string_view text, BirthInput& birth);
bool parseHour(std::string_view text, BirthInput& birth);
bool parseSex(std::string_view text, BirthInput& birth);

// One batch line "YYYY-MM-DD HH male|female" (blanks or tabs between, CR LF accepted).
InputProblem parseBatchLine(std::string_view line, BirthInput& birth);

// A birth typed as three arguments, checked in the order the chart command tells its problems:
// the form of date and hour, the sex, then whether the calendar can compute it.
InputProblem parseTypedBirth(std::string_view sex, std::string_view date, std::string_view hour,
                             BirthInput& birth);

// Whether the calendar can compute the birth under its rules, as an input problem.
InputProblem checkComputable(const BirthInput& birth);

}  // namespace quorvel::cli
