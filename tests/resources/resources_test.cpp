#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "resources/command_ids.h"
#include "resources/dialog_templates.h"
#include "resources/images.h"
#include "resources/menu.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using platform::ControlKind;
using platform::ControlTemplate;
using platform::DialogTemplate;
using platform::kStaticId;
using test::sjis;

const DialogTemplate& dialogNamed(std::string_view name) {
    const DialogTemplate* dialog = findDialogTemplate(name);
    if (dialog == nullptr) {
        ADD_FAILURE() << "no template " << name;
        return allDialogTemplates().front();
    }
    return *dialog;
}

TEST(ResourcesDialogs, EveryTemplateHasItsTitleFontAndSize) {
    const struct {
        const DialogTemplate& dialog;
        std::string_view name;
        const char* title;
        const char* font;
        int x, y, width, height;
        bool positioned;
        std::size_t controls;
    } cases[] = {
        {birthDialogTemplate(), "BIRTHDLG", "データの入力", "ＭＳ ゴシック", 0, 0, 187, 126, false,
         21},
        {dataDialogTemplate(), "DATADLG", "DATA.CSV", "ＭＳ Ｐゴシック", 0, 0, 297, 237, false, 17},
        {panelDialogTemplate(), "PANELDLG", "命造/大運パネル", "ＭＳ Ｐゴシック", 0, 0, 232, 220,
         false, 40},
        {resultDialogTemplate(), "HANDAN", "幸運の判断", "ＭＳ ゴシック", 0, 0, 223, 181, false, 3},
        {inputDialogTemplate(), "INPUTDLG", "干支の入力(年月日運用)", "ＭＳ ゴシック", 0, 0, 180,
         86, false, 7},
        {hexagramDialogTemplate(), "HIDENDLG", "Quorvel挨星法の入力", "ＭＳ ゴシック", 0, 0, 191,
         86, false, 10},
        {avoidanceDialogTemplate(), "ZOUMEIDLG", "避凶造命法の入力", "ＭＳ ゴシック", 0, 0, 191, 86,
         false, 7},
        {aboutBoxTemplate(), "ABOUTBOX", "Quorvel", "ＭＳ ゴシック", 22, 17, 171, 52, true, 3},
        {fullChartTemplate(), "MEISHIKI", "命式表", "ＭＳ ゴシック", 0, 0, 300, 321, false, 14},
        {fortuneCalendarTemplate(), "UNSEIREKI", "運勢暦", "ＭＳ ゴシック", 0, 0, 320, 244, false,
         9},
        {personListTemplate(), "JINBUTSU", "人物一覧", "ＭＳ ゴシック", 0, 0, 360, 246, false, 12},
        {rulesDialogTemplate(), "RYUGI", "命式の流儀", "ＭＳ ゴシック", 0, 0, 190, 178, false, 18},
        {compatibilityTemplate(), "AISHOU", "相性", "ＭＳ ゴシック", 0, 0, 392, 312, false, 7},
        {personChoiceTemplate(), "AITE", "相性の相手を選ぶ", "ＭＳ ゴシック", 0, 0, 321, 246, false,
         8},
        {casebookTemplate(), "KARUTE", "メモと鑑定履歴", "ＭＳ ゴシック", 0, 0, 320, 240, false, 7},
        {folderTemplate(), "FOLDER", "フォルダの指定", "ＭＳ ゴシック", 0, 0, 248, 48, false, 4},
    };
    ASSERT_EQ(allDialogTemplates().size(), std::size(cases));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.dialog.name, c.name);
        EXPECT_EQ(c.dialog.title, sjis(c.title));
        EXPECT_EQ(c.dialog.fontName, sjis(c.font));
        EXPECT_EQ(c.dialog.fontSize, 12);
        EXPECT_EQ(c.dialog.positioned, c.positioned);
        if (c.positioned) {
            EXPECT_EQ(c.dialog.x, c.x);
            EXPECT_EQ(c.dialog.y, c.y);
        }
        EXPECT_EQ(c.dialog.width, c.width);
        EXPECT_EQ(c.dialog.height, c.height);
        EXPECT_EQ(c.dialog.controls.size(), c.controls);
        // Only the windows of a table may be made larger.
        EXPECT_EQ(c.dialog.resizable,
                  c.name == "UNSEIREKI" || c.name == "JINBUTSU" || c.name == "KARUTE");
        EXPECT_EQ(findDialogTemplate(c.name), &c.dialog);
    }
}

