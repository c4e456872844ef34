// The main window: its menu from a MenuItem table, its commands, its child button and its end.
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

#include "platform/qt/main_window.h"
#include "resources/menu.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/sjis.h"

namespace quorvel::test {
namespace {

using platform::MenuItem;
using platform::WindowHandle;

struct Menus {
    std::string file = sjis("ファイル(&F)");
    std::string open = sjis("データファイルを開く(&D)");
    std::string exit = sjis("Quorvelの終了(&X)");
    std::string own = sjis("奥義：人運の判断(&J)");
    std::string help = sjis("ヘルプ(&H)");
    std::string about = sjis("バージョン情報");
    MenuItem fileItems[2] = {{open, 11, {}}, {exit, 100, {}}};
    MenuItem helpItems[1] = {{about, 310, {}}};
    MenuItem bar[3] = {{file, 0, fileItems}, {own, 300, {}}, {help, 0, helpItems}};
};

QMainWindow* mainWindowOf(WindowHandle handle) {
    return qobject_cast<QMainWindow*>(widgetOf(handle));
}

QAction* actionFor(const QList<QAction*>& actions, const MenuItem& item) {
    for (QAction* action : actions) {
        if (action->property(platform::qt::kCommandIdProperty).toInt() == item.commandId &&
            action->text() == fromSjis(item.text)) {
            return action;
        }
    }
    return nullptr;
}

class GuiMainWindow : public GuiTest {
  protected:
    WindowHandle create(std::span<const MenuItem> menu) {
        const platform::MainWindowSetup description{
            title_, "MyApp", menu, [this](int id) { commands.push_back(id); }, kHelpCommand};
        const WindowHandle handle = platform::createMainWindow(description);
        platform::showWindow(handle);
        return handle;
    }

    static constexpr int kHelpCommand = 400;
    std::vector<int> commands;

  private:
    std::string title_ = "Quorvel";
};

TEST_F(GuiMainWindow, MenuHoldsEveryItemWithItsIdAndSendsIt) {
    static const Menus ownMenu;
    const std::span<const MenuItem> tables[] = {ownMenu.bar, quorvel::mainMenu()};
    for (const std::span<const MenuItem> table : tables) {
        commands.clear();
        const WindowHandle handle = create(table);
        QMenuBar* bar = mainWindowOf(handle)->menuBar();
        ASSERT_EQ(bar->actions().size(), static_cast<qsizetype>(table.size()));
        std::vector<int> expected;
        for (std::size_t i = 0; i < table.size(); ++i) {
            const MenuItem& top = table[i];
            QAction* entry = bar->actions()[static_cast<qsizetype>(i)];
            EXPECT_EQ(entry->text(), fromSjis(top.text));
            if (top.items.empty()) {
                // A command of its own: no sub-menu on the bar.
                EXPECT_EQ(entry->menu(), nullptr);
                EXPECT_EQ(entry->property(platform::qt::kCommandIdProperty).toInt(), top.commandId);
                entry->trigger();
                expected.push_back(top.commandId);
                continue;
            }
            ASSERT_NE(entry->menu(), nullptr) << fromSjis(top.text).toStdString();
            ASSERT_EQ(entry->menu()->actions().size(), static_cast<qsizetype>(top.items.size()));
            for (const MenuItem& item : top.items) {
                QAction* action = actionFor(entry->menu()->actions(), item);
                ASSERT_NE(action, nullptr) << item.commandId;
                action->trigger();
                expected.push_back(item.commandId);
            }
        }
        EXPECT_EQ(commands, expected);
        platform::destroyWindow(handle);
        processEvents();
    }
}

TEST_F(GuiMainWindow, OutputButtonShowsAtTheDefaultSizeAndStaysReachableWhenSmaller) {
    const WindowHandle handle = create({});
    QMainWindow* window = mainWindowOf(handle);
    EXPECT_EQ(window->windowTitle(), "Quorvel");
    EXPECT_FALSE(window->windowIcon().isNull());
    platform::createChildButton(handle, sjis("ファイル出力(&O)"), 201, 490, 355, 120, 32);
    auto* button = window->centralWidget()->findChild<QPushButton*>();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), qs("ファイル出力(&O)"));
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(button->geometry(), QRect(490, 355, 120, 32));
    EXPECT_TRUE(window->centralWidget()->rect().contains(button->geometry()));
    EXPECT_LE(button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width() + 8,
              button->width());

    // A click, its mnemonic, and F1 for the window's help.
    QTest::mouseClick(button, Qt::LeftButton);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(button, Qt::Key_F1);
    QTest::keyClick(window, Qt::Key_O, Qt::AltModifier);  // pressed a moment later
    EXPECT_TRUE(QTest::qWaitFor([&] { return commands.size() == 3; }));
    EXPECT_EQ(commands, (std::vector<int>{201, kHelpCommand, 201}));

    const QSize sizes[] = {{300, 200}, {560, 420}, {120, 60}};
    for (const QSize& size : sizes) {
        window->resize(size);
        processEvents();
        const QRect client = window->centralWidget()->rect();
        if (client.width() >= 120 && client.height() >= 32) {
            EXPECT_TRUE(client.contains(button->geometry()))
                << size.width() << "x" << size.height();
        }
        EXPECT_GE(button->x(), 0);
        EXPECT_GE(button->y(), 0);
    }
    window->resize(800, 600);
    processEvents();
    EXPECT_EQ(button->geometry(), QRect(490, 355, 120, 32));
}

TEST_F(GuiMainWindow, MessageLoopEndsWithZeroWhenTheWindowGoes) {
    const struct {
        const char* name;
        bool byCloseBox;
    } cases[] = {{"the close box", true}, {"the exit command", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const WindowHandle handle = create({});
        QMainWindow* window = mainWindowOf(handle);
        if (c.byCloseBox) {
            QTimer::singleShot(0, window, [window] { window->close(); });
        } else {
            QTimer::singleShot(0, window, [handle] { platform::destroyWindow(handle); });
        }
        QTimer failsafe;
        QObject::connect(&failsafe, &QTimer::timeout, [] {
            ADD_FAILURE() << "the loop did not end";
            QCoreApplication::exit(1);
        });
        failsafe.start(5000);
        EXPECT_EQ(platform::runMessageLoop(), 0);
        EXPECT_EQ(widgetOf(handle), nullptr);
    }
    // With no main window left, the loop does not start at all.
    EXPECT_EQ(platform::runMessageLoop(), 0);
}

}  // namespace
}  // namespace quorvel::test
