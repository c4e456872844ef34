#pragma once
// カルテ: one person's note and history, from the person list.
#include <string_view>

#include "platform/handles.h"

namespace quorvel {

struct ConsultationState;

// The note of the person whose DATA.CSV line is `line` (without its line end), edited and saved,
// and its history newest first; 内容を表示 shows an entry's text again. Modal to `owner`.
void runCasebookDialog(ConsultationState& state, platform::WindowHandle owner,
                       std::string_view line);

}  // namespace quorvel
