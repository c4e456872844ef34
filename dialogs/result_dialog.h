#pragma once
#include "platform/handles.h"

namespace quorvel {

struct ConsultationState;

// HANDAN: shows JudgementBuffer, modal to `owner`, and offers to write it to a file.
void runResultDialog(ConsultationState& state, platform::WindowHandle owner);

}  // namespace quorvel
