#pragma once
// From two pillar texts to the three-part judgement (天運, 地運, 人運).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "judgement/judgement_key.h"

namespace quorvel {

inline constexpr std::size_t kJudgementBufferSize = 4096;
inline constexpr std::size_t kPillarFieldBytes = 6;  // a typed pillar is read cut to this

// Which pillar of a pair, if any, is not one of the sixty.
enum class PillarCheck : std::uint8_t { Ok, BadBase, BadRunning };

// Reads the two pillar texts (exact bytes, as typed) into the key. A bad base leaves the key
// unchanged; a bad running pillar keeps the new base numbers.
PillarCheck parseJudgementKey(JudgementKey& key, std::string_view baseText,
                              std::string_view runningText);

// The message that tells the user which pillar was refused; empty for Ok.
std::string_view pillarCheckMessage(PillarCheck check);

// Which kind of period the running pillar stands for; each flag is 1 when set. Only the clash
// sentence of 人運 depends on them.
struct PeriodFlags {
    std::int32_t luckPeriod = -1;
    std::int32_t calendarPeriod = -1;
};

// The stored texts a judgement joins, in order; a part whose numbers are out of range, or for
// which the relation gives no sentence, is empty. A clash with both flags set gives two 人運
// sentences.
struct JudgementParts {
    std::string_view heaven;
    std::string_view earth;
    std::string_view human[2];
};
JudgementParts judgementParts(const JudgementKey& key, PeriodFlags period);

// Clears the buffer and writes 天運, 地運 and 人運 for the key.
void composeJudgement(char (&buffer)[kJudgementBufferSize], const JudgementKey& key,
                      PeriodFlags period);

}  // namespace quorvel
