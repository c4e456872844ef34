#pragma once
// The report (鑑定書) of one person: one UTF-8 HTML file with its own style sheet, laid out for
// the screen and for A4 paper, readable without network or script. It holds the person, the full
// chart, the luck periods as a timeline, the years of the current and the next luck period, the
// judgements of the current year and luck period, and the year's hexagram reading.
#include <optional>
#include <string>
#include <string_view>

#include "reading/full_chart.h"

namespace quorvel {

struct ReportDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// The second person of a report made for two: it gains a 相性 section.
struct ReportPartner {
    std::string_view name;  // Shift-JIS
    BirthData birth;
};

struct ReportRequest {
    std::string_view name;  // Shift-JIS, as the record holds it
    BirthData birth;
    ReportDate today;  // the age and the current year count from it
    std::optional<ReportPartner> partner{};
};

// The whole file; none for a birth the calendar cannot compute or without a sex (the partner's
// too), or for a day before the birth.
std::optional<std::string> buildReport(const ReportRequest& request);

// Shift-JIS: the name the report is written under, NAME鑑定書.html.
std::string reportFileName(std::string_view sjisName);

// The completed years of life on a day (満年齢); negative before the birth.
int ageOnDay(const BirthData& birth, const ReportDate& day);

}  // namespace quorvel
