#pragma once
// The stems hidden in a branch as Japanese practitioners read them (月律分野, 人元司令): the
// month is shared among them by days from its sectional term, in the order 余気, 中気, 本気, and
// the one whose days hold the birth commands the branch (司令).
#include <cstdint>

#include "calendar/chart_rules.h"
#include "calendar/sexagenary.h"

namespace quorvel {

enum class HiddenKind : std::uint8_t { Residual, Middle, Main };  // 余気 中気 本気

struct HiddenSpan {
    Stem stem = Stem::Kinoe;
    HiddenKind kind = HiddenKind::Main;
    int days = 0;
};

// One to three spans in the order they govern the month; their days add up to 30, and the last
// one is the 本気, which holds the rest of a longer month.
struct HiddenByDays {
    HiddenSpan spans[3] = {};
    int count = 0;
};

HiddenByDays hiddenByDays(Branch b, HiddenTable table);

// The span in command `elapsedDays` after the start of the month (fractional days, below 0 read
// as 0); the 本気 from the end of the spans on.
HiddenSpan commandingSpan(const HiddenByDays& spans, double elapsedDays);

// The days by which the table is entered: the time since the month began, counted from 1 on the
// term's own day where the school does.
double commandingDays(std::int64_t minutesSinceTerm, bool countTermDay);

}  // namespace quorvel
