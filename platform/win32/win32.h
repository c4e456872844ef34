#pragma once
// What the Win32 backend's parts share: text at the API edge, the module's pictures, and the
// windows the message loop must know about.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/ui.h"

namespace quorvel::platform::win32 {

inline constexpr UINT kBaseDpi = 96;

// Texts are CP932 everywhere but at the API.
std::wstring widen(std::string_view cp932);
std::string narrow(std::wstring_view wide);
std::wstring widenUtf8(std::string_view utf8);
std::string narrowUtf8(std::wstring_view wide);

inline HWND hwndOf(WindowHandle handle) {
    return reinterpret_cast<HWND>(handle);
}
inline WindowHandle handleOf(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
}

const ModuleResources& moduleResources();
// The module's picture as an icon (transparent where the picture is), made once; nullptr when
// the module has no picture of that name.
HICON moduleIcon(std::string_view name);
SIZE moduleIconSize(std::string_view name);

HWND mainWindow();
// The main window's frame at `dpi`, its menu bar included.
SIZE mainFrameSize(UINT dpi);
// The window a new box or dialog belongs to: the owner while it lives, else the main window.
HWND ownerWindow(WindowHandle owner);

// Modeless dialogs take their keys through IsDialogMessageW in the message loop.
void addModeless(HWND dialog);
void removeModeless(HWND dialog);
// A modal dialog keeps every other window of the program, the main window's menu included, out
// of reach until it ends, not only its owner as the dialog manager does. beginModal answers the
// windows it disabled; endModal gives them back.
std::vector<HWND> beginModal(HWND dialog);
void endModal(HWND dialog, std::vector<HWND>& disabled);
// The modal dialog in front, or nullptr: a box asked for by a window it disabled belongs to it.
HWND frontModal();
// F1 in the main window or one of its buttons: the window's help command; true when it was.
bool takeMainWindowHelp(const MSG& message);
// Offers a message to the modeless dialogs and the help viewer; true when one took it.
bool takeDialogMessage(MSG& message);

// The help viewer: true when the message was its own keyboard business (Escape, Tab).
bool takeHelpMessage(MSG& message);
void closeHelp();

// The program's gothic for windows of our own (the main window's buttons, the help viewer), at
// a DPI; made once for each.
HFONT uiFont(UINT dpi = kBaseDpi);

// The DPI a window is shown at (96 is 100 %), the system's before there is a window.
UINT windowDpi(HWND window);
// A length of 100 % at `dpi`.
inline int scaled(int length, UINT dpi) {
    return MulDiv(length, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}
// AdjustWindowRectEx for the frame and menu bar at `dpi`.
void adjustFrameForDpi(RECT& rect, DWORD style, DWORD exStyle, bool menu, UINT dpi);
// The dialog answers WM_DPICHANGED itself rather than leaving it to the dialog manager.
void takeOverDialogDpiChanges(HWND dialog);
// A font of `points` at `dpi`, as the dialog manager makes a template's.
HFONT fontForDpi(std::string_view cp932Name, int points, UINT dpi, BYTE charSet);
// The horizontal and vertical dialog base units of a font, measured as the dialog manager does:
// a horizontal dialog unit is a quarter of the first, a vertical one an eighth of the second.
SIZE dialogBaseUnits(HFONT font);

}  // namespace quorvel::platform::win32
