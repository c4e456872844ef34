#include "platform/qt/dialog_window.h"

#include "common/fixed_text.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QResizeEvent>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/dialog_layout.h"
#include "platform/field_number.h"
#include "platform/qt/dialog_controls.h"
#include "platform/qt/dialog_table.h"
#include "platform/qt/dialog_units.h"
#include "platform/qt/images.h"
#include "platform/qt/text_codec.h"
#include "platform/qt/window_handles.h"

namespace quorvel::platform::qt {

namespace {

constexpr Qt::WindowFlags kDialogFrame = Qt::Dialog | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowCloseButtonHint;

QRect rectOf(const PlacedRect& r) {
    return {r.x, r.y, r.width, r.height};
}

}  // namespace

DialogWindow::DialogWindow(const DialogTemplate& dialog, QWidget* owner, DialogHandler& handler,
                           std::unique_ptr<DialogHandler> owned)
    : QDialog(owner != nullptr ? owner->window() : nullptr,
              dialog.resizable ? kDialogFrame | Qt::WindowMaximizeButtonHint : kDialogFrame),
      ownedHandler_(std::move(owned)),
      handler_(handler),
      template_(dialog),
      modeless_(ownedHandler_ != nullptr),
      units_(dialogUnits(dialog.fontName, dialog.fontSize)) {
    setWindowTitle(fromCp932(dialog.title));
    setFont(dialogFont(dialog.fontName, dialog.fontSize));
    const DialogUnits& units = units_;
    if (dialog.resizable) {
        setMinimumSize(units.size(dialog.width, dialog.height));
        resize(minimumSize());
    } else {
        setFixedSize(units.size(dialog.width, dialog.height));
    }
    setSizeGripEnabled(false);

    controls_.reserve(dialog.controls.size());
    for (const ControlTemplate& control : dialog.controls) {
        QWidget* widget = createControl(control, units, this);
        controls_.push_back({control.id, widget, widget->geometry()});
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            const int id = control.id;
            connect(button, &QAbstractButton::clicked, this, [this, id] { sendCommand(id); });
        }
        if (auto* table = dynamic_cast<DialogTable*>(widget)) {
            const int id = control.id;
            connect(table, &QTableView::doubleClicked, this, [this, id] { sendCommand(id); });
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            // The user's choice only, as a drop-down list tells its owner.
            const int id = control.id;
            connect(combo, &QComboBox::activated, this, [this, id] { sendCommand(id); });
        }
        if (control.kind == ControlKind::DefaultButton && defaultButton_ == nullptr) {
            defaultButton_ = static_cast<QPushButton*>(widget);
        }
    }
}

DialogWindow::~DialogWindow() {
    // A table's rows may come from the handler, which goes before the widgets do.
    for (const Control& c : controls_) {
        if (auto* t = dynamic_cast<DialogTable*>(c.widget)) {
            t->rows().clearRows();
        }
    }
    forgetHandle(this);
}

void DialogWindow::initialise() {
    handler_.init(*this);
    if (ended_) {
        return;
    }
    // The first control that takes the keyboard gets it, an edit with its text selected.
    for (const Control& control : controls_) {
        if (control.widget->isEnabled() && (control.widget->focusPolicy() & Qt::TabFocus) != 0) {
            control.widget->setFocus(Qt::TabFocusReason);
            if (auto* line = qobject_cast<QLineEdit*>(control.widget)) {
                line->selectAll();
            }
            break;
        }
    }
}

QWidget* DialogWindow::control(int id) const {
    for (const Control& control : controls_) {
        if (control.id == id) {
            return control.widget;
        }
    }
    for (const Control& control : controls_) {
        if ((control.id & 0xFFFF) == (id & 0xFFFF)) {
            return control.widget;
        }
    }
    return nullptr;
}

WindowHandle DialogWindow::window() {
    return handleOf(this);
}

