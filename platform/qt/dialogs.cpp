// runModalDialog and openModelessDialog: where a dialog appears and how long it lives.
#include <QApplication>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>

#include "platform/qt/dialog_units.h"
#include "platform/qt/dialog_window.h"
#include "platform/qt/window_handles.h"
#include "platform/ui.h"

namespace quorvel::platform {

namespace {

using qt::DialogWindow;

// Positions in a template count from the owner's client area, below any menu bar.
QPoint clientOrigin(QWidget* owner) {
    if (auto* main = qobject_cast<QMainWindow*>(owner); main && main->centralWidget()) {
        return main->centralWidget()->mapToGlobal(QPoint(0, 0));
    }
    return owner->mapToGlobal(QPoint(0, 0));
}

int openModelessCount(QWidget* owner) {
    int count = 0;
    for (QObject* child : owner->children()) {
        const auto* dialog = dynamic_cast<const DialogWindow*>(child);
        if (dialog != nullptr && dialog->isVisible() && !dialog->hasEnded() && !dialog->isModal()) {
            ++count;
        }
    }
    return count;
}

// A modeless dialog stands to the right of its owner, so that both stay visible; further ones
// step down. Where the screen is too narrow it stays as far right as the screen allows.
void placeBesideOwner(DialogWindow& window, QWidget* owner) {
    const QRect ownerFrame = owner->window()->frameGeometry();
    const QRect screen =
        owner->screen() != nullptr ? owner->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    const int step = 24 * openModelessCount(owner->window());
    const int x = std::min(ownerFrame.right() + 8, screen.right() - window.width());
    const int y = std::min(ownerFrame.top() + step, screen.bottom() - window.height());
    window.move(std::max(x, screen.left()), std::max(y, screen.top()));
}

void place(DialogWindow& window, const DialogTemplate& dialog, QWidget* owner, bool modeless) {
    if (dialog.positioned) {
        const qt::DialogUnits units = qt::dialogUnits(dialog.fontName, dialog.fontSize);
        const QPoint origin = owner != nullptr ? clientOrigin(owner) : QPoint(0, 0);
        window.move(origin + units.point(dialog.x, dialog.y));
    } else if (modeless && owner != nullptr) {
        placeBesideOwner(window, owner);
    }
    // Otherwise Qt centres the dialog over its owner when it is shown.
}

}  // namespace

int runModalDialog(const DialogTemplate& dialog, WindowHandle owner, DialogHandler& handler) {
    if (QApplication::instance() == nullptr) {
        return -1;
    }
    QWidget* ownerWidget = qt::ownerWidgetOf(owner);
    QPointer<DialogWindow> window = new DialogWindow(dialog, ownerWidget, handler);
    // The owner (and the windows it owns) wait; other top-level windows such as the help viewer
    // stay usable.
    window->setWindowModality(ownerWidget != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    place(*window, dialog, ownerWidget, false);
    window->initialise();
    if (window != nullptr && !window->hasEnded()) {
        window->exec();
    }
    if (window == nullptr) {
        return -1;  // destroyed with its owner
    }
    const int result = window->endResult();
    delete window;
    return result;
}

WindowHandle openModelessDialog(const DialogTemplate& dialog, WindowHandle owner,
                                std::unique_ptr<DialogHandler> handler) {
    if (QApplication::instance() == nullptr || handler == nullptr) {
        return nullptr;
    }
    QWidget* ownerWidget = qt::ownerWidgetOf(owner);
    DialogHandler& borrowed = *handler;
    auto* window = new DialogWindow(dialog, ownerWidget, borrowed, std::move(handler));
    place(*window, dialog, ownerWidget, true);
    window->initialise();
    if (window->hasEnded()) {
        return nullptr;  // ended during its opening; already on its way out
    }
    window->show();
    return qt::handleOf(window);
}

}  // namespace quorvel::platform
