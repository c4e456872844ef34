#pragma once
// Command ids of the main window: the menu's items and the output button.

namespace quorvel {

inline constexpr int kCommandDisclosure = 10;
inline constexpr int kCommandOpenDataFile = 11;
inline constexpr int kCommandPersonList = 12;
inline constexpr int kCommandChartRules = 13;
inline constexpr int kCommandExit = 100;
inline constexpr int kCommandStemBranchInput = 199;
inline constexpr int kCommandBirthData = 200;
inline constexpr int kCommandOutput = 201;  // the output button, not on the menu
inline constexpr int kCommandSymbolMeaning = 210;
// Also the commands of a chart panel's context menu, for the panel's own person.
inline constexpr int kCommandFullChart = 220;
inline constexpr int kCommandFortuneCalendar = 221;
inline constexpr int kCommandReport = 222;         // the panel's context menu only
inline constexpr int kCommandCompatibility = 223;  // the panel's context menu only
inline constexpr int kCommandHexagram = 300;
inline constexpr int kCommandAvoidance = 301;
inline constexpr int kCommandAbout = 310;
inline constexpr int kCommandHelpContents = 400;

}  // namespace quorvel
