#pragma once
// What every Qt test needs: the platform started once (offscreen), a guard that fails a test
// instead of hanging it on a modal window left open, and a way to act on a modal window from
// inside its own event loop.
#include <gtest/gtest.h>

#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string_view>
#include <vector>

#include "platform/ui.h"

namespace quorvel::test {

// A 10 x 10 picture of one colour, registered as "TESTRED".
inline constexpr QRgb kTestRed = 0xFFFF0000;

class GuiTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

  private:
    QTimer* guard_ = nullptr;
};

// Runs `action` on the active modal widget as soon as there is one (within about five seconds).
void whenModal(std::function<void(QWidget*)> action);

QWidget* widgetOf(platform::WindowHandle handle);
// The Unicode form of a UTF-8 literal, and of Shift-JIS bytes from the program.
QString qs(std::string_view utf8);
QString fromSjis(std::string_view sjisText);

// Lets posted events, deferred deletions included, run.
void processEvents();

// A handler that records what reaches it and can be told what to do.
class RecordingHandler : public platform::DialogHandler {
  public:
    explicit RecordingHandler(bool* destroyed = nullptr) : destroyed_(destroyed) {}
    ~RecordingHandler() override {
        if (destroyed_ != nullptr) {
            *destroyed_ = true;
        }
    }

    void init(platform::DialogHandle& dialog) override {
        if (onInit) {
            onInit(dialog);
        }
    }
    void command(platform::DialogHandle& dialog, int id) override {
        commands.push_back(id);
        if (onCommand) {
            onCommand(dialog, id);
        }
    }
    void help(platform::DialogHandle& /*dialog*/) override { ++helps; }

    std::function<void(platform::DialogHandle&)> onInit;
    std::function<void(platform::DialogHandle&, int)> onCommand;
    std::vector<int> commands;
    int helps = 0;

  private:
    bool* destroyed_;
};

}  // namespace quorvel::test
