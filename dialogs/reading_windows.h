#pragma once
// 命式表 (MEISHIKI) and 運勢暦 (UNSEIREKI): modeless windows beside the main window, each showing
// the person it was opened for, whoever becomes current afterwards.

namespace quorvel {

struct BirthRecord;
struct ConsultationState;

// A person whose birth the calendar cannot compute is told so in a box of the main window and
// gets no window.
void openFullChartWindow(ConsultationState& state, const BirthRecord& person);
void openFortuneCalendarWindow(ConsultationState& state, const BirthRecord& person);

}  // namespace quorvel
