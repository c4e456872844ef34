// Start-up, the main window's life and the message loop.
#include <QApplication>
#include <QLibraryInfo>
#include <QProxyStyle>
#include <QTranslator>

#include <cstdlib>
#include <string_view>

#include "platform/qt/dialog_units.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/images.h"
#include "platform/qt/main_window.h"
#include "platform/qt/startup_hooks.h"
#include "platform/qt/text_codec.h"
#include "platform/qt/window_handles.h"
#include "platform/ui.h"

namespace quorvel::platform {

namespace {

int& liveMainWindows() {
    static int count = 0;
    return count;
}

// QCoreApplication::exit outside exec() would make every later nested loop (a modal dialog,
// a message box) return at once, so the loop is ended only while it runs.
bool& messageLoopRunning() {
    static bool running = false;
    return running;
}

// Qt aborts the process when its platform cannot start; tell the caller instead, for the one
// case that is easy to see in advance: an X11 or Wayland session without its display.
bool displayAvailable(int argc, char** argv) {
    std::string_view platform;
    if (const char* env = std::getenv("QT_QPA_PLATFORM")) {
        platform = env;
    }
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "-platform") {
            platform = argv[i + 1];
        }
    }
    const auto has = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    if (platform.empty() || platform.starts_with("xcb")) {
        return has("DISPLAY") || (platform.empty() && has("WAYLAND_DISPLAY"));
    }
    if (platform.starts_with("wayland")) {
        return has("WAYLAND_DISPLAY");
    }
    return true;
}

// Alt pressed and released alone puts the keyboard on the menu bar, as on Windows, so that the
// menus can be worked by their underlined letters.
class DesktopStyle final : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_MenuBar_AltKeyNavigation) {
            return 1;
        }
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// Qt's own texts, such as the context menu of an edit box, in Japanese like every text of the
// program, whatever the system's language; left in English where the translations are missing.
void loadQtJapanese() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

}  // namespace

void settleWorkingFolder() {}

InstanceHandle moduleInstance() {
    return reinterpret_cast<InstanceHandle>(QCoreApplication::instance());
}

bool initialize(int& argc, char** argv, const ModuleResources& resources) {
    if (QApplication::instance() == nullptr) {
        if (!displayAvailable(argc, argv)) {
            return false;
        }
        // Lives until the process ends; destroying it during static destruction would race Qt's
        // own globals.
        new QApplication(argc, argv);
        QApplication::setStyle(new DesktopStyle);
        loadQtJapanese();
    }
    // The program ends when its main window is destroyed, not when its last window closes (the
    // help viewer may be the last one).
    QApplication::setQuitOnLastWindowClosed(false);
    qt::registerFontSubstitutes();
    qt::setModuleResources(resources);
    qt::setMainWindowDestroyedHook([] {
        --liveMainWindows();
        qt::closeHelp();
        if (messageLoopRunning()) {
            QCoreApplication::exit(0);
        }
    });
    return true;
}

WindowHandle createMainWindow(const MainWindowSetup& description) {
    if (QApplication::instance() == nullptr) {
        return nullptr;
    }
    auto* window = new qt::MainWindow(description);
    ++liveMainWindows();
    return qt::handleOf(window);
}

void createChildButton(WindowHandle parent, std::string_view text, int commandId, int x, int y,
                       int width, int height) {
    if (auto* window = dynamic_cast<qt::MainWindow*>(qt::widgetOf(parent))) {
        window->addChildButton(qt::fromCp932(text), commandId, QRect(x, y, width, height));
    }
}

void showWindow(WindowHandle window) {
    QWidget* widget = qt::widgetOf(window);
    if (widget == nullptr) {
        return;
    }
    widget->show();
    if (auto* main = dynamic_cast<qt::MainWindow*>(widget)) {
        qt::armStartupHooks(main);
    }
}

int runMessageLoop() {
    if (QApplication::instance() == nullptr || liveMainWindows() == 0) {
        return 0;
    }
    messageLoopRunning() = true;
    QApplication::exec();
    messageLoopRunning() = false;
    return 0;
}

void destroyWindow(WindowHandle window) {
    QWidget* widget = qt::widgetOf(window);
    if (widget == nullptr) {
        return;
    }
    if (auto* dialog = dynamic_cast<DialogHandle*>(widget)) {
        dialog->end(0);
        return;
    }
    // Deleted once the current command has returned: the menu that sent it is the window's own.
    qt::forgetHandle(widget);
    widget->hide();
    widget->deleteLater();
}

}  // namespace quorvel::platform
