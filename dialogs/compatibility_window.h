#pragma once
// 相性 (AISHOU): two persons' charts side by side, the years ahead for both and the findings in
// words, in a modeless window beside the main window; its output button writes the whole as
// Shift-JIS text, 山田太郎・山田花子相性.TXT.

namespace quorvel {

struct BirthRecord;
struct ConsultationState;

// A person whose birth the calendar cannot compute is told so in a box of the main window, and
// no window opens.
void openCompatibilityWindow(ConsultationState& state, const BirthRecord& a, const BirthRecord& b);

}  // namespace quorvel
