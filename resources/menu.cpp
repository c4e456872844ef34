#include "resources/menu.h"

#include "resources/command_ids.h"
#include "resources/resource_texts.h"

namespace quorvel {
namespace {

using platform::MenuItem;

constexpr MenuItem kFileItems[] = {
    {text::menuOpenDataFile, kCommandOpenDataFile, {}},
    {text::menuPersonList, kCommandPersonList, {}},
    {text::menuChartRules, kCommandChartRules, {}},
    {text::menuDisclosure, kCommandDisclosure, {}},
    {text::menuExit, kCommandExit, {}},
};

constexpr MenuItem kLuckItems[] = {
    {text::menuBirthData, kCommandBirthData, {}},
    {text::menuFullChart, kCommandFullChart, {}},
    {text::menuFortuneCalendar, kCommandFortuneCalendar, {}},
};

// What a right click on a chart panel offers, for the person that panel shows.
constexpr MenuItem kPanelContextItems[] = {
    {text::menuFullChart, kCommandFullChart, {}},
    {text::menuFortuneCalendar, kCommandFortuneCalendar, {}},
    {text::menuReport, kCommandReport, {}},
    {text::menuCompatibility, kCommandCompatibility, {}},
};

constexpr MenuItem kCalendarFortuneItems[] = {
    {text::menuStemBranchInput, kCommandStemBranchInput, {}},
};

constexpr MenuItem kHelpItems[] = {
    {text::menuHelpContents, kCommandHelpContents, {}},
    {text::menuSymbolMeaning, kCommandSymbolMeaning, {}},
    {text::menuAbout, kCommandAbout, {}},
};

// The hexagram and avoidance entries sit on the menu bar as commands of their own.
constexpr MenuItem kMenuBar[] = {
    {text::menuFile, 0, kFileItems},
    {text::menuLuck, 0, kLuckItems},
    {text::menuCalendarFortune, 0, kCalendarFortuneItems},
    {text::menuHexagram, kCommandHexagram, {}},
    {text::menuAvoidance, kCommandAvoidance, {}},
    {text::menuHelp, 0, kHelpItems},
};

}  // namespace

std::span<const platform::MenuItem> mainMenu() {
    return kMenuBar;
}

std::span<const platform::MenuItem> panelContextMenu() {
    return kPanelContextItems;
}

}  // namespace quorvel
