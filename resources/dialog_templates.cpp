#include "resources/dialog_templates.h"

#include <cstddef>

#include "resources/resource_texts.h"

namespace quorvel {
namespace {

using platform::ControlTemplate;
using platform::DialogTemplate;
using platform::kIdCancel;
using platform::kIdOk;
using platform::kStaticId;
using enum platform::ControlKind;
using enum platform::ControlStyle;

constexpr int kPointSize = 12;

// Each line: id, kind, text, x, y, width, height, style.

// The hour box holds 10時20分 and １０：２０; 時刻不明 empties and disables it. The longitude box
// takes degrees east when the birthplace is 経度を入力.
constexpr ControlTemplate kBirthControls[] = {
    {kStaticId, Label, text::captionName, 12, 6, 18, 8, kStyleNone},
    {108, Edit, "", 33, 4, 55, 13, kAutoHScroll},
    {kStaticId, Label, text::captionSex, 95, 6, 20, 8, kStyleNone},
    {105, RadioButton, text::captionMale, 120, 6, 23, 10, kStyleNone},
    {106, RadioButton, text::captionFemale, 147, 6, 23, 10, kStyleNone},
    {kStaticId, Label, text::captionBirthYear, 20, 32, 33, 8, kCentred},
    {109, Edit, "", 55, 30, 40, 14, kStyleNone},
    {kStaticId, Label, text::captionBirthMonth, 100, 33, 20, 8, kStyleNone},
    {1052, Edit, "", 120, 30, 30, 14, kStyleNone},
    {kStaticId, Label, text::captionBirthDay, 39, 54, 21, 8, kStyleNone},
    {1053, Edit, "", 60, 50, 30, 14, kStyleNone},
    {kStaticId, Label, text::captionBirthHour, 100, 54, 20, 8, kStyleNone},
    {1054, Edit, "", 120, 50, 48, 14, kStyleNone},
    {1055, CheckBox, text::captionHourUnknown, 120, 67, 52, 10, kStyleNone},
    {kStaticId, Label, text::captionBirthplace, 33, 86, 25, 8, kStyleNone},
    {1056, DropDown, "", 60, 84, 56, 14, kStyleNone},
    {kStaticId, Label, text::captionLongitude, 120, 86, 17, 8, kStyleNone},
    {1057, Edit, "", 138, 84, 36, 14, kStyleNone},
    {kStaticId, Label, text::captionDegrees, 176, 86, 8, 8, kStyleNone},
    {kIdOk, DefaultButton, text::captionExecute, 37, 106, 50, 14, kStyleNone},
    {kIdCancel, Button, text::captionCancelHalfWidth, 100, 106, 50, 14, kStyleNone},
};

// The name box holds 15 full-width characters (30 bytes) and the birth box the longest birth,
// 9999年12月31日23時59分 or 9999年12月31日時刻不明; a record's button holds its whole caption for
// such a name and birth.
constexpr ControlTemplate kDataControls[] = {
    {kStaticId, Label, text::captionName, 7, 11, 15, 8, kStyleNone},
    {101, Edit, "", 22, 9, 124, 14, kStyleNone},
    {kStaticId, Label, text::captionSex, 148, 11, 15, 8, kStyleNone},
    {102, Edit, "", 164, 9, 16, 14, kStyleNone},
    {103, Edit, "", 184, 9, 106, 14, kStyleNone},
    // Record slots 1 to 10: one column, uneven steps of 18 or 19 units.
    {1021, Button, "", 7, 27, 283, 14, kStyleNone},
    {1022, Button, "", 7, 45, 283, 14, kStyleNone},
    {1023, Button, "", 7, 64, 283, 14, kStyleNone},
    {1024, Button, "", 7, 82, 283, 14, kStyleNone},
    {1025, Button, "", 7, 100, 283, 14, kStyleNone},
    {1026, Button, "", 7, 119, 283, 14, kStyleNone},
    {1027, Button, "", 7, 137, 283, 14, kStyleNone},
    {1028, Button, "", 7, 155, 283, 14, kStyleNone},
    {1029, Button, "", 7, 173, 283, 14, kStyleNone},
    {1030, Button, "", 7, 191, 283, 14, kStyleNone},
    {kIdOk, DefaultButton, text::captionExecute, 95, 213, 50, 14, kStyleNone},
    {kIdCancel, Button, text::captionCancelHalfWidth, 154, 213, 50, 14, kStyleNone},
};

// The pillar captions 1062-1065 share one column at x 14, wide enough for two full-width
// characters; the ages of luck pillars 6-10 (1044-1048) are 16 units wide. The name holds 15
// full-width characters (30 bytes), with the sex, 命 and the icon after it; the caption of field
// 101 holds 自分,配偶者.
constexpr ControlTemplate kPanelControls[] = {
    {1060, Label, text::captionName, 10, 6, 15, 8, kStyleNone},
    {110, Label, "", 27, 6, 120, 8, kCentred},
    {111, Label, "", 150, 6, 11, 8, kRightAligned},
    {1061, Label, text::captionDestinySuffix, 163, 6, 8, 8, kStyleNone},
    {30000, Icon, "MYAPP", 178, 5, 0, 0, kStyleNone},
    {1062, Label, text::captionYearPillar, 14, 35, 17, 8, kStyleNone},
    {1063, Label, text::captionMonthPillar, 14, 57, 17, 8, kStyleNone},
    {1064, Label, text::captionDayPillar, 14, 80, 17, 8, kStyleNone},
    {1065, Label, text::captionHourPillar, 14, 102, 17, 8, kStyleNone},
    {1021, Button, "", 35, 33, 40, 14, kStyleNone},
    {1022, Button, "", 35, 55, 40, 14, kStyleNone},
    {1023, Button, "", 35, 78, 40, 14, kStyleNone},
    {1024, Button, "", 35, 100, 40, 14, kStyleNone},
    {1039, Label, "", 92, 36, 17, 8, kCentred},
    {1040, Label, "", 92, 57, 17, 8, kCentred},
    {1041, Label, "", 92, 77, 17, 8, kCentred},
    {1042, Label, "", 92, 100, 17, 8, kCentred},
    {1043, Label, "", 92, 122, 17, 8, kCentred},
    {1025, Button, "", 110, 33, 44, 14, kStyleNone},
    {1026, Button, "", 110, 54, 44, 14, kStyleNone},
    {1027, Button, "", 110, 75, 44, 14, kStyleNone},
    {1028, Button, "", 110, 97, 44, 14, kStyleNone},
    {1029, Button, "", 110, 119, 44, 14, kStyleNone},
    {1044, Label, "", 155, 36, 16, 8, kCentred},
    {1045, Label, "", 155, 56, 16, 8, kCentred},
    {1046, Label, "", 155, 77, 16, 8, kCentred},
    {1047, Label, "", 155, 99, 16, 8, kCentred},
    {1048, Label, "", 155, 122, 16, 8, kCentred},
    {1030, Button, "", 171, 33, 44, 14, kStyleNone},
    {1031, Button, "", 171, 53, 44, 14, kStyleNone},
    {1032, Button, "", 171, 74, 44, 14, kStyleNone},
    {1033, Button, "", 171, 96, 44, 14, kStyleNone},
    {1034, Button, "", 171, 119, 44, 14, kStyleNone},
    // The panel rewrites this caption with the relation of the chosen chart pillar.
    {65535, Label, text::captionFourPillars, 23, 138, 42, 8, kCentred},
    {101, Edit, "", 65, 135, 40, 14, kStyleNone},
    {1066, Label, text::captionLuckPillar, 111, 138, 15, 8, kStyleNone},
    {102, Edit, "", 136, 135, 40, 14, kStyleNone},
    {kIdOk, DefaultButton, text::captionExecute, 55, 155, 50, 14, kStyleNone},
    {kIdCancel, Button, text::captionCancelHalfWidth, 125, 155, 50, 14, kStyleNone},
    // The rules the chart was read with, the corrected times and the notices.
    {1070, Edit, "", 7, 173, 218, 42, kMultiLine | kReadOnly | kBorder | kVerticalScroll},
};

constexpr ControlTemplate kResultControls[] = {
    {101, Edit, "", 7, 7, 209, 152, kMultiLine | kReadOnly | kBorder | kVerticalScroll},
    {kIdOk, DefaultButton, text::captionOkFullWidth, 85, 160, 50, 14, kStyleNone},
    {1067, Button, text::captionFileOutput, 154, 160, 62, 14, kStyleNone},
};

constexpr ControlTemplate kInputControls[] = {
    {kStaticId, Label, text::captionNatalPillar, 40, 17, 37, 8, kStyleNone},
    {101, Edit, "", 90, 13, 40, 14, kStyleNone},
    {kStaticId, Label, text::captionCalendarPillar, 40, 39, 49, 8, kStyleNone},
    {102, Edit, "", 90, 35, 40, 14, kStyleNone},
    {kIdOk, DefaultButton, text::captionExecute, 30, 65, 50, 14, kStyleNone},
    {kIdCancel, Button, text::captionCancelHalfWidth, 105, 65, 50, 14, kStyleNone},
    {kStaticId, Icon, "MYAPP", 7, 5, 0, 0, kStyleNone},
};

constexpr ControlTemplate kHexagramControls[] = {
    {kStaticId, Icon, "MYAPP", 9, 4, 0, 0, kStyleNone},
    {kStaticId, Label, text::captionNatalPillar, 48, 9, 33, 8, kRightAligned},
    {101, Edit, "", 83, 6, 33, 13, kStyleNone},
    {105, RadioButton, text::captionYangDun, 74, 20, 30, 10, kStyleNone},
    {106, RadioButton, text::captionYinDun, 111, 20, 27, 10, kStyleNone},
    {107, RadioButton, text::captionNoDunChoice, 146, 20, 42, 10, kStyleNone},
    {111, Label, text::captionRunningPillar, 48, 34, 33, 8, kRightAligned},
    {102, Edit, "", 83, 31, 33, 13, kStyleNone},
    {kIdOk, Button, text::captionExecute, 40, 60, 50, 14, kStyleNone},
    {kIdCancel, Button, text::captionCancelFullWidth, 109, 60, 50, 14, kStyleNone},
};

constexpr ControlTemplate kAvoidanceControls[] = {
    {kStaticId, Icon, "MyApp", 3, 2, 0, 0, kStyleNone},
    {kStaticId, Label, text::captionNatalPillar, 48, 9, 33, 8, kRightAligned},
    {101, Edit, "", 83, 6, 33, 13, kStyleNone},
    {111, Label, text::captionLuckOrYearPillar, 35, 32, 46, 8, kStyleNone},
    {102, Edit, "", 83, 29, 33, 13, kStyleNone},
    {kIdOk, Button, text::captionExecute, 33, 60, 50, 14, kStyleNone},
    {kIdCancel, Button, text::captionCancelFullWidth, 109, 60, 50, 14, kStyleNone},
};

constexpr ControlTemplate kAboutControls[] = {
    {kStaticId, Icon, "MyApp", 3, 2, 20, 20, kStyleNone},
    {kStaticId, Label, text::captionVersion, 23, 4, 145, 8, kStyleNone},
    {kIdOk, DefaultButton, text::captionAcknowledge, 116, 36, 50, 14, kStyleNone},
};

// The full chart: the person, the rules and corrected times with their notices, the pillars in
// a table, right to left as charts are drawn, then the lines of the void branches, the elements,
// the terms, the days since the term beside the luck start, the hidden stems' table, and the luck
// pillars in a second table.
constexpr ControlTemplate kFullChartControls[] = {
    {110, Label, "", 7, 6, 286, 8, kStyleNone},
    {127, Edit, "", 7, 17, 286, 36, kMultiLine | kReadOnly | kBorder | kVerticalScroll},
    {120, Table, "", 7, 57, 286, 104, kStyleNone},
    {121, Label, "", 7, 165, 286, 8, kStyleNone},
    {122, Label, "", 7, 176, 286, 8, kStyleNone},
    {123, Label, "", 7, 187, 286, 8, kStyleNone},
    {124, Label, "", 7, 198, 286, 8, kStyleNone},
    {129, Label, "", 7, 209, 100, 8, kStyleNone},
    {128, Label, "", 110, 209, 183, 8, kStyleNone},
    {130, Label, "", 7, 220, 286, 8, kStyleNone},
    {125, Label, "", 7, 231, 286, 8, kStyleNone},
    {126, Table, "", 7, 245, 286, 50, kStyleNone},
    {1211, Button, text::captionFortuneCalendar, 186, 301, 50, 14, kStyleNone},
    {kIdCancel, DefaultButton, text::captionClose, 243, 301, 50, 14, kStyleNone},
};

// The fortune calendar: what is listed, the table, and the buttons that judge a row or list the
// months of a year, the days of a month, or the years again. The table is as wide as the months
// with their terms; the window may be made larger.
constexpr ControlTemplate kFortuneCalendarControls[] = {
    {110, Label, "", 7, 6, 306, 8, kStyleNone},
    {111, Label, "", 7, 17, 306, 8, kStyleNone},
    {120, Table, "", 7, 28, 306, 190, kStyleNone},
    {kIdOk, DefaultButton, text::captionJudge, 7, 224, 44, 14, kStyleNone},
    {1204, Button, text::captionJudgeLuck, 54, 224, 54, 14, kStyleNone},
    {1201, Button, text::captionMonthList, 111, 224, 46, 14, kStyleNone},
    {1202, Button, text::captionDayList, 160, 224, 46, 14, kStyleNone},
    {1203, Button, text::captionYearList, 209, 224, 46, 14, kStyleNone},
    {kIdCancel, Button, text::captionClose, 269, 224, 44, 14, kStyleNone},
};

// The person list: a search by name or birth year, a year to review, every person of the data
// file in a table, what the reading had to skip, and what can be done with the chosen person. The
// table holds a yearly review's columns; the window may be made larger.
constexpr ControlTemplate kPersonListControls[] = {
    {110, Label, text::captionSearchLabel, 7, 8, 44, 8, kStyleNone},
    {111, Edit, "", 52, 6, 100, 12, kStyleNone},
    {1201, DefaultButton, text::captionSearch, 156, 5, 40, 14, kStyleNone},
    {112, Label, text::captionYearLabel, 253, 8, 12, 8, kStyleNone},
    {113, Edit, "", 267, 6, 36, 12, kStyleNone},
    {1202, Button, text::captionReview, 307, 5, 46, 14, kStyleNone},
    {120, Table, "", 7, 24, 346, 184, kSortable},
    {121, Label, "", 7, 212, 346, 8, kStyleNone},
    {1204, Button, text::captionCompatibility, 147, 226, 46, 14, kStyleNone},
    {kIdOk, Button, text::captionOpenPerson, 199, 226, 46, 14, kStyleNone},
    {1203, Button, text::captionReport, 251, 226, 46, 14, kStyleNone},
    {kIdCancel, Button, text::captionClose, 307, 226, 46, 14, kStyleNone},
};

// カルテ: a person's note and history (鑑定履歴), newest first.
constexpr ControlTemplate kCasebookControls[] = {
    {kStaticId, Label, text::captionNoteLabel, 7, 6, 60, 8, kStyleNone},
    {101, Edit, "", 7, 16, 306, 64, kMultiLine | kBorder | kVerticalScroll},
    {1301, Button, text::captionSaveNote, 259, 83, 54, 14, kStyleNone},
    {kStaticId, Label, text::captionHistoryLabel, 7, 92, 80, 8, kStyleNone},
    {120, Table, "", 7, 102, 306, 112, kStyleNone},
    {kIdOk, Button, text::captionShowPast, 203, 220, 54, 14, kStyleNone},
    {kIdCancel, Button, text::captionClose, 259, 220, 54, 14, kStyleNone},
};

// バックアップ and 復元: the folder, typed.
constexpr ControlTemplate kFolderControls[] = {
    {kStaticId, Label, text::captionFolderLabel, 7, 10, 30, 8, kStyleNone},
    {101, Edit, "", 40, 8, 200, 12, kAutoHScroll},
    {kIdOk, DefaultButton, text::captionOkFullWidth, 134, 28, 50, 14, kStyleNone},
    {kIdCancel, Button, text::captionCancelFullWidth, 190, 28, 50, 14, kStyleNone},
};

// 命式の流儀: a preset, or each rule on its own.
constexpr ControlTemplate kRulesControls[] = {
    {kStaticId, Label, text::captionRulesPreset, 10, 9, 24, 8, kStyleNone},
    {1101, RadioButton, text::captionClassicRules, 40, 8, 34, 10, kStyleNone},
    {1102, RadioButton, text::captionPreciseRules, 80, 8, 34, 10, kStyleNone},
    {1103, RadioButton, text::captionCustomRules, 120, 8, 52, 10, kStyleNone},
    {kStaticId, Label, text::captionSummerTime, 10, 30, 56, 8, kStyleNone},
    {1111, DropDown, "", 66, 28, 114, 14, kStyleNone},
    {kStaticId, Label, text::captionSolarTime, 10, 48, 56, 8, kStyleNone},
    {1112, DropDown, "", 66, 46, 114, 14, kStyleNone},
    {kStaticId, Label, text::captionDayChange, 10, 66, 56, 8, kStyleNone},
    {1113, DropDown, "", 66, 64, 114, 14, kStyleNone},
    {kStaticId, Label, text::captionTerms, 10, 84, 56, 8, kStyleNone},
    {1114, DropDown, "", 66, 82, 114, 14, kStyleNone},
    {kStaticId, Label, text::captionHiddenTable, 10, 102, 56, 8, kStyleNone},
    {1115, DropDown, "", 66, 100, 114, 14, kStyleNone},
    {1116, CheckBox, text::captionCountTermDay, 66, 118, 114, 10, kStyleNone},
    {1120, Label, text::captionRulesNote, 10, 136, 170, 8, kStyleNone},
    {kIdOk, DefaultButton, text::captionOkFullWidth, 40, 156, 50, 14, kStyleNone},
    {kIdCancel, Button, text::captionCancelFullWidth, 100, 156, 50, 14, kStyleNone},
};

// 相性: the two persons, their charts side by side and the years ahead for both, the findings
// in words, and the output of the whole as text.
constexpr ControlTemplate kCompatibilityControls[] = {
    {111, Label, "", 7, 6, 378, 8, kStyleNone},
    {112, Label, "", 7, 16, 378, 8, kStyleNone},
    {120, Table, "", 7, 28, 172, 140, kStyleNone},
    {121, Table, "", 185, 28, 200, 140, kStyleNone},
    {122, Edit, "", 7, 174, 378, 112, kMultiLine | kReadOnly | kBorder | kVerticalScroll},
    {1205, Button, text::captionFileOutput, 262, 292, 62, 14, kStyleNone},
    {kIdCancel, DefaultButton, text::captionClose, 335, 292, 50, 14, kStyleNone},
};

// The other person of a 相性: every person of the data file, found as the person list finds them.
constexpr ControlTemplate kPersonChoiceControls[] = {
    {122, Label, text::captionChoicePrompt, 7, 6, 280, 8, kStyleNone},
    {110, Label, text::captionSearchLabel, 7, 20, 44, 8, kStyleNone},
    {111, Edit, "", 52, 18, 100, 12, kStyleNone},
    {1201, DefaultButton, text::captionSearch, 156, 17, 40, 14, kStyleNone},
    {120, Table, "", 7, 36, 307, 172, kSortable},
    {121, Label, "", 7, 212, 307, 8, kStyleNone},
    {kIdOk, Button, text::captionChoose, 212, 226, 46, 14, kStyleNone},
    {kIdCancel, Button, text::captionCancelFullWidth, 268, 226, 46, 14, kStyleNone},
};

// name, title, font, size, x, y, width, height, positioned, controls
constexpr DialogTemplate kDialogs[] = {
    {"BIRTHDLG", text::birthDialogTitle, text::dialogFontGothic, kPointSize, 0, 0, 187, 126, false,
     kBirthControls},
    {"DATADLG", text::dataDialogTitle, text::dialogFontProportionalGothic, kPointSize, 0, 0, 297,
     237, false, kDataControls},
    {"PANELDLG", text::panelDialogTitle, text::dialogFontProportionalGothic, kPointSize, 0, 0, 232,
     220, false, kPanelControls},
    {"HANDAN", text::resultDialogTitle, text::dialogFontGothic, kPointSize, 0, 0, 223, 181, false,
     kResultControls},
    {"INPUTDLG", text::inputDialogTitle, text::dialogFontGothic, kPointSize, 0, 0, 180, 86, false,
     kInputControls},
    {"HIDENDLG", text::hexagramDialogTitle, text::dialogFontGothic, kPointSize, 0, 0, 191, 86,
     false, kHexagramControls},
    {"ZOUMEIDLG", text::avoidanceDialogTitle, text::dialogFontGothic, kPointSize, 0, 0, 191, 86,
     false, kAvoidanceControls},
    {"ABOUTBOX", text::aboutBoxTitle, text::dialogFontGothic, kPointSize, 22, 17, 171, 52, true,
     kAboutControls},
    {"MEISHIKI", text::fullChartTitle, text::dialogFontGothic, kPointSize, 0, 0, 300, 321, false,
     kFullChartControls},
    {"UNSEIREKI", text::fortuneCalendarTitle, text::dialogFontGothic, kPointSize, 0, 0, 320, 244,
     false, kFortuneCalendarControls, true},
    {"JINBUTSU", text::personListTitle, text::dialogFontGothic, kPointSize, 0, 0, 360, 246, false,
     kPersonListControls, true},
    {"RYUGI", text::rulesDialogTitle, text::dialogFontGothic, kPointSize, 0, 0, 190, 178, false,
     kRulesControls},
    {"AISHOU", text::compatibilityWindowTitle, text::dialogFontGothic, kPointSize, 0, 0, 392, 312,
     false, kCompatibilityControls},
    {"AITE", text::personChoiceTitle, text::dialogFontGothic, kPointSize, 0, 0, 321, 246, false,
     kPersonChoiceControls},
    {"KARUTE", text::casebookTitle, text::dialogFontGothic, kPointSize, 0, 0, 320, 240, false,
     kCasebookControls, true},
    {"FOLDER", text::folderTitle, text::dialogFontGothic, kPointSize, 0, 0, 248, 48, false,
     kFolderControls},
};

enum DialogIndex : std::size_t {
    kBirth,
    kData,
    kPanel,
    kResult,
    kInput,
    kHexagram,
    kAvoidance,
    kAbout,
    kFullChart,
    kFortuneCalendar,
    kPersonList,
    kRules,
    kCompatibility,
    kPersonChoice,
    kCasebook,
    kFolder
};

}  // namespace

const platform::DialogTemplate& birthDialogTemplate() {
    return kDialogs[kBirth];
}
const platform::DialogTemplate& dataDialogTemplate() {
    return kDialogs[kData];
}
const platform::DialogTemplate& panelDialogTemplate() {
    return kDialogs[kPanel];
}
const platform::DialogTemplate& resultDialogTemplate() {
    return kDialogs[kResult];
}
const platform::DialogTemplate& inputDialogTemplate() {
    return kDialogs[kInput];
}
const platform::DialogTemplate& hexagramDialogTemplate() {
    return kDialogs[kHexagram];
}
const platform::DialogTemplate& avoidanceDialogTemplate() {
    return kDialogs[kAvoidance];
}
const platform::DialogTemplate& aboutBoxTemplate() {
    return kDialogs[kAbout];
}

const platform::DialogTemplate& fullChartTemplate() {
    return kDialogs[kFullChart];
}
const platform::DialogTemplate& fortuneCalendarTemplate() {
    return kDialogs[kFortuneCalendar];
}
const platform::DialogTemplate& personListTemplate() {
    return kDialogs[kPersonList];
}
const platform::DialogTemplate& rulesDialogTemplate() {
    return kDialogs[kRules];
}

const platform::DialogTemplate& compatibilityTemplate() {
    return kDialogs[kCompatibility];
}
const platform::DialogTemplate& personChoiceTemplate() {
    return kDialogs[kPersonChoice];
}

const platform::DialogTemplate& casebookTemplate() {
    return kDialogs[kCasebook];
}

const platform::DialogTemplate& folderTemplate() {
    return kDialogs[kFolder];
}

std::span<const platform::DialogTemplate> allDialogTemplates() {
    return kDialogs;
}

const platform::DialogTemplate* findDialogTemplate(std::string_view name) {
    for (const DialogTemplate& dialog : kDialogs) {
        if (platform::sameResourceName(dialog.name, name)) {
            return &dialog;
        }
    }
    return nullptr;
}

}  // namespace quorvel
