#pragma once
// What a window must keep at any scale: controls apart that the template sets apart, every
// control inside the dialog, the dialog's own font.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "platform/ui.h"

namespace quorvel::test {

// Ends a main window made without a message loop, taking back the quit it posts, so that the
// next test's loop runs.
inline void closeMainWindow(platform::WindowHandle main) {
    platform::destroyWindow(main);
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

inline std::vector<HWND> childrenOf(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

inline RECT placeIn(HWND window, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// More than the pixel the dialog manager's rounding may give, mapping a place and a size each
// on its own.
inline bool overlap(const RECT& a, const RECT& b) {
    return a.left < b.right - 1 && b.left < a.right - 1 && a.top < b.bottom - 1 &&
           b.top < a.bottom - 1;
}

inline int fontHeight(HWND window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

// Controls (by template order) that are apart in dialog units are apart on the screen, and
// every control the template puts inside the dialog stands inside its client area.
inline void expectLaidOut(HWND window, const platform::DialogTemplate& dialog) {
    const std::vector<HWND> children = childrenOf(window);
    ASSERT_EQ(children.size(), dialog.controls.size());
    RECT client{};
    GetClientRect(window, &client);
    // A drop-down's window is its closed box; the list opens in a window of its own.
    const auto shown = [&](std::size_t i) { return placeIn(window, children[i]); };
    for (std::size_t i = 0; i < children.size(); ++i) {
        const platform::ControlTemplate& a = dialog.controls[i];
        const RECT ra = shown(i);
        EXPECT_GE(ra.left, 0) << "control " << i;
        EXPECT_GE(ra.top, 0) << "control " << i;
        if (a.x + a.width <= dialog.width && a.y + a.height <= dialog.height) {
            EXPECT_LE(ra.right, client.right) << "control " << i;
            EXPECT_LE(ra.bottom, client.bottom) << "control " << i;
        }
        for (std::size_t j = i + 1; j < children.size(); ++j) {
            const platform::ControlTemplate& b = dialog.controls[j];
            if (a.kind == platform::ControlKind::Icon || b.kind == platform::ControlKind::Icon) {
                continue;  // a picture takes its own size, not the template's
            }
            const RECT ta{a.x, a.y, a.x + a.width, a.y + a.height};
            const RECT tb{b.x, b.y, b.x + b.width, b.y + b.height};
            if (!overlap(ta, tb)) {
                EXPECT_FALSE(overlap(ra, shown(j))) << "controls " << i << " and " << j;
            }
        }
    }
}

}  // namespace quorvel::test
