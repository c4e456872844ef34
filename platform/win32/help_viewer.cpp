// The help viewer: the help file's topics listed on the left under their group headings, the
// chosen topic on the right, a search field above the list, 閉じる below. One window serves every
// request; a new request raises it at its contents.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/sjis_utf8.h"
#include "platform/help_document.h"
#include "platform/win32/win32.h"

#include <commctrl.h>
#include "platform/win32_texts.h"

namespace quorvel::platform {

namespace win32 {

namespace {

constexpr wchar_t kHelpClass[] = L"QuorvelHelpViewer";
constexpr int kSearchId = 101;
constexpr int kListId = 102;
constexpr int kPageId = 103;

struct Viewer {
    HWND window = nullptr;
    HWND search = nullptr;
    HWND list = nullptr;
    HWND page = nullptr;
    HWND close = nullptr;
    HelpDocument document;
};

Viewer& viewer() {
    static auto* v = new Viewer;
    return *v;
}

std::wstring topicText(const HelpTopic& topic) {
    std::string out = topic.title + "\r\n";
    const std::string bullet = sjisToUtf8(text::win32HelpBullet);
    for (const HelpBlock& block : topic.blocks) {
        out += "\r\n";
        if (block.kind == HelpBlockKind::Bullet) {
            out += bullet;
        }
        out += block.text;
        out += "\r\n";
    }
    return widenUtf8(out);
}

// A list row names its topic by index; a group heading holds -1.
void filter(Viewer& v, const std::string& word) {
    SendMessageW(v.list, LB_RESETCONTENT, 0, 0);
    std::string group;
    int first = -1;
    for (std::size_t i = 0; i < v.document.topics.size(); ++i) {
        const HelpTopic& topic = v.document.topics[i];
        if (!topicContains(topic, word)) {
            continue;
        }
        if (!topic.group.empty() && topic.group != group) {
            group = topic.group;
            const std::wstring heading = widenUtf8("[" + group + "]");
            const auto row =
                SendMessageW(v.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(heading.c_str()));
            SendMessageW(v.list, LB_SETITEMDATA, static_cast<WPARAM>(row), -1);
        }
        const std::wstring title = widenUtf8("  " + topic.title);
        const auto row =
            SendMessageW(v.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
        SendMessageW(v.list, LB_SETITEMDATA, static_cast<WPARAM>(row), static_cast<LPARAM>(i));
        if (first < 0) {
            first = static_cast<int>(row);
        }
    }
    SendMessageW(v.list, LB_SETCURSEL, static_cast<WPARAM>(first), 0);
    SetWindowTextW(
        v.page, first < 0 ? L""
                          : topicText(v.document.topics[static_cast<std::size_t>(SendMessageW(
                                          v.list, LB_GETITEMDATA, static_cast<WPARAM>(first), 0))])
                                .c_str());
}

// Chooses the list row of a topic (an index of the document); nothing for -1.
void chooseTopic(Viewer& v, int topic) {
    const auto rows = static_cast<int>(SendMessageW(v.list, LB_GETCOUNT, 0, 0));
    for (int row = 0; topic >= 0 && row < rows; ++row) {
        if (SendMessageW(v.list, LB_GETITEMDATA, static_cast<WPARAM>(row), 0) == topic) {
            SendMessageW(v.list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
            return;
        }
    }
}

void showSelected(Viewer& v) {
    const LRESULT row = SendMessageW(v.list, LB_GETCURSEL, 0, 0);
    const LRESULT topic =
        row < 0 ? -1 : SendMessageW(v.list, LB_GETITEMDATA, static_cast<WPARAM>(row), 0);
    SetWindowTextW(v.page,
                   topic < 0 || static_cast<std::size_t>(topic) >= v.document.topics.size()
                       ? L""
                       : topicText(v.document.topics[static_cast<std::size_t>(topic)]).c_str());
}

void layout(Viewer& v, int width, int height) {
    const UINT dpi = windowDpi(v.window);
    const int margin = scaled(6, dpi);
    const int listWidth = scaled(240, dpi);
    const int row = scaled(26, dpi);
    const int buttonWidth = scaled(90, dpi);
    const int bottom = height - margin - row;
    MoveWindow(v.search, margin, margin, listWidth, row, TRUE);
    MoveWindow(v.list, margin, margin + row + 4, listWidth, bottom - row - 4 - 2 * margin, TRUE);
    MoveWindow(v.page, 2 * margin + listWidth, margin, width - 3 * margin - listWidth,
               bottom - 2 * margin, TRUE);
    MoveWindow(v.close, width - margin - buttonWidth, bottom, buttonWidth, row, TRUE);
}

LRESULT CALLBACK helpProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Viewer& v = viewer();
    switch (message) {
        case WM_DPICHANGED: {
            for (HWND control : {v.search, v.list, v.page, v.close}) {
                SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont(LOWORD(wParam))),
                             TRUE);
            }
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, suggested.left, suggested.top,
                         suggested.right - suggested.left, suggested.bottom - suggested.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_SIZE:
            if (v.window == window) {
                layout(v, LOWORD(lParam), HIWORD(lParam));
            }
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kSearchId && HIWORD(wParam) == EN_CHANGE) {
                const int length = GetWindowTextLengthW(v.search);
                std::wstring word(static_cast<std::size_t>(length) + 1, L'\0');
                word.resize(static_cast<std::size_t>(
                    std::max(0, GetWindowTextW(v.search, word.data(), length + 1))));
                std::string utf8 = narrowUtf8(word);
                utf8.erase(0, utf8.find_first_not_of(' '));
                utf8.erase(utf8.find_last_not_of(' ') + 1);
                filter(v, utf8);
            } else if (LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_SELCHANGE) {
                showSelected(v);
            } else if (LOWORD(wParam) == IDCANCEL) {
                DestroyWindow(window);
            }
            return 0;
        case WM_DESTROY:
            v.window = nullptr;
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND child(HWND parent, const wchar_t* windowClass, DWORD style, DWORD exStyle, int id,
           const std::wstring& text) {
    HWND control = CreateWindowExW(
        exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont(windowDpi(parent))), TRUE);
    return control;
}

// The working folder, then beside the program.
std::wstring findHelpFile(const std::wstring& name) {
    if (GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return name;
    }
    std::wstring program(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, program.data(), MAX_PATH);
    program.resize(length);
    const std::wstring beside = program.substr(0, program.find_last_of(L"\\/") + 1) + name;
    return GetFileAttributesW(beside.c_str()) != INVALID_FILE_ATTRIBUTES ? beside : std::wstring();
}

// The help file is Shift-JIS; one still in its UTF-8 source form is read as it is.
HelpDocument readHelpFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return parseHelpDocument(isUtf8(bytes) ? bytes : sjisToUtf8(bytes));
}

void centreOverMainWindow(HWND window) {
    HWND main = mainWindow();
    RECT frame{};
    RECT over{};
    RECT work{};
    GetWindowRect(window, &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (main == nullptr || !GetWindowRect(main, &over)) {
        over = work;
    }
    const int width = static_cast<int>(frame.right - frame.left);
    const int height = static_cast<int>(frame.bottom - frame.top);
    // Never past the screen's edge: a main window in a corner still shows all of it.
    const int x = std::max(static_cast<int>(work.left),
                           std::min(static_cast<int>(over.left + over.right - width) / 2,
                                    static_cast<int>(work.right) - width));
    const int y = std::max(static_cast<int>(work.top),
                           std::min(static_cast<int>(over.top + over.bottom - height) / 2,
                                    static_cast<int>(work.bottom) - height));
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

bool createViewer(Viewer& v, HelpDocument document) {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &helpProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kHelpClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered) {
        return false;
    }
    v.document = std::move(document);
    // A window of its own, owned by nobody: it stays usable beside a modal dialog that asked.
    v.window = CreateWindowExW(0, kHelpClass, widen(text::qtHelpWindowTitle).c_str(),
                               WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                               scaled(780, windowDpi(nullptr)), scaled(540, windowDpi(nullptr)),
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (v.window == nullptr) {
        return false;
    }
    if (HICON icon = moduleIcon("MyApp")) {
        SendMessageW(v.window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    }
    v.search = child(v.window, L"EDIT", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, kSearchId, {});
    SendMessageW(v.search, EM_SETCUEBANNER, TRUE,
                 reinterpret_cast<LPARAM>(widen(text::qtHelpSearch).c_str()));
    v.list = child(v.window, L"LISTBOX",
                   WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0,
                   kListId, {});
    v.page =
        child(v.window, L"EDIT",
              WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0,
              kPageId, {});
    v.close = child(v.window, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL,
                    widen(text::qtHelpClose));
    RECT client{};
    GetClientRect(v.window, &client);
    layout(v, client.right, client.bottom);
    centreOverMainWindow(v.window);
    return true;
}

}  // namespace

bool takeHelpMessage(MSG& message) {
    Viewer& v = viewer();
    if (v.window == nullptr || (message.hwnd != v.window && !IsChild(v.window, message.hwnd))) {
        return false;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        DestroyWindow(v.window);
        return true;
    }
    return IsDialogMessageW(v.window, &message) != 0;
}

void closeHelp() {
    if (viewer().window != nullptr) {
        DestroyWindow(viewer().window);
    }
}

}  // namespace win32

void openHelp(WindowHandle /*owner*/, std::string_view topic) {
    win32::Viewer& v = win32::viewer();
    if (v.window == nullptr) {
        const std::wstring name = win32::widen(win32::moduleResources().helpFileName);
        const std::wstring path = win32::findHelpFile(name);
        if (path.empty()) {
            const std::string message = std::string(text::qtHelpMissingBefore) +
                                        std::string(win32::moduleResources().helpFileName) +
                                        std::string(text::qtHelpMissingAfter);
            MessageBoxW(nullptr, win32::widen(message).c_str(),
                        win32::widen(text::qtHelpCaption).c_str(), MB_OK);
            return;
        }
        if (!win32::createViewer(v, win32::readHelpFile(path))) {
            return;
        }
    }
    SetWindowTextW(v.search, L"");
    win32::filter(v, {});
    win32::chooseTopic(v, findHelpTopic(v.document, sjisToUtf8(topic)));
    win32::showSelected(v);
    ShowWindow(v.window, SW_SHOW);
    SetForegroundWindow(v.window);
    SetFocus(v.list);
}

}  // namespace quorvel::platform
