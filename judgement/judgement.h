#pragma once
// From two pillar texts to the three-part judgement in the consultation's JudgementBuffer.
#include "platform/handles.h"

namespace quorvel {

struct ConsultationState;

// Reads basePillarText and runningPillarText into the judgement key. Returns 1, or 0 after
// telling the user (in a box owned by `owner`) which pillar is not one of the sixty. A bad base
// leaves the key unchanged; a bad running pillar keeps the new base numbers.
int parseJudgementKey(ConsultationState& state, platform::WindowHandle owner);

// Clears JudgementBuffer and writes 天運, 地運 and 人運 for the judgement key. Returns 1.
int composeJudgement(ConsultationState& state);

}  // namespace quorvel
