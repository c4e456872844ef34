#pragma once
#include <string_view>

#include "consultation/birth_record.h"
#include "platform/handles.h"

namespace quorvel {

struct ConsultationState;

// HANDAN: shows JudgementBuffer, modal to `owner`, and offers to write it to the file named
// `fileName` (Shift-JIS), which the caller built for the person and period it judged; a file
// written is kept in `person`'s history.
void runResultDialog(ConsultationState& state, platform::WindowHandle owner,
                     std::string_view fileName, const BirthRecord& person);

// A past reading from a person's history (Shift-JIS), shown again as it was given; nothing is
// offered for output and nothing is kept.
void showPastResult(ConsultationState& state, platform::WindowHandle owner, std::string_view text);

}  // namespace quorvel
