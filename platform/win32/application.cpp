// Start-up, the main window with its menu, the message loop, message boxes and the beep.
#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/win32/win32.h"

#include <shellapi.h>
#include "platform/win32_texts.h"

namespace quorvel::platform {

namespace win32 {

namespace {

constexpr wchar_t kMainClass[] = L"QuorvelMainWindow";
constexpr UINT_PTR kCommandTimer = 1;
// Client size at start-up, at 100 %: large enough for the output button at 490,355 (120 x 32).
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;
constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW;

// A button of the main window and its place at 100 %, laid out again when the DPI changes.
struct ChildButton {
    HWND window;
    RECT place;
};

struct Program {
    ModuleResources resources{};
    HWND main = nullptr;
    std::function<void(int)> onCommand;
    int helpCommand = 0;
    std::vector<HWND> modeless;
    std::vector<HWND> modal;  // innermost last
    int startupCommand = 0;
    std::vector<ChildButton> buttons;
};

Program& program() {
    static auto* p = new Program;
    return *p;
}

HMENU buildMenu(std::span<const MenuItem> items) {
    HMENU bar = CreateMenu();
    for (const MenuItem& top : items) {
        const std::wstring title = widen(top.text);
        if (top.items.empty()) {
            AppendMenuW(bar, MF_STRING, static_cast<UINT_PTR>(top.commandId), title.c_str());
            continue;
        }
        HMENU popup = CreatePopupMenu();
        for (const MenuItem& item : top.items) {
            if (item.text.empty() && item.commandId == 0) {
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            } else {
                AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(item.commandId),
                            widen(item.text).c_str());
            }
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title.c_str());
    }
    return bar;
}

void placeButtons(UINT dpi) {
    auto& buttons = program().buttons;
    std::erase_if(buttons, [](const ChildButton& button) { return !IsWindow(button.window); });
    for (const ChildButton& button : buttons) {
        const RECT& r = button.place;
        SetWindowPos(button.window, nullptr, scaled(r.left, dpi), scaled(r.top, dpi),
                     scaled(r.right - r.left, dpi), scaled(r.bottom - r.top, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(button.window, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont(dpi)), TRUE);
    }
}

LRESULT CALLBACK mainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Program& p = program();
    switch (message) {
        case WM_COMMAND:
            if (p.onCommand && (lParam == 0 || HIWORD(wParam) == BN_CLICKED)) {
                // A copy: the command may end the window and its setup with it.
                const auto onCommand = p.onCommand;
                onCommand(LOWORD(wParam));
            }
            return 0;
        case WM_TIMER:
            if (wParam == kCommandTimer) {
                KillTimer(window, kCommandTimer);
                PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(p.startupCommand), 0);
            }
            return 0;
        case WM_DPICHANGED: {
            // Moved to a monitor of another scale, or the scale changed: the system's suggestion
            // keeps the window where the user sees it.
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, suggested.left, suggested.top,
                         suggested.right - suggested.left, suggested.bottom - suggested.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            placeButtons(LOWORD(wParam));
            return 0;
        }
        case WM_CLOSE:
            // A modal dialog answers first: the program never ends behind its back.
            if (HWND front = frontModal()) {
                SetForegroundWindow(front);
                return 0;
            }
            // The close box ends the program like the exit command: no question asked.
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            if (window == p.main) {
                p.main = nullptr;
                closeHelp();
                PostQuitMessage(0);
            }
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

SIZE mainFrameSize(UINT dpi) {
    RECT frame{0, 0, scaled(kClientWidth, dpi), scaled(kClientHeight, dpi)};
    adjustFrameForDpi(frame, kMainStyle, 0, true, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

const ModuleResources& moduleResources() {
    return program().resources;
}

HWND mainWindow() {
    return program().main;
}

HWND ownerWindow(WindowHandle owner) {
    HWND window = hwndOf(owner);
    if (window != nullptr && IsWindow(window)) {
        return window;
    }
    return window != nullptr ? program().main : nullptr;
}

void addModeless(HWND dialog) {
    program().modeless.push_back(dialog);
}

void removeModeless(HWND dialog) {
    auto& list = program().modeless;
    std::erase(list, dialog);
}

std::vector<HWND> beginModal(HWND dialog) {
    Program& p = program();
    HWND owner = GetWindow(dialog, GW_OWNER);  // the dialog manager's own business
    std::vector<HWND> others = p.modeless;
    others.push_back(p.main);
    std::vector<HWND> disabled;
    for (HWND window : others) {
        if (window != nullptr && window != owner && window != dialog && IsWindow(window) &&
            IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            disabled.push_back(window);
        }
    }
    p.modal.push_back(dialog);
    return disabled;
}

void endModal(HWND dialog, std::vector<HWND>& disabled) {
    std::erase(program().modal, dialog);
    for (HWND window : disabled) {
        if (IsWindow(window)) {
            EnableWindow(window, TRUE);
        }
    }
    disabled.clear();
}

HWND frontModal() {
    const auto& modal = program().modal;
    return modal.empty() ? nullptr : modal.back();
}

bool takeDialogMessage(MSG& message) {
    if (takeHelpMessage(message)) {
        return true;
    }
    // A copy: a dialog that takes the message may end and leave the list.
    const std::vector<HWND> open = program().modeless;
    for (HWND dialog : open) {
        if (IsWindow(dialog) && IsDialogMessageW(dialog, &message)) {
            return true;
        }
    }
    return false;
}

bool takeMainWindowHelp(const MSG& message) {
    Program& p = program();
    if (message.message != WM_KEYDOWN || message.wParam != VK_F1 || p.helpCommand == 0 ||
        p.main == nullptr || (message.hwnd != p.main && !IsChild(p.main, message.hwnd))) {
        return false;
    }
    PostMessageW(p.main, WM_COMMAND, static_cast<WPARAM>(p.helpCommand), 0);
    return true;
}

HFONT uiFont(UINT dpi) {
    static std::vector<std::pair<UINT, HFONT>> fonts;
    for (const auto& [made, font] : fonts) {
        if (made == dpi) {
            return font;
        }
    }
    // 12 points: 16 pixels at 100 %.
    HFONT font = fontForDpi(text::qtFontPGothic, 12, dpi, SHIFTJIS_CHARSET);
    fonts.emplace_back(dpi, font);
    return font;
}

}  // namespace win32

using win32::program;
using win32::widen;

bool initialize(int& /*argc*/, char** /*argv*/, const ModuleResources& resources) {
    program().resources = resources;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &win32::mainProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = win32::kMainClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

InstanceHandle moduleInstance() {
    return reinterpret_cast<InstanceHandle>(GetModuleHandleW(nullptr));
}

WindowHandle createMainWindow(const MainWindowSetup& setup) {
    HMENU menu = win32::buildMenu(setup.menu);
    const UINT dpi = win32::windowDpi(nullptr);
    const SIZE size = win32::mainFrameSize(dpi);
    HWND window = CreateWindowExW(0, win32::kMainClass, widen(setup.title).c_str(),
                                  win32::kMainStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy,
                                  nullptr, menu, GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) {
        DestroyMenu(menu);
        return nullptr;
    }
    // Opened on a monitor of another scale than the system's.
    if (const UINT shown = win32::windowDpi(window); shown != dpi) {
        const SIZE there = win32::mainFrameSize(shown);
        SetWindowPos(window, nullptr, 0, 0, there.cx, there.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    program().main = window;
    program().onCommand = setup.onCommand;
    program().helpCommand = setup.helpCommandId;
    if (HICON large = win32::moduleIcon(setup.iconName)) {
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
    }
    // The small form rides along as "<name>16" where the module has one.
    if (HICON small = win32::moduleIcon(std::string(setup.iconName) + "16")) {
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
    return win32::handleOf(window);
}

void createChildButton(WindowHandle parent, std::string_view text, int commandId, int x, int y,
                       int width, int height) {
    HWND window = win32::hwndOf(parent);
    HWND button = CreateWindowExW(
        0, L"BUTTON", widen(text).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, y,
        width, height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(commandId)),
        GetModuleHandleW(nullptr), nullptr);
    if (button != nullptr) {
        program().buttons.push_back({button, {x, y, x + width, y + height}});
        win32::placeButtons(win32::windowDpi(window));
    }
}

void showWindow(WindowHandle window) {
    HWND hwnd = win32::hwndOf(window);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    // QUORVEL_SCREENSHOT_COMMAND=<id>: shortly after the main window shows, that command arrives
    // as if chosen from the menu (tools/screenshot.sh --windows).
    if (hwnd == program().main) {
        const char* command = std::getenv("QUORVEL_SCREENSHOT_COMMAND");
        if (command != nullptr && *command != '\0') {
            program().startupCommand = std::atoi(command);
            SetTimer(hwnd, win32::kCommandTimer, 800, nullptr);
        }
    }
}

int runMessageLoop() {
    if (program().main == nullptr) {
        return 0;
    }
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (win32::takeMainWindowHelp(message) || win32::takeDialogMessage(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

void destroyWindow(WindowHandle window) {
    HWND hwnd = win32::hwndOf(window);
    if (hwnd != nullptr && IsWindow(hwnd)) {
        DestroyWindow(hwnd);
    }
}

MessageAnswer messageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                         MessageButtons buttons) {
    const std::wstring body = widen(text);
    const std::wstring title = widen(caption.empty() ? defaultMessageCaption() : caption);
    const UINT type = buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    // Asked for by a window a modal dialog keeps out of reach (often the main window, on behalf
    // of the dialog): the box is the dialog's, so that closing it returns there.
    HWND window = win32::ownerWindow(owner);
    if (HWND front = win32::frontModal();
        front != nullptr && (window == nullptr || !IsWindowEnabled(window))) {
        window = front;
    }
    const int answer = MessageBoxW(window, body.c_str(), title.c_str(), type | MB_SETFOREGROUND);
    if (buttons == MessageButtons::YesNo) {
        return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
    }
    return MessageAnswer::Ok;
}

void informationBeep() {
    MessageBeep(MB_ICONASTERISK);
}

bool openDocument(std::string_view utf8Path) {
    const std::wstring path = win32::widenUtf8(utf8Path);
    // Above 32 is success, as ShellExecute has always answered.
    return reinterpret_cast<INT_PTR>(
               ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

}  // namespace quorvel::platform
