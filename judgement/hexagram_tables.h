#pragma once
// The hexagram of human relations: each pillar becomes a number of the nine-star cycle, each
// number other than 5 a trigram; the base pillar gives the lower trigram, the running pillar the
// upper one.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "calendar/sexagenary.h"

namespace quorvel {

inline constexpr std::size_t kHexagramBufferSize = 2048;

// A number of the nine-star cycle, 1-9.
using StarNumber = int;

// The base pillar's number: 7 at 甲子, falling by one from pillar to pillar.
StarNumber natalStar(CycleIndex pillar);
// The running pillar's number: the natal number, except that 5 gives way to the branch's
// trigram (寅 4, 巳 9, 申 7, 亥 1), so it is never 5.
StarNumber periodStar(CycleIndex pillar);

// The reading for a lower and an upper number (neither 5): a line feed, the label line and the
// reading lines, in Shift-JIS.
std::string_view hexagramText(StarNumber lower, StarNumber upper);

// The choice for a base pillar whose number is 5, which stands for no trigram.
enum class Dun : std::uint8_t { None, Yang, Yin };

// Why a pair gives no reading, in the order the checks are made.
enum class HexagramCheck : std::uint8_t { Ok, BadBase, NeedsDun, BadRunning };

// The reading of two typed pillars (exact bytes): the base is looked up first, then the 陽遁 or
// 陰遁 choice (5 becomes 4 or 6), then the running pillar. `reading` is set only on Ok.
HexagramCheck findHexagram(std::string_view baseText, Dun dun, std::string_view runningText,
                           std::string_view& reading);

// What the user is told for a check that is not Ok.
std::string_view hexagramCheckMessage(HexagramCheck check);

}  // namespace quorvel
