#include "tests/gui/gui_test_support.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/qt/help_viewer.h"
#include "platform/qt/window_handles.h"
#include "resources/images.h"
#include "tests/support/sjis.h"

// fontconfig keeps its caches until the process ends and Qt never hands them back; the leak
// checker of the sanitizer build reads this list (other builds never call it).
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace quorvel::test {

namespace {

// clang-format off
const char* const kRedXpm[] = {
    "10 10 1 1",
    "r c #FF0000",
    "rrrrrrrrrr", "rrrrrrrrrr", "rrrrrrrrrr", "rrrrrrrrrr", "rrrrrrrrrr",
    "rrrrrrrrrr", "rrrrrrrrrr", "rrrrrrrrrr", "rrrrrrrrrr", "rrrrrrrrrr",
};
// clang-format on

void startPlatform() {
    static bool started = false;
    if (started) {
        return;
    }
    started = true;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static std::vector<platform::ImageResource> images(moduleImages().begin(),
                                                       moduleImages().end());
    images.push_back({"TESTRED", kRedXpm});
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    ASSERT_TRUE(platform::initialize(argc, argv, {images, "Quorvel.HLP"}));
}

}  // namespace

void GuiTest::SetUp() {
    startPlatform();
    // Closes whatever modal window a failing test left open, so that it fails in seconds.
    guard_ = new QTimer(qApp);
    guard_->setSingleShot(true);
    QObject::connect(guard_, &QTimer::timeout, [] {
        for (int i = 0; i < 10 && QApplication::activeModalWidget() != nullptr; ++i) {
            QWidget* modal = QApplication::activeModalWidget();
            ADD_FAILURE() << "a modal window was left open: " << modal->windowTitle().toStdString();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->done(-1);
            } else {
                modal->hide();
            }
        }
    });
    guard_->start(8000);
}

void GuiTest::TearDown() {
    delete guard_;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isWindow() && widget->parentWidget() == nullptr) {
            widget->deleteLater();
        }
    }
    platform::qt::closeHelp();
    processEvents();
}

void whenModal(std::function<void(QWidget*)> action) {
    auto* poll = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            action(modal);
        } else if (++*tries > 500) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "no modal window appeared";
        }
    });
    poll->start(10);
}

QWidget* widgetOf(platform::WindowHandle handle) {
    return platform::qt::widgetOf(handle);
}

QString qs(std::string_view utf8Text) {
    return QString::fromUtf8(utf8Text.data(), static_cast<qsizetype>(utf8Text.size()));
}

QString fromSjis(std::string_view sjisText) {
    return qs(utf8(sjisText));
}

void processEvents() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace quorvel::test