std::size_t DialogWindow::getText(int id, char* buffer, std::size_t maxBytes) {
    if (buffer == nullptr) {
        return 0;
    }
    const QWidget* widget = control(id);
    const std::string bytes = widget != nullptr ? toCp932(controlText(widget)) : std::string();
    const std::size_t length = cutSjis(bytes, maxBytes).size();
    std::memcpy(buffer, bytes.data(), length);
    buffer[length] = '\0';
    return length;
}

void DialogWindow::setText(int id, std::string_view text) {
    if (QWidget* widget = control(id)) {
        setControlText(widget, fromCp932(text));
    }
}

void DialogWindow::setTextLimit(int id, std::size_t maxBytes) {
    limitCp932Bytes(control(id), maxBytes);
}

bool DialogWindow::textIsShiftJis(int id) {
    const QWidget* widget = control(id);
    return widget == nullptr || isCp932(controlText(widget));
}

void DialogWindow::setFocus(int id) {
    if (QWidget* widget = control(id)) {
        widget->setFocus(Qt::OtherFocusReason);
        if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            line->selectAll();
        }
    }
}

unsigned DialogWindow::getUnsigned(int id) {
    const QWidget* widget = control(id);
    return widget != nullptr ? readUnsignedField(toCp932(controlText(widget))) : 0;
}

void DialogWindow::setUnsigned(int id, unsigned value) {
    if (QWidget* widget = control(id)) {
        setControlText(widget, QString::number(value));
    }
}

void DialogWindow::checkRadioButton(int firstId, int lastId, int checkId) {
    // Qt would keep one button of the group checked; Windows sets each button as told, so the
    // group's exclusiveness is lifted while the marks change.
    std::vector<QRadioButton*> radios;
    for (const Control& control : controls_) {
        if (auto* radio = qobject_cast<QRadioButton*>(control.widget)) {
            radios.push_back(radio);
            radio->setAutoExclusive(false);
        }
    }
    for (int id = firstId; id <= lastId; ++id) {
        if (auto* radio = qobject_cast<QRadioButton*>(control(id))) {
            radio->setChecked(id == checkId);
        }
    }
    for (QRadioButton* radio : radios) {
        radio->setAutoExclusive(true);
    }
}

bool DialogWindow::isChecked(int id) const {
    const auto* button = qobject_cast<const QAbstractButton*>(control(id));
    return button != nullptr && button->isChecked();
}

void DialogWindow::setChecked(int id, bool checked) {
    if (auto* radio = qobject_cast<QRadioButton*>(control(id))) {
        // As checkRadioButton: a radio button is set as told, its group's others left alone.
        radio->setAutoExclusive(false);
        radio->setChecked(checked);
        radio->setAutoExclusive(true);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control(id))) {
        button->setChecked(checked);
    }
}

void DialogWindow::enableControl(int id, bool enabled) {
    if (QWidget* widget = control(id)) {
        widget->setEnabled(enabled);
    }
}

void DialogWindow::drawImage(std::string_view name, int x, int y) {
    const QPixmap pixmap = moduleImage(name);
    if (pixmap.isNull()) {
        return;
    }
    const QPoint at(x, y);
    const auto same = std::find_if(pictures_.begin(), pictures_.end(),
                                   [&](const Picture& picture) { return picture.at == at; });
    if (same != pictures_.end()) {
        same->pixmap = pixmap;
    } else {
        pictures_.push_back({at, pixmap});
    }
    update();
}

void DialogWindow::end(int result) {
    if (ended_) {
        return;
    }
    ended_ = true;
    result_ = result;
    if (modeless_) {
        // The handler may still be running: the window and the handler go once it has returned.
        forgetHandle(this);
        hide();
        deleteLater();
    } else {
        done(result);
    }
}

DialogTable* DialogWindow::table(int id) const {
    return dynamic_cast<DialogTable*>(control(id));
}

void DialogWindow::setTableColumns(int id, std::span<const TableColumn> columns) {
    if (DialogTable* t = table(id)) {
        t->setColumns(columns, units_);
    }
}

