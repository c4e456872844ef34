// The longest texts the program puts into a control are read whole in the program's font.
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/qt/dialog_window.h"
#include "resources/dialog_templates.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/sjis.h"

namespace quorvel::test {
namespace {

using platform::DialogTemplate;

// The pixels the text needs beyond the room the control gives it (<= 0: it fits).
int overflow(QWidget* widget, const QString& text) {
    const QFontMetrics metrics(widget->font());
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.rect = button->rect();
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        return metrics.size(Qt::TextShowMnemonic, text).width() - room.width();
    }
    const int needed = metrics.horizontalAdvance(text);
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        QStyleOptionFrame option;
        option.initFrom(line);
        option.rect = line->rect();
        option.lineWidth = line->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, line);
        const QRect room =
            line->style()->subElementRect(QStyle::SE_LineEditContents, &option, line);
        return needed - (room.width() - 2 * 2);  // QLineEdit keeps 2 px each side
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        const QRect room = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, combo);
        return needed - room.width();
    }
    return needed - widget->contentsRect().width();
}

TEST_F(GuiTest, TheLongestTextsFitTheirControls) {
    const struct {
        const DialogTemplate& dialog;
        int id;
        const char* text;
    } cases[] = {
        {panelDialogTemplate(), 65535, "自分,配偶者"},
        {panelDialogTemplate(), 65535, "兄弟姉妹"},
        {panelDialogTemplate(), 110, "一二三四五六七八九十壱弐参肆伍"},  // 30 bytes
        {panelDialogTemplate(), 1039, "100"},
        {panelDialogTemplate(), 1044, "100"},
        {panelDialogTemplate(), 1048, "100"},
        {dataDialogTemplate(), 101, "一二三四五六七八九十壱弐参肆伍"},
        {dataDialogTemplate(), 103, "1965年12月31日23時"},
        {dataDialogTemplate(), 103, "9999年12月31日23時59分"},
        {dataDialogTemplate(), 103, "9999年12月31日時刻不明"},
        {dataDialogTemplate(), 102, "女"},
        // A record's button: the longest name, the sex and the longest birth.
        {dataDialogTemplate(), 1021,
         "一二三四五六七八九十壱弐参肆伍        女  1965年12月31日23時生まれ"},
        {dataDialogTemplate(), 1030,
         "一二三四五六七八九十壱弐参肆伍        男  1965年12月31日23時生まれ"},
        {dataDialogTemplate(), 1021,
         "一二三四五六七八九十壱弐参肆伍        女  9999年12月31日23時59分生まれ"},
        {dataDialogTemplate(), 1030,
         "一二三四五六七八九十壱弐参肆伍        男  9999年12月31日時刻不明"},
        {birthDialogTemplate(), 1054, "１０：２０"},
        {birthDialogTemplate(), 1054, "10時20分"},
        {birthDialogTemplate(), 1056, "和歌山県"},
        {birthDialogTemplate(), 1056, "経度を入力"},
        {birthDialogTemplate(), 1057, "130.4181"},
        {rulesDialogTemplate(), 1111, "夏時刻を標準時に直す"},
        {rulesDialogTemplate(), 1113, "23時は翌日の子の刻"},
        {rulesDialogTemplate(), 1115, "簡易版の月律分野表"},
        {rulesDialogTemplate(), 1115, "算命学の二十八元表"},
        {rulesDialogTemplate(), 1116, "節入り日を1日目と数える"},
        {rulesDialogTemplate(), 1120, "地方時は出生地を入れた人にだけ使われます"},
    };
    for (const auto& c : cases) {
        const platform::WindowHandle handle =
            platform::openModelessDialog(c.dialog, nullptr, std::make_unique<RecordingHandler>());
        auto* dialog = dynamic_cast<platform::qt::DialogWindow*>(widgetOf(handle));
        ASSERT_NE(dialog, nullptr);
        QWidget* widget = dialog->control(c.id);
        ASSERT_NE(widget, nullptr);
        EXPECT_LE(overflow(widget, qs(c.text)), 0) << c.dialog.name << " " << c.id << " " << c.text;
        platform::destroyWindow(handle);
    }
}

// Qt's own texts, the context menu of an edit box, are Japanese like the program's.
TEST_F(GuiTest, TheContextMenuOfAnEditIsJapanese) {
    const platform::WindowHandle handle = platform::openModelessDialog(
        dataDialogTemplate(), nullptr, std::make_unique<RecordingHandler>());
    auto* dialog = dynamic_cast<platform::qt::DialogWindow*>(widgetOf(handle));
    ASSERT_NE(dialog, nullptr);
    auto* edit = qobject_cast<QLineEdit*>(dialog->control(101));
    ASSERT_NE(edit, nullptr);
    std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
    int actions = 0;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            ++actions;
            const QString text = action->text();
            EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](QChar c) {
                return c.unicode() >= 0x3000;
            })) << text.toStdString();
        }
    }
    EXPECT_GE(actions, 5);
    platform::destroyWindow(handle);
}

// Every caption a template gives a button fits it whole, its mnemonic's (&X) included.
TEST_F(GuiTest, EveryButtonCaptionFitsItsButton) {
    for (const DialogTemplate& dialog : allDialogTemplates()) {
        const platform::WindowHandle handle =
            platform::openModelessDialog(dialog, nullptr, std::make_unique<RecordingHandler>());
        auto* window = dynamic_cast<platform::qt::DialogWindow*>(widgetOf(handle));
        ASSERT_NE(window, nullptr);
        for (const platform::ControlTemplate& control : dialog.controls) {
            if (control.kind == platform::ControlKind::Button ||
                control.kind == platform::ControlKind::DefaultButton) {
                EXPECT_LE(overflow(window->control(control.id), fromSjis(control.text)), 0)
                    << dialog.name << " " << control.id;
            }
        }
        platform::destroyWindow(handle);
    }
}

}  // namespace
}  // namespace quorvel::test
