// Quorvel: Four Pillars fortune judgement on the desktop.
#include "app/shell.h"
#include "consultation/consultation_state.h"
#include "platform/ui.h"

int main(int argc, char** argv) {
    // The one program-wide record, with its start values, before any window exists.
    static quorvel::ConsultationState state;
    quorvel::platform::settleWorkingFolder();
    return quorvel::runApplication(state, argc, argv);
}
