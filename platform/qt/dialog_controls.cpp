#include "platform/qt/dialog_controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QValidator>

#include "platform/qt/dialog_table.h"
#include "platform/qt/images.h"
#include "platform/qt/text_codec.h"

namespace quorvel::platform::qt {

namespace {

// The longest start of the text whose CP932 form fits, by whole characters (a character without
// a CP932 form counts as the one byte "?" it becomes).
class Cp932ByteLimit final : public QValidator {
  public:
    Cp932ByteLimit(std::size_t maxBytes, QObject* parent) : QValidator(parent), max_(maxBytes) {}

    State validate(QString& input, int& pos) const override {
        std::size_t bytes = 0;
        qsizetype keep = 0;
        while (keep < input.size()) {
            const qsizetype width =
                input.at(keep).isHighSurrogate() && keep + 1 < input.size() ? 2 : 1;
            const std::size_t size = toCp932(input.mid(keep, width)).size();
            if (bytes + size > max_) {
                break;
            }
            bytes += size;
            keep += width;
        }
        if (keep < input.size()) {
            input.truncate(keep);
            pos = std::min(pos, static_cast<int>(keep));
        }
        return Acceptable;
    }

  private:
    std::size_t max_;
};

QLabel* createLabel(const ControlTemplate& control, QWidget* parent) {
    auto* label = new QLabel(fromCp932(control.text), parent);
    label->setTextFormat(Qt::PlainText);
    Qt::Alignment horizontal = Qt::AlignLeft;
    if ((control.style & kCentred) != 0) {
        horizontal = Qt::AlignHCenter;
    } else if ((control.style & kRightAligned) != 0) {
        horizontal = Qt::AlignRight;
    }
    // A static text starts at the top of its rectangle, not in the middle as QLabel would put it.
    label->setAlignment(horizontal | Qt::AlignTop);
    return label;
}

QWidget* createEdit(const ControlTemplate& control, QWidget* parent) {
    const QString text = fromCp932(control.text);
    if ((control.style & kMultiLine) != 0) {
        auto* edit = new QPlainTextEdit(text, parent);
        edit->setReadOnly((control.style & kReadOnly) != 0);
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        edit->setVerticalScrollBarPolicy((control.style & kVerticalScroll) != 0
                                             ? Qt::ScrollBarAlwaysOn
                                             : Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Tab moves on to the next control, as in any dialog; the text holds no tabs.
        edit->setTabChangesFocus(true);
        if ((control.style & kBorder) == 0) {
            edit->setFrameShape(QFrame::NoFrame);
        }
        return edit;
    }
    // A one-line edit is framed like every edit field of the templates.
    auto* edit = new QLineEdit(text, parent);
    edit->setReadOnly((control.style & kReadOnly) != 0);
    return edit;
}

QPushButton* createButton(const ControlTemplate& control, QWidget* parent) {
    auto* button = new DialogButton(fromCp932(control.text), parent);
    // A focused push button answers Enter, as on Windows; the template's default one otherwise.
    button->setAutoDefault(true);
    button->setDefault(control.kind == ControlKind::DefaultButton);
    return button;
}

QLabel* createIcon(const ControlTemplate& control, QWidget* parent) {
    auto* label = new QLabel(parent);
    const QPixmap pixmap = moduleImage(control.text);
    label->setPixmap(pixmap);
    return label;
}

QTableView* createTable(const ControlTemplate& control, QWidget* parent) {
    auto* table = new DialogTable(parent);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setHighlightSections(false);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    if ((control.style & kSortable) != 0) {
        // Sorted only when a heading is clicked: rows keep the order they were added in until
        // then, and each remembers that order for the handler.
        QHeaderView* header = table->horizontalHeader();
        header->setSectionsClickable(true);
        header->setSortIndicator(-1, Qt::AscendingOrder);
        header->setSortIndicatorShown(true);
        QObject::connect(header, &QHeaderView::sortIndicatorChanged, table,
                         [table, header](int column, Qt::SortOrder order) {
                             if (column >= 0) {
                                 table->rows().sortBy(column, order);
                                 // The sort mark beside the heading never cuts it.
                                 table->setColumnWidth(column,
                                                       std::max(table->columnWidth(column),
                                                                header->sectionSizeHint(column)));
                             }
                         });
    }
    return table;
}

}  // namespace

void DialogButton::paintEvent(QPaintEvent* event) {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect room = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const QString shown = option.text;
    if (fontMetrics().size(Qt::TextShowMnemonic, shown).width() <= room.width()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.drawItemText(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(),
                         isEnabled(), shown, QPalette::ButtonText);
}

QWidget* createControl(const ControlTemplate& control, const DialogUnits& units, QWidget* parent) {
    QWidget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::Label:
            widget = createLabel(control, parent);
            break;
        case ControlKind::Edit:
            widget = createEdit(control, parent);
            break;
        case ControlKind::Button:
        case ControlKind::DefaultButton:
            widget = createButton(control, parent);
            break;
        case ControlKind::RadioButton:
            widget = new WholeRectRadioButton(fromCp932(control.text), parent);
            break;
        case ControlKind::Icon:
            widget = createIcon(control, parent);
            break;
        case ControlKind::Table:
            widget = createTable(control, parent);
            break;
        case ControlKind::CheckBox:
            widget = new WholeRectCheckBox(fromCp932(control.text), parent);
            break;
        case ControlKind::DropDown:
            widget = new QComboBox(parent);  // a list to choose from, typed into never
            break;
    }
    QRect geometry = units.rect(control.x, control.y, control.width, control.height);
    if (control.kind == ControlKind::Icon) {
        // An icon control takes its image's own size, whatever the template says.
        const QPixmap pixmap = static_cast<QLabel*>(widget)->pixmap();
        if (!pixmap.isNull()) {
            geometry.setSize(pixmap.size());
        }
    }
    widget->setGeometry(geometry);
    widget->setProperty(kControlIdProperty, control.id);
    return widget;
}

void limitCp932Bytes(QWidget* widget, std::size_t maxBytes) {
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setValidator(new Cp932ByteLimit(maxBytes, line));
    }
}

void setControlText(QWidget* widget, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setText(text);
        // A Windows edit puts the caret before a new text, so a text too long for the box shows
        // its start; QLineEdit would scroll to the end.
        line->setCursorPosition(0);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        QString lines = text;
        lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        plain->setPlainText(lines);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    }
}

QString controlText(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* line = qobject_cast<const QLineEdit*>(widget)) {
        return line->text();
    }
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) {
        // A multi-line Windows edit hands its lines back with CR LF.
        QString lines = plain->toPlainText();
        lines.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        return lines;
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        return combo->currentText();  // the chosen item, as a drop-down list's window text
    }
    return {};
}

}  // namespace quorvel::platform::qt