void DialogWindow::clearTableRows(int id) {
    if (DialogTable* t = table(id)) {
        t->rows().clearRows();
    }
}

void DialogWindow::addTableRow(int id, std::span<const std::string_view> cells) {
    if (DialogTable* t = table(id)) {
        t->addRow(cells);
    }
}

void DialogWindow::setTableSource(int id, TableSource source) {
    if (DialogTable* t = table(id)) {
        t->setSource(std::move(source));
    }
}

int DialogWindow::selectedTableRow(int id) {
    const DialogTable* t = table(id);
    return t != nullptr ? t->selectedRow() : -1;
}

void DialogWindow::selectTableRow(int id, int row) {
    if (DialogTable* t = table(id)) {
        t->selectRow(row);
    }
}

void DialogWindow::setListItems(int id, std::span<const std::string_view> items) {
    auto* combo = qobject_cast<QComboBox*>(control(id));
    if (combo == nullptr) {
        return;
    }
    combo->clear();
    for (const std::string_view item : items) {
        combo->addItem(fromCp932(item));
    }
    combo->setCurrentIndex(-1);
}

int DialogWindow::selectedListItem(int id) {
    const auto* combo = qobject_cast<QComboBox*>(control(id));
    return combo != nullptr ? combo->currentIndex() : -1;
}

void DialogWindow::selectListItem(int id, int item) {
    if (auto* combo = qobject_cast<QComboBox*>(control(id))) {
        combo->setCurrentIndex(item >= 0 && item < combo->count() ? item : -1);
    }
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
    const std::span<const MenuItem> items = handler_.contextMenu();
    if (items.empty() || ended_) {
        QDialog::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    for (const MenuItem& item : items) {
        if (item.commandId != 0) {
            const int id = item.commandId;
            menu.addAction(fromCp932(item.text), this, [this, id] { sendCommand(id); });
        }
    }
    menu.exec(event->globalPos());
    event->accept();
}

void DialogWindow::sendCommand(int id) {
    if (!ended_) {
        handler_.command(*this, id);
    }
}

void DialogWindow::pressEnter() {
    // Enter on a table's selected row chooses it, as a double click would.
    if (auto* table = dynamic_cast<DialogTable*>(focusWidget());
        table && table->selectedRow() >= 0) {
        for (const Control& c : controls_) {
            if (c.widget == table) {
                sendCommand(c.id);
                return;
            }
        }
    }
    if (auto* focused = qobject_cast<QPushButton*>(focusWidget());
        focused && focused->isEnabled()) {
        focused->click();
    } else if (defaultButton_ != nullptr && defaultButton_->isEnabled()) {
        defaultButton_->click();
    } else {
        // Without a default push button Windows sends the OK command.
        sendCommand(kIdOk);
    }
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        switch (event->key()) {
            case Qt::Key_F1:
                if (!ended_) {
                    handler_.help(*this);
                }
                event->accept();
                return;
            case Qt::Key_Escape:
                sendCommand(kIdCancel);
                event->accept();
                return;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                pressEnter();
                event->accept();
                return;
            default:
                break;
        }
    }
    QDialog::keyPressEvent(event);
}

void DialogWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const QSize grown = size() - units_.size(template_.width, template_.height);
    for (std::size_t i = 0; i < controls_.size() && i < template_.controls.size(); ++i) {
        const QRect& p = controls_[i].placed;
        controls_[i].widget->setGeometry(rectOf(followDialogSize(
            template_, template_.controls[i], {p.x(), p.y(), p.width(), p.height()}, grown.width(),
            grown.height())));
    }
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    // The close box only asks; the dialog ends when its handler calls end().
    event->ignore();
    sendCommand(kIdCancel);
}

void DialogWindow::reject() {
    sendCommand(kIdCancel);
}

void DialogWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    for (const Picture& picture : pictures_) {
        painter.drawPixmap(picture.at, picture.pixmap);
    }
}

}  // namespace quorvel::platform::qt
