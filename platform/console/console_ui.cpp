#include <iconv.h>

#include <cstdio>
#include <string>

#include "platform/console/console.h"
#include "platform/ui.h"

namespace quorvel::platform {

namespace {

bool shiftJisOutput = false;

void writeText(std::FILE* stream, std::string_view sjis) {
    if (shiftJisOutput) {
        std::fwrite(sjis.data(), 1, sjis.size(), stream);
        return;
    }
    iconv_t cd = iconv_open("UTF-8", "CP932");
    std::string out(sjis.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(sjis.data());
    size_t inLeft = sjis.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (cd != reinterpret_cast<iconv_t>(-1)) {
        iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        iconv_close(cd);
    }
    std::fwrite(out.data(), 1, out.size() - outLeft, stream);
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
