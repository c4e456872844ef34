#pragma once
// The judgement text tables: 天運 by (base stem, running stem), 地運 by (base stem, running
// branch), and the fixed 人運 sentences. Every entry is stored whole, in Shift-JIS.
#include <string_view>

#include "calendar/sexagenary.h"

namespace quorvel {

inline constexpr std::string_view kTextSeparator = "      ";  // six half-width spaces

std::string_view heavenText(Stem base, Stem running);
std::string_view earthText(Stem base, Branch running);

std::string_view sixCombinationSentence();
std::string_view threeHarmonySentence();
std::string_view threeHarmonySentenceMarkFirst();  // ○ before the label
std::string_view luckClashSentence();
std::string_view calendarClashSentence();

}  // namespace quorvel