TEST(ResourcesDialogs, NamesAreFoundWithoutRegardToCase) {
    EXPECT_EQ(findDialogTemplate("panelDlg"), &panelDialogTemplate());
    EXPECT_EQ(findDialogTemplate("handan"), &resultDialogTemplate());
    EXPECT_EQ(findDialogTemplate("PANEL"), nullptr);
    EXPECT_EQ(findDialogTemplate(""), nullptr);
}

// Spot checks by position in the table, so that a control moved out of order fails too.
TEST(ResourcesDialogs, ControlsHaveTheirIdKindTextPlaceAndStyle) {
    constexpr std::uint32_t none = platform::kStyleNone;
    const struct {
        std::string_view dialog;
        std::size_t index;
        int id;
        ControlKind kind;
        const char* text;
        int x, y, width, height;
        std::uint32_t style;
    } cases[] = {
        {"BIRTHDLG", 0, kStaticId, ControlKind::Label, "氏名", 12, 6, 18, 8, none},
        {"BIRTHDLG", 1, 108, ControlKind::Edit, "", 33, 4, 55, 13, platform::kAutoHScroll},
        {"BIRTHDLG", 4, 106, ControlKind::RadioButton, "女", 147, 6, 23, 10, none},
        {"BIRTHDLG", 5, kStaticId, ControlKind::Label, "西暦生年", 20, 32, 33, 8,
         platform::kCentred},
        {"BIRTHDLG", 9, kStaticId, ControlKind::Label, "生日", 39, 54, 21, 8, none},
        {"BIRTHDLG", 12, 1054, ControlKind::Edit, "", 120, 50, 48, 14, none},
        {"BIRTHDLG", 13, 1055, ControlKind::CheckBox, "時刻不明", 120, 67, 52, 10, none},
        {"BIRTHDLG", 15, 1056, ControlKind::DropDown, "", 60, 84, 56, 14, none},
        {"BIRTHDLG", 17, 1057, ControlKind::Edit, "", 138, 84, 36, 14, none},
        {"BIRTHDLG", 19, 1, ControlKind::DefaultButton, "実行", 37, 106, 50, 14, none},
        {"BIRTHDLG", 20, 2, ControlKind::Button, "ｷｬﾝｾﾙ", 100, 106, 50, 14, none},

        {"DATADLG", 1, 101, ControlKind::Edit, "", 22, 9, 124, 14, none},
        {"DATADLG", 2, kStaticId, ControlKind::Label, "性別", 148, 11, 15, 8, none},
        {"DATADLG", 4, 103, ControlKind::Edit, "", 184, 9, 106, 14, none},
        {"DATADLG", 5, 1021, ControlKind::Button, "", 7, 27, 283, 14, none},
        {"DATADLG", 7, 1023, ControlKind::Button, "", 7, 64, 283, 14, none},
        {"DATADLG", 10, 1026, ControlKind::Button, "", 7, 119, 283, 14, none},
        {"DATADLG", 14, 1030, ControlKind::Button, "", 7, 191, 283, 14, none},
        {"DATADLG", 15, 1, ControlKind::DefaultButton, "実行", 95, 213, 50, 14, none},
        {"DATADLG", 16, 2, ControlKind::Button, "ｷｬﾝｾﾙ", 154, 213, 50, 14, none},

        {"PANELDLG", 1, 110, ControlKind::Label, "", 27, 6, 120, 8, platform::kCentred},
        {"PANELDLG", 2, 111, ControlKind::Label, "", 150, 6, 11, 8, platform::kRightAligned},
        {"PANELDLG", 3, 1061, ControlKind::Label, "命", 163, 6, 8, 8, none},
        {"PANELDLG", 4, 30000, ControlKind::Icon, "MYAPP", 178, 5, 0, 0, none},
        {"PANELDLG", 7, 1064, ControlKind::Label, "日柱", 14, 80, 17, 8, none},
        {"PANELDLG", 12, 1024, ControlKind::Button, "", 35, 100, 40, 14, none},
        {"PANELDLG", 16, 1042, ControlKind::Label, "", 92, 100, 17, 8, platform::kCentred},
        {"PANELDLG", 21, 1028, ControlKind::Button, "", 110, 97, 44, 14, none},
        {"PANELDLG", 24, 1045, ControlKind::Label, "", 155, 56, 16, 8, platform::kCentred},
        {"PANELDLG", 29, 1031, ControlKind::Button, "", 171, 53, 44, 14, none},
        {"PANELDLG", 33, 65535, ControlKind::Label, "四柱", 23, 138, 42, 8, platform::kCentred},
        {"PANELDLG", 35, 1066, ControlKind::Label, "大運", 111, 138, 15, 8, none},
        {"PANELDLG", 36, 102, ControlKind::Edit, "", 136, 135, 40, 14, none},
        {"PANELDLG", 38, 2, ControlKind::Button, "ｷｬﾝｾﾙ", 125, 155, 50, 14, none},
        {"PANELDLG", 39, 1070, ControlKind::Edit, "", 7, 173, 218, 42,
         platform::kMultiLine | platform::kReadOnly | platform::kBorder |
             platform::kVerticalScroll},

        {"MEISHIKI", 1, 127, ControlKind::Edit, "", 7, 17, 286, 36,
         platform::kMultiLine | platform::kReadOnly | platform::kBorder |
             platform::kVerticalScroll},
        {"MEISHIKI", 7, 129, ControlKind::Label, "", 7, 209, 100, 8, none},
        {"MEISHIKI", 8, 128, ControlKind::Label, "", 110, 209, 183, 8, none},

        {"RYUGI", 1, 1101, ControlKind::RadioButton, "古典", 40, 8, 34, 10, none},
        {"RYUGI", 3, 1103, ControlKind::RadioButton, "個別設定", 120, 8, 52, 10, none},
        {"RYUGI", 5, 1111, ControlKind::DropDown, "", 66, 28, 114, 14, none},
        {"RYUGI", 10, kStaticId, ControlKind::Label, "節入り", 10, 84, 56, 8, none},
        {"RYUGI", 13, 1115, ControlKind::DropDown, "", 66, 100, 114, 14, none},
        {"RYUGI", 14, 1116, ControlKind::CheckBox, "節入り日を1日目と数える", 66, 118, 114, 10,
         none},
        {"RYUGI", 16, 1, ControlKind::DefaultButton, "ＯＫ", 40, 156, 50, 14, none},
        {"RYUGI", 17, 2, ControlKind::Button, "キャンセル", 100, 156, 50, 14, none},

        {"HANDAN", 0, 101, ControlKind::Edit, "", 7, 7, 209, 152,
         platform::kMultiLine | platform::kReadOnly | platform::kBorder |
             platform::kVerticalScroll},
        {"HANDAN", 1, 1, ControlKind::DefaultButton, "ＯＫ", 85, 160, 50, 14, none},
        {"HANDAN", 2, 1067, ControlKind::Button, "ファイル出力(&O)", 154, 160, 62, 14, none},

        {"INPUTDLG", 0, kStaticId, ControlKind::Label, "生日干支", 40, 17, 37, 8, none},
        {"INPUTDLG", 2, kStaticId, ControlKind::Label, "年/月/日干支", 40, 39, 49, 8, none},
        {"INPUTDLG", 3, 102, ControlKind::Edit, "", 90, 35, 40, 14, none},
        {"INPUTDLG", 5, 2, ControlKind::Button, "ｷｬﾝｾﾙ", 105, 65, 50, 14, none},
        {"INPUTDLG", 6, kStaticId, ControlKind::Icon, "MYAPP", 7, 5, 0, 0, none},

        {"HIDENDLG", 0, kStaticId, ControlKind::Icon, "MYAPP", 9, 4, 0, 0, none},
        {"HIDENDLG", 1, kStaticId, ControlKind::Label, "生日干支", 48, 9, 33, 8,
         platform::kRightAligned},
        {"HIDENDLG", 5, 107, ControlKind::RadioButton, "選択なし", 146, 20, 42, 10, none},
        {"HIDENDLG", 6, 111, ControlKind::Label, "行運干支", 48, 34, 33, 8,
         platform::kRightAligned},
        {"HIDENDLG", 8, 1, ControlKind::Button, "実行", 40, 60, 50, 14, none},
        {"HIDENDLG", 9, 2, ControlKind::Button, "キャンセル", 109, 60, 50, 14, none},

        {"ZOUMEIDLG", 0, kStaticId, ControlKind::Icon, "MyApp", 3, 2, 0, 0, none},
        {"ZOUMEIDLG", 3, 111, ControlKind::Label, "大運/年干支", 35, 32, 46, 8, none},
        {"ZOUMEIDLG", 4, 102, ControlKind::Edit, "", 83, 29, 33, 13, none},
        {"ZOUMEIDLG", 5, 1, ControlKind::Button, "実行", 33, 60, 50, 14, none},
        {"ZOUMEIDLG", 6, 2, ControlKind::Button, "キャンセル", 109, 60, 50, 14, none},

        {"ABOUTBOX", 0, kStaticId, ControlKind::Icon, "MyApp", 3, 2, 20, 20, none},
        {"ABOUTBOX", 1, kStaticId, ControlKind::Label, "Ver 1.17", 23, 4, 145, 8, none},
        {"ABOUTBOX", 2, 1, ControlKind::DefaultButton, "了解", 116, 36, 50, 14, none},
    };
    for (const auto& c : cases) {
        const DialogTemplate& dialog = dialogNamed(c.dialog);
        SCOPED_TRACE(std::string(c.dialog) + " #" + std::to_string(c.index));
        ASSERT_LT(c.index, dialog.controls.size());
        const ControlTemplate& control = dialog.controls[c.index];
        EXPECT_EQ(control.id, c.id);
        EXPECT_EQ(control.kind, c.kind);
        EXPECT_EQ(control.text, sjis(c.text));
        EXPECT_EQ(control.x, c.x);
        EXPECT_EQ(control.y, c.y);
        EXPECT_EQ(control.width, c.width);
        EXPECT_EQ(control.height, c.height);
        EXPECT_EQ(control.style, c.style);
    }
}

