#pragma once
// The report's 相性 section, when it is made for two persons: both charts side by side, every
// finding in words, the years ahead for both and the summary.
#include <string>
#include <string_view>

#include "reading/compatibility_text.h"

namespace quorvel {

// Appends <section id="compatibility"> for the pair over the years thisYear and the ten after.
void appendCompatibilitySection(std::string& out, const CompatibilityPair& pair, int thisYear);

}  // namespace quorvel
