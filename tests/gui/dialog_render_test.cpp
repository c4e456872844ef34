// Every template renders with its controls' ids, kinds, texts and pixel places.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include <string>
#include <vector>

#include "platform/qt/dialog_controls.h"
#include "resources/dialog_templates.h"
#include "resources/images.h"
#include "tests/gui/gui_test_support.h"
#include "tests/gui/probe_templates.h"
#include "tests/support/sjis.h"

namespace quorvel::test {
namespace {

using platform::ControlKind;
using platform::ControlTemplate;
using platform::DialogTemplate;

std::vector<const DialogTemplate*> everyTemplate() {
    std::vector<const DialogTemplate*> all;
    for (const DialogTemplate& dialog : probeTemplates()) {
        all.push_back(&dialog);
    }
    for (const DialogTemplate& dialog : allDialogTemplates()) {
        all.push_back(&dialog);
    }
    return all;
}

// The controls of a rendered dialog, in template order.
std::vector<QWidget*> controlWidgets(QWidget* dialog) {
    std::vector<QWidget*> controls;
    for (QWidget* child : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->property(platform::qt::kControlIdProperty).isValid()) {
            controls.push_back(child);
        }
    }
    return controls;
}

QString shownText(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        return line->text();
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        return plain->toPlainText();
    }
    if (qobject_cast<QTableView*>(widget) != nullptr ||
        qobject_cast<QComboBox*>(widget) != nullptr) {
        return {};  // a table's texts are its rows, a drop-down's its items, set at run time
    }
    return qobject_cast<QAbstractButton*>(widget)->text();
}

void expectKind(const ControlTemplate& control, QWidget* widget) {
    const std::string id = std::to_string(control.id);
    switch (control.kind) {
        case ControlKind::Label: {
            auto* label = qobject_cast<QLabel*>(widget);
            ASSERT_NE(label, nullptr) << id;
            Qt::Alignment horizontal = Qt::AlignLeft;
            if ((control.style & platform::kCentred) != 0) {
                horizontal = Qt::AlignHCenter;
            } else if ((control.style & platform::kRightAligned) != 0) {
                horizontal = Qt::AlignRight;
            }
            EXPECT_EQ(label->alignment(), horizontal | Qt::AlignTop) << id;
            break;
        }
        case ControlKind::Edit:
            if ((control.style & platform::kMultiLine) != 0) {
                auto* edit = qobject_cast<QPlainTextEdit*>(widget);
                ASSERT_NE(edit, nullptr) << id;
                EXPECT_EQ(edit->isReadOnly(), (control.style & platform::kReadOnly) != 0) << id;
                EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::WidgetWidth) << id;
            } else {
                EXPECT_NE(qobject_cast<QLineEdit*>(widget), nullptr) << id;
            }
            break;
        case ControlKind::Button:
        case ControlKind::DefaultButton: {
            auto* button = qobject_cast<QPushButton*>(widget);
            ASSERT_NE(button, nullptr) << id;
            // A push button that has the focus is the default while it keeps it, as on Windows.
            auto* focused = qobject_cast<QPushButton*>(widget->window()->focusWidget());
            if (control.kind == ControlKind::DefaultButton && focused == nullptr) {
                EXPECT_TRUE(button->isDefault()) << id;
            }
            break;
        }
        case ControlKind::RadioButton:
            EXPECT_NE(qobject_cast<QRadioButton*>(widget), nullptr) << id;
            break;
        case ControlKind::CheckBox:
            EXPECT_NE(qobject_cast<QCheckBox*>(widget), nullptr) << id;
            break;
        case ControlKind::DropDown: {
            auto* combo = qobject_cast<QComboBox*>(widget);
            ASSERT_NE(combo, nullptr) << id;
            EXPECT_FALSE(combo->isEditable()) << id;  // chosen from, never typed into
            break;
        }
        case ControlKind::Icon: {
            auto* label = qobject_cast<QLabel*>(widget);
            ASSERT_NE(label, nullptr) << id;
            const platform::ImageResource* image = findImage(control.text);
            ASSERT_NE(image, nullptr) << "no image " << control.text;
            EXPECT_EQ(label->pixmap().toImage(), QPixmap(image->xpm).toImage()) << id;
            break;
        }
        case ControlKind::Table: {
            auto* table = qobject_cast<QTableView*>(widget);
            ASSERT_NE(table, nullptr) << id;
            EXPECT_EQ(table->selectionBehavior(), QAbstractItemView::SelectRows) << id;
            EXPECT_EQ(table->selectionMode(), QAbstractItemView::SingleSelection) << id;
            EXPECT_EQ(table->editTriggers(), QAbstractItemView::NoEditTriggers) << id;
            break;
        }
    }
}

class GuiDialogRender : public GuiTest,
                        public ::testing::WithParamInterface<const DialogTemplate*> {};

TEST_P(GuiDialogRender, ControlsHaveTheirIdsKindsTextsAndPlaces) {
    const DialogTemplate& dialog = *GetParam();
    const platform::WindowHandle handle =
        platform::openModelessDialog(dialog, nullptr, std::make_unique<RecordingHandler>());
    QWidget* window = widgetOf(handle);
    ASSERT_NE(window, nullptr);

    // Both Windows gothic fonts at 12 points: 8 x 16 px base units, 2 px per unit either way.
    const bool proportional = dialog.fontName == sjis("ＭＳ Ｐゴシック");
    ASSERT_TRUE(proportional || dialog.fontName == sjis("ＭＳ ゴシック"));
    ASSERT_EQ(dialog.fontSize, 12);
    EXPECT_EQ(QFontInfo(window->font()).family(), proportional ? "IPAPGothic" : "IPAGothic");
    EXPECT_EQ(QFontInfo(window->font()).pixelSize(), 16);
    EXPECT_EQ(window->windowTitle(), fromSjis(dialog.title));
    EXPECT_EQ(window->size(), QSize(dialog.width * 2, dialog.height * 2));

    const std::vector<QWidget*> widgets = controlWidgets(window);
    ASSERT_EQ(widgets.size(), dialog.controls.size());
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        const ControlTemplate& control = dialog.controls[i];
        QWidget* widget = widgets[i];
        SCOPED_TRACE("control " + std::to_string(i) + " id " + std::to_string(control.id));
        EXPECT_EQ(widget->property(platform::qt::kControlIdProperty).toInt(), control.id);
        expectKind(control, widget);
        const QPoint place(control.x * 2, control.y * 2);
        if (control.kind == ControlKind::Icon) {
            EXPECT_EQ(widget->pos(), place);
            EXPECT_EQ(widget->size(), qobject_cast<QLabel*>(widget)->pixmap().size());
        } else {
            EXPECT_EQ(widget->geometry(),
                      QRect(place, QSize(control.width * 2, control.height * 2)));
            EXPECT_EQ(shownText(widget), fromSjis(control.text));
        }
    }
    platform::destroyWindow(handle);
}

INSTANTIATE_TEST_SUITE_P(Templates, GuiDialogRender, ::testing::ValuesIn(everyTemplate()),
                         [](const ::testing::TestParamInfo<const DialogTemplate*>& param) {
                             return std::string(param.param->name);
                         });

}  // namespace
}  // namespace quorvel::test
