#include <cstdio>
#include <string>

#include "common/sjis_utf8.h"
#include "platform/console/console.h"
#include "platform/ui.h"

namespace quorvel::platform {

namespace {

bool shiftJisOutput = false;

void writeText(std::FILE* stream, std::string_view sjis) {
    const std::string text = shiftJisOutput ? std::string(sjis) : sjisToUtf8(sjis);
    std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

void console::setShiftJisOutput(bool sjis) {
    shiftJisOutput = sjis;
}

int runModalDialog(const DialogTemplate&, WindowHandle, DialogHandler&) {
    return -1;
}

WindowHandle openModelessDialog(const DialogTemplate&, WindowHandle,
                                std::unique_ptr<DialogHandler>) {
    return nullptr;
}

MessageAnswer messageBox(WindowHandle, std::string_view text, std::string_view,
                         MessageButtons buttons) {
    writeText(stderr, text);
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
}

void informationBeep() {}
void openHelp(WindowHandle) {}
bool initialize(int&, char**, const ModuleResources&) {
    return false;
}
WindowHandle createMainWindow(const MainWindowSetup&) {
    return nullptr;
}
void createChildButton(WindowHandle, std::string_view, int, int, int, int, int) {}
void showWindow(WindowHandle) {}
int runMessageLoop() {
    return 0;
}
void destroyWindow(WindowHandle) {}

}  // namespace quorvel::platform
