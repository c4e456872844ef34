// The longest texts the program puts into a control are read whole in the program's font.
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

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
        {dataDialogTemplate(), 103, "1965年12月31日23時"},
        {dataDialogTemplate(), 102, "女"},
        {birthDialogTemplate(), 1054, "１０：２０"},
        {birthDialogTemplate(), 1054, "10時20分"},
        {birthDialogTemplate(), 1056, "和歌山県"},
        {birthDialogTemplate(), 1056, "経度を入力"},
        {birthDialogTemplate(), 1057, "130.4181"},
        {rulesDialogTemplate(), 1111, "夏時刻を標準時に直す"},
        {rulesDialogTemplate(), 1113, "23時は翌日の子の刻"},
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

}  // namespace
}  // namespace quorvel::test