TEST(ResourcesDialogs, IdsAreUniqueAndEveryWorkingControlHasOne) {
    for (const DialogTemplate& dialog : allDialogTemplates()) {
        SCOPED_TRACE(dialog.name);
        std::set<int> seen;
        int defaultButtons = 0;
        for (const ControlTemplate& control : dialog.controls) {
            if (control.kind == ControlKind::DefaultButton) {
                ++defaultButtons;
            }
            if (control.id == kStaticId) {
                EXPECT_TRUE(control.kind == ControlKind::Label || control.kind == ControlKind::Icon)
                    << "a control the program must address has no id";
                continue;
            }
            EXPECT_TRUE(seen.insert(control.id).second) << "id " << control.id << " twice";
        }
        EXPECT_LE(defaultButtons, 1);
    }
}

TEST(ResourcesDialogs, EveryControlLiesInsideItsDialog) {
    for (const DialogTemplate& dialog : allDialogTemplates()) {
        for (const ControlTemplate& control : dialog.controls) {
            SCOPED_TRACE(std::string(dialog.name) + " id " + std::to_string(control.id));
            EXPECT_GE(control.x, 0);
            EXPECT_GE(control.y, 0);
            EXPECT_LE(control.x + control.width, dialog.width);
            EXPECT_LE(control.y + control.height, dialog.height);
            if (control.kind != ControlKind::Icon) {
                EXPECT_GT(control.width, 0);
                EXPECT_GT(control.height, 0);
            }
        }
    }
}

