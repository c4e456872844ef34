#pragma once
// The yearly review (年運一覧): every person of a list judged for one year, the year's marks and
// those of the luck period in force, the persons the year threatens first.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "reading/fortune_calendar.h"
#include "reading/full_chart.h"

namespace quorvel {

enum class ReviewState : std::uint8_t {
    Judged,
    OutsideLife,  // the year lies before the birth or beyond the calendar's span of a life
    Refused,      // the birth cannot be computed (or has no sex)
};

struct ReviewRow {
    std::size_t person = 0;  // index into the births reviewed
    ReviewState state = ReviewState::Refused;
    bool warned = false;  // the year's judgement shows ★★ (a clash) or ●
    CalendarRow year;     // age, year pillar and marks, luck pillar in force and its marks
};

// One row per birth: the warned first, then the other judged, then those without a judgement;
// file order within each.
std::vector<ReviewRow> yearlyReview(std::span<const BirthData> births, int year);

}  // namespace quorvel
