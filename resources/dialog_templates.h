#pragma once
// The dialog templates of the program, as constant tables every backend renders.
#include <span>
#include <string_view>

#include "platform/ui.h"

namespace quorvel {

const platform::DialogTemplate& birthDialogTemplate();      // BIRTHDLG
const platform::DialogTemplate& dataDialogTemplate();       // DATADLG
const platform::DialogTemplate& panelDialogTemplate();      // PANELDLG
const platform::DialogTemplate& resultDialogTemplate();     // HANDAN
const platform::DialogTemplate& inputDialogTemplate();      // INPUTDLG
const platform::DialogTemplate& hexagramDialogTemplate();   // HIDENDLG
const platform::DialogTemplate& avoidanceDialogTemplate();  // ZOUMEIDLG
const platform::DialogTemplate& aboutBoxTemplate();         // ABOUTBOX
const platform::DialogTemplate& fullChartTemplate();        // MEISHIKI (命式表)
const platform::DialogTemplate& fortuneCalendarTemplate();  // UNSEIREKI (運勢暦)
const platform::DialogTemplate& personListTemplate();       // JINBUTSU (人物一覧)
const platform::DialogTemplate& rulesDialogTemplate();      // RYUGI (命式の流儀)
const platform::DialogTemplate& compatibilityTemplate();    // AISHOU (相性)
const platform::DialogTemplate& personChoiceTemplate();     // AITE (相性の相手)

std::span<const platform::DialogTemplate> allDialogTemplates();

// Resource names compare without regard to ASCII case, as on Windows; nullptr if unknown.
const platform::DialogTemplate* findDialogTemplate(std::string_view name);

}  // namespace quorvel
