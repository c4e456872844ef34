#pragma once

namespace quorvel {

struct ConsultationState;

// PANELDLG: a new modeless panel, owned by the main window, showing the current chart.
void openChartPanel(ConsultationState& state);

}  // namespace quorvel
