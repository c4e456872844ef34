#pragma once
#include <string_view>

#include "platform/handles.h"

namespace quorvel {

struct ConsultationState;

// HANDAN: shows JudgementBuffer, modal to `owner`, and offers to write it to the file named
// `fileName` (Shift-JIS), which the caller built for the person and period it judged.
void runResultDialog(ConsultationState& state, platform::WindowHandle owner,
                     std::string_view fileName);

}  // namespace quorvel
