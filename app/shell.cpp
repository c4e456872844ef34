#include "app/shell.h"

#include <optional>

#include "app/app_texts.h"
#include "app/info_commands.h"
#include "app/output.h"
#include "consultation/consultation_state.h"
#include "dialogs/consultation_dialogs.h"
#include "dialogs/reading_windows.h"
#include "dialogs/rules_dialog.h"
#include "platform/ui.h"
#include "records/kept_details.h"
#include "records/record_dialogs.h"
#include "resources/command_ids.h"
#include "resources/images.h"
#include "resources/menu.h"

namespace quorvel {

namespace {

// After a modal command: a result that exists makes the output button show.
void checkOutputButton(ConsultationState& state) {
    if (state.outputReady == 1) {
        showOutputButton(state);
    }
}

}  // namespace

void dispatchCommand(ConsultationState& state, int commandId) {
    switch (commandId & 0xFFFF) {
        case kCommandDisclosure:
            showDisclosure(state);
            checkOutputButton(state);
            break;
        case kCommandOpenDataFile:
            openDataFileDialog(state);
            state.recordListLoaded = true;
            break;
        case kCommandPersonList:
            openPersonListWindow(state);
            break;
        case kCommandChartRules:
            if (const std::optional<ChartRules> rules = runRulesDialog(state)) {
                keepRules(state, *rules);
            }
            break;
        case kCommandExit:
            platform::destroyWindow(state.mainWindow);
            break;
        case kCommandStemBranchInput:
            runStemBranchDialog(state);
            checkOutputButton(state);
            break;
        case kCommandBirthData:
            runBirthDialog(state);
            checkOutputButton(state);
            break;
        case kCommandHexagram:
            runHexagramDialog(state);
            checkOutputButton(state);
            break;
        case kCommandAvoidance:
            runAvoidanceDialog(state);
            checkOutputButton(state);
            break;
        case kCommandOutput:
            runOutputCommand(state);
            break;
        case kCommandFullChart:
            openFullChartWindow(state, state.person);
            checkOutputButton(state);
            break;
        case kCommandFortuneCalendar:
            openFortuneCalendarWindow(state, state.person);
            checkOutputButton(state);
            break;
        case kCommandSymbolMeaning:
            showSymbolMeaning(state);
            break;
        case kCommandAbout:
            runAboutBox(state);
            break;
        case kCommandHelpContents:
            openHelpContents(state);
            break;
        default:
            break;
    }
}

int runApplication(ConsultationState& state, int argc, char** argv) {
    const platform::ModuleResources resources{moduleImages(), text::helpFileName};
    if (!platform::initialize(argc, argv, resources)) {
        return 0;
    }
    state.instance = platform::moduleInstance();
    state.compareWithChosenPerson = compareWithChosenPerson;
    state.mainWindow = platform::createMainWindow({
        text::mainWindowTitle,
        "MyApp",
        mainMenu(),
        [&state](int commandId) { dispatchCommand(state, commandId); },
        kCommandHelpContents,
    });
    if (state.mainWindow == nullptr) {
        return 0;
    }
    platform::showWindow(state.mainWindow);
    loadKeptRules(state);
    return platform::runMessageLoop();
}

}  // namespace quorvel
