#include "platform/qt/startup_hooks.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "platform/qt/main_window.h"

namespace quorvel::platform::qt {

namespace {

long long nanoseconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Milliseconds since the kernel started this process (its start time counts from boot, in clock
// ticks), so the figure includes loading the shared libraries.
long long millisecondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    // The command name may hold spaces: fields are counted after its closing parenthesis.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) {
        return -1;
    }
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    unsigned long long startTicks = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 22) {
            startTicks = std::stoull(field);
            break;
        }
    }
    const long long ticksPerSecond = sysconf(_SC_CLK_TCK);
    const long long startMs = static_cast<long long>(startTicks) * 1000 / ticksPerSecond;
    return nanoseconds(CLOCK_BOOTTIME) / 1000000 - startMs;
}

long long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

// Fires once, on the first paint of the client area (the window itself may never be painted,
// covered as it is by its children).
class FirstPaint final : public QObject {
  public:
    FirstPaint(QWidget* widget, std::function<void()> then)
        : QObject(widget), then_(std::move(then)) {
        widget->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After the paint has finished and the queue has drained.
            QTimer::singleShot(0, watched, then_);
            deleteLater();
        }
        return false;
    }

  private:
    std::function<void()> then_;
};

void probe(MainWindow* window) {
    std::fprintf(stderr, "quorvel-startup-ms=%lld rss-kb=%lld clock-ns=%lld\n",
                 millisecondsSinceProcessStart(), residentKilobytes(), nanoseconds(CLOCK_REALTIME));
    std::fflush(stderr);
    window->close();
}

}  // namespace

void armStartupHooks(MainWindow* window) {
    static bool armed = false;
    if (armed) {
        return;
    }
    armed = true;
    const char* probeFlag = std::getenv("QUORVEL_STARTUP_PROBE");
    if (probeFlag != nullptr && std::string(probeFlag) == "1") {
        QPointer<MainWindow> target = window;
        new FirstPaint(window->centralWidget(), [target] {
            if (target != nullptr) {
                probe(target);
            }
        });
        return;
    }
    const char* command = std::getenv("QUORVEL_SCREENSHOT_COMMAND");
    if (command != nullptr && *command != '\0') {
        const int id = std::atoi(command);
        QPointer<MainWindow> target = window;
        new FirstPaint(window->centralWidget(), [target, id] {
            QTimer::singleShot(300, target, [target, id] {
                if (target != nullptr) {
                    target->sendCommand(id);
                }
            });
        });
    }
}

}  // namespace quorvel::platform::qt
