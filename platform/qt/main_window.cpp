#include "platform/qt/main_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QShortcut>

#include <algorithm>
#include <string>

#include "platform/qt/images.h"
#include "platform/qt/text_codec.h"
#include "platform/qt/window_handles.h"

namespace quorvel::platform::qt {

namespace {

std::function<void()>& destroyedHook() {
    static auto* hook = new std::function<void()>;
    return *hook;
}

QIcon moduleIcon(std::string_view name) {
    QIcon icon;
    const QPixmap large = moduleImage(name);
    if (!large.isNull()) {
        icon.addPixmap(large);
    }
    // The small form rides along as "<name>16" where the module has one.
    const QPixmap small = moduleImage(std::string(name) + "16");
    if (!small.isNull()) {
        icon.addPixmap(small);
    }
    return icon;
}

}  // namespace

void setMainWindowDestroyedHook(std::function<void()> hook) {
    destroyedHook() = std::move(hook);
}

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
    // The system window colour, as the window class gives it.
    QPalette background = palette();
    background.setColor(QPalette::Window, background.color(QPalette::Base));
    setPalette(background);
    setAutoFillBackground(true);
}

void ClientArea::addButton(QPushButton* button, const QRect& placed) {
    buttons_.push_back({button, placed});
    clamp(buttons_.back());
    button->show();
}

// A window made smaller than a button's place pulls the button in rather than hiding it, so a
// command button can always be pressed; at the default size every button stands where placed.
void ClientArea::clamp(const Placed& placed) {
    const int x = std::max(0, std::min(placed.rect.x(), width() - placed.rect.width()));
    const int y = std::max(0, std::min(placed.rect.y(), height() - placed.rect.height()));
    placed.button->setGeometry(QRect(QPoint(x, y), placed.rect.size()));
}

void ClientArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (const Placed& placed : buttons_) {
        clamp(placed);
    }
}

MainWindow::MainWindow(const MainWindowSetup& description)
    : onCommand_(description.onCommand), client_(new ClientArea(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(fromCp932(description.title));
    setWindowIcon(moduleIcon(description.iconName));
    setCentralWidget(client_);
    buildMenu(description.menu);
    if (description.helpCommandId != 0) {
        auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
        const int id = description.helpCommandId;
        connect(help, &QShortcut::activated, this, [this, id] { sendCommand(id); });
    }
    client_->resize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

MainWindow::~MainWindow() {
    forgetHandle(this);
    if (destroyedHook()) {
        destroyedHook()();
    }
}

void MainWindow::buildMenu(std::span<const MenuItem> items) {
    QMenuBar* bar = menuBar();
    for (const MenuItem& top : items) {
        const QString title = fromCp932(top.text);
        if (top.items.empty()) {
            // A top-level entry without a sub-menu is a command of its own.
            QAction* action = bar->addAction(title);
            action->setProperty(kCommandIdProperty, top.commandId);
            const int id = top.commandId;
            connect(action, &QAction::triggered, this, [this, id] { sendCommand(id); });
            continue;
        }
        QMenu* menu = bar->addMenu(title);
        for (const MenuItem& item : top.items) {
            if (item.text.empty() && item.commandId == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(fromCp932(item.text));
            action->setProperty(kCommandIdProperty, item.commandId);
            const int id = item.commandId;
            connect(action, &QAction::triggered, this, [this, id] { sendCommand(id); });
        }
    }
}

void MainWindow::addChildButton(const QString& text, int commandId, const QRect& rect) {
    auto* button = new QPushButton(text, client_);
    button->setProperty(kCommandIdProperty, commandId);
    connect(button, &QPushButton::clicked, this, [this, commandId] { sendCommand(commandId); });
    client_->addButton(button, rect);
}

void MainWindow::sendCommand(int commandId) {
    if (onCommand_) {
        onCommand_(commandId);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    forgetHandle(this);
    event->accept();
}

}  // namespace quorvel::platform::qt
