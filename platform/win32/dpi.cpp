// Pixels at the DPI of the monitor a window stands on. The per-monitor functions came with
// Windows 10 (1607, 1703); on an older system the system DPI stands for every window.
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);
using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using DialogDpiBehavior = BOOL(WINAPI*)(HWND, int, int);

template <typename Function>
Function user32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT systemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

}  // namespace

UINT windowDpi(HWND window) {
    static const auto forWindow = user32Function<DpiForWindow>("GetDpiForWindow");
    if (window != nullptr && forWindow != nullptr) {
        if (const UINT dpi = forWindow(window); dpi != 0) {
            return dpi;
        }
    }
    return systemDpi();
}

void adjustFrameForDpi(RECT& rect, DWORD style, DWORD exStyle, bool menu, UINT dpi) {
    static const auto adjust = user32Function<AdjustForDpi>("AdjustWindowRectExForDpi");
    if (adjust == nullptr || !adjust(&rect, style, menu ? TRUE : FALSE, exStyle, dpi)) {
        AdjustWindowRectEx(&rect, style, menu ? TRUE : FALSE, exStyle);
    }
}

void takeOverDialogDpiChanges(HWND dialog) {
    // DDC_DISABLE_ALL for both the mask and the values: the dialog answers WM_DPICHANGED itself.
    constexpr int kDisableAll = 1;
    static const auto behavior = user32Function<DialogDpiBehavior>("SetDialogDpiChangeBehavior");
    if (behavior != nullptr) {
        behavior(dialog, kDisableAll, kDisableAll);
    }
}

HFONT fontForDpi(std::string_view cp932Name, int points, UINT dpi, BYTE charSet) {
    LOGFONTW face{};
    face.lfHeight = -MulDiv(points, static_cast<int>(dpi), 72);
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = charSet;
    const std::wstring name = widen(cp932Name);
    name.copy(face.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&face);
}

SIZE dialogBaseUnits(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ before = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    // The dialog manager's own measure: the mean width of the Latin letters, rounded.
    constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters{};
    GetTextExtentPoint32W(dc, kLetters, 52, &letters);
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    return {(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}

}  // namespace quorvel::platform::win32
