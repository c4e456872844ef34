#pragma once
// The avoidance method: for a period whose 天運 is bad (the two stems' elements control one
// another), a stem whose element stands between them in the production cycle.
#include <cstddef>
#include <optional>

#include "calendar/sexagenary.h"

namespace quorvel {

inline constexpr std::size_t kAvoidanceBufferSize = 4096;

// The recommended stem for (base stem number, running stem number) as JudgementKey holds them
// (癸 = 0); none where the 天運 is not bad or a number is out of range.
std::optional<Stem> avoidanceStem(int baseStemNo, int runStemNo);

// Clears the buffer and writes the avoidance sentence for `stem`, or the sentence for no entry.
void writeAvoidanceText(char (&buffer)[kAvoidanceBufferSize], std::optional<Stem> stem);

}  // namespace quorvel