// Every button of the windows of tables and the result dialog's ファイル出力 is pressed with Alt
// and the letter its caption ends with, "(&X)"; no letter twice in a window.
TEST(ResourcesDialogs, ButtonsOfTheNewWindowsHaveMnemonics) {
    for (const char* name : {"MEISHIKI", "UNSEIREKI", "JINBUTSU", "HANDAN"}) {
        SCOPED_TRACE(name);
        std::set<char> letters;
        for (const ControlTemplate& control : dialogNamed(name).controls) {
            const bool button =
                control.kind == ControlKind::Button || control.kind == ControlKind::DefaultButton;
            if (!button || (std::string_view(name) == "HANDAN" && control.id != 1067)) {
                continue;
            }
            const std::string_view text = control.text;
            ASSERT_GE(text.size(), 4u) << control.id;
            const std::string_view end = text.substr(text.size() - 4);
            EXPECT_TRUE(end.starts_with("(&") && end.ends_with(")") && end[2] >= 'A' &&
                        end[2] <= 'Z')
                << control.id;
            EXPECT_TRUE(letters.insert(end[2]).second) << control.id << " " << end;
        }
        EXPECT_GE(letters.size(), 1u);
    }
}

const ControlTemplate* controlWithId(const DialogTemplate& dialog, int id) {
    for (const ControlTemplate& control : dialog.controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

// The panel fills age label 1039 + i and luck button 1025 + i from the same luck pillar, so
// each label must sit just left of its button on the same row.
TEST(ResourcesDialogs, PanelAgeLabelsPairWithTheirLuckButtons) {
    const DialogTemplate& panel = panelDialogTemplate();
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        const ControlTemplate* age = controlWithId(panel, 1039 + i);
        const ControlTemplate* button = controlWithId(panel, 1025 + i);
        ASSERT_NE(age, nullptr);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(age->kind, ControlKind::Label);
        EXPECT_EQ(age->style, platform::kCentred);
        EXPECT_EQ(button->kind, ControlKind::Button);
        EXPECT_LE(age->x + age->width, button->x + 1);
        EXPECT_LT(button->x - age->x, 20);
        EXPECT_GE(age->y, button->y);
        EXPECT_LE(age->y + age->height, button->y + button->height);
    }
    for (int i = 0; i < 4; ++i) {
        const ControlTemplate* caption = controlWithId(panel, 1062 + i);
        const ControlTemplate* pillar = controlWithId(panel, 1021 + i);
        ASSERT_NE(caption, nullptr);
        ASSERT_NE(pillar, nullptr);
        EXPECT_LE(caption->x + caption->width, pillar->x) << i;
        EXPECT_LE(std::abs(caption->y - pillar->y), 3) << i;
    }
}

TEST(ResourcesMenu, ItemsTextsAndIdsInOrder) {
    struct Item {
        const char* text;
        int id;
    };
    const struct {
        const char* text;
        int id;
        std::vector<Item> items;
    } expected[] = {
        {"ファイル(&F)",
         0,
         {{"データファイルを開く(&D)", 11},
          {"人物一覧(&L)", 12},
          {"命式の流儀(&R)", 13},
          {"バックアップ(&B)...", 14},
          {"復元(&O)...", 15},
          {"秘伝の開示、ファイル出力(&O)", 10},
          {"Quorvelの終了(&X)", 100}}},
        {"大運(&I)", 0, {{"生年月日時の入力(&B)", 200}, {"命式表(&M)", 220}, {"運勢暦(&R)", 221}}},
        {"年/月/日運(&N)", 0, {{"干支入力(&K)", 199}}},
        {"奥義：人運の判断(&J)", 300, {}},
        {"避凶造命法(&Z)", 301, {}},
        {"ヘルプ(&H)", 0, {{"目次(&C)", 400}, {"記号の意味(&T)", 210}, {"バージョン情報", 310}}},
    };
    const std::span<const platform::MenuItem> menu = mainMenu();
    ASSERT_EQ(menu.size(), std::size(expected));
    for (std::size_t i = 0; i < menu.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(menu[i].text, sjis(expected[i].text));
        EXPECT_EQ(menu[i].commandId, expected[i].id);
        ASSERT_EQ(menu[i].items.size(), expected[i].items.size());
        for (std::size_t j = 0; j < menu[i].items.size(); ++j) {
            EXPECT_EQ(menu[i].items[j].text, sjis(expected[i].items[j].text));
            EXPECT_EQ(menu[i].items[j].commandId, expected[i].items[j].id);
            EXPECT_TRUE(menu[i].items[j].items.empty());
        }
    }
    // A chart panel's context menu offers the same two commands for its own person, its report
    // and its 相性.
    ASSERT_EQ(panelContextMenu().size(), 5u);
    EXPECT_EQ(panelContextMenu()[0].commandId, 220);
    EXPECT_EQ(panelContextMenu()[1].commandId, 221);
    EXPECT_EQ(panelContextMenu()[1].text, sjis("運勢暦(&R)"));
    EXPECT_EQ(panelContextMenu()[2].commandId, 222);
    EXPECT_EQ(panelContextMenu()[2].text, sjis("鑑定書(&H)"));
    EXPECT_EQ(panelContextMenu()[3].commandId, 223);
    EXPECT_EQ(panelContextMenu()[3].text, sjis("相性(&A)"));
    EXPECT_EQ(panelContextMenu()[4].commandId, 224);
    EXPECT_EQ(panelContextMenu()[4].text, sjis("訂正(&E)..."));
    // The output button's command shares the menu's numbering.
    EXPECT_EQ(kCommandOutput, 201);
}

// Reads an XPM's "width height colours chars-per-pixel" line and checks the rows against it.
void expectSaneXpm(const char* const* xpm, int width, int height) {
    int w = 0;
    int h = 0;
    int colours = 0;
    int perPixel = 0;
    ASSERT_EQ(std::sscanf(xpm[0], "%d %d %d %d", &w, &h, &colours, &perPixel), 4);
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
    ASSERT_EQ(perPixel, 1);
    ASSERT_GE(colours, 2);
    ASSERT_LE(colours, 8);
    std::set<char> keys;
    bool transparent = false;
    for (int i = 1; i <= colours; ++i) {
        const std::string_view line = xpm[i];
        ASSERT_GE(line.size(), 5u) << line;
        EXPECT_EQ(line.substr(1, 3), " c ") << line;
        EXPECT_TRUE(keys.insert(line[0]).second) << "colour key twice: " << line;
        transparent = transparent || line.substr(4) == "None";
    }
    EXPECT_TRUE(transparent);
    for (int row = 0; row < h; ++row) {
        const std::string_view pixels = xpm[1 + colours + row];
        ASSERT_EQ(pixels.size(), static_cast<std::size_t>(w)) << "row " << row;
        for (const char key : pixels) {
            EXPECT_TRUE(keys.contains(key)) << "row " << row << " key '" << key << "'";
        }
    }
}

TEST(ResourcesImages, EveryImageIsAWellFormedXpmOfItsSize) {
    const struct {
        std::string_view name;
        int size;
    } expected[] = {{"MyApp", 32}, {"MyApp16", 16}, {"OTICO15", 10}, {"ONICO15", 10}};
    ASSERT_EQ(moduleImages().size(), std::size(expected));
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        const platform::ImageResource* image = findImage(e.name);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->name, e.name);
        expectSaneXpm(image->xpm, e.size, e.size);
    }
    EXPECT_EQ(findImage("myapp"), findImage("MyApp"));
    EXPECT_EQ(findImage("MyApp1"), nullptr);
}

TEST(ResourcesImages, EveryIconOfTheTemplatesResolves) {
    int icons = 0;
    for (const DialogTemplate& dialog : allDialogTemplates()) {
        for (const ControlTemplate& control : dialog.controls) {
            if (control.kind == ControlKind::Icon) {
                ++icons;
                EXPECT_NE(findImage(control.text), nullptr) << dialog.name << ": " << control.text;
            }
        }
    }
    EXPECT_EQ(icons, 5);
}

}  // namespace
}  // namespace quorvel
