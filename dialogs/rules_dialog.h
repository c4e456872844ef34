#pragma once
// 命式の流儀 (RYUGI): the rules every chart of the program is read with, as a preset or rule by
// rule.
#include <optional>

#include "calendar/chart_rules.h"

namespace quorvel {

struct ConsultationState;

// Shows the rules in force; the rules chosen, or none when the user cancelled.
std::optional<ChartRules> runRulesDialog(ConsultationState& state);

}  // namespace quorvel
