#pragma once
// The program's main window: title, icon, the menu of a MenuItem table, and child buttons in a
// client area that paints only its background.
#include <QMainWindow>
#include <QPushButton>
#include <QRect>

#include <functional>
#include <vector>

#include "platform/ui.h"

namespace quorvel::platform::qt {

// The property that carries an action's or a child button's command id.
inline constexpr char kCommandIdProperty[] = "quorvelCommandId";

class ClientArea final : public QWidget {
  public:
    explicit ClientArea(QWidget* parent);
    void addButton(QPushButton* button, const QRect& placed);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Placed {
        QPushButton* button;
        QRect rect;
    };
    void clamp(const Placed& placed);
    std::vector<Placed> buttons_;
};

class MainWindow final : public QMainWindow {
  public:
    // Client size at start-up: large enough for the output button at 490,355 (120 x 32).
    static constexpr int kClientWidth = 640;
    static constexpr int kClientHeight = 480;

    explicit MainWindow(const MainWindowSetup& description);
    ~MainWindow() override;

    void addChildButton(const QString& text, int commandId, const QRect& rect);
    void sendCommand(int commandId);

  protected:
    // The close box destroys the window like the exit command: no question asked.
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenu(std::span<const MenuItem> items);

    std::function<void(int)> onCommand_;
    ClientArea* client_;
};

// Called when a main window has been destroyed; the message loop ends then.
void setMainWindowDestroyedHook(std::function<void()> hook);

}  // namespace quorvel::platform::qt
