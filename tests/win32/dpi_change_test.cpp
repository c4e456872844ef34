// A window moved to a monitor of another scale (WM_DPICHANGED) lays itself out again for it: the
// dialogs in their template's font made for the new DPI, the main window's buttons in proportion.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/win32.h"
#include "resources/dialog_templates.h"
#include "resources/images.h"
#include "resources/menu.h"
#include "tests/win32/dpi_geometry.h"

namespace quorvel::test {
namespace {

using platform::DialogTemplate;

RECT frameOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// Tells the opened dialog of a DPI change (the size asked for, then the change), and checks it.
class DpiChanger final : public platform::DialogHandler {
  public:
    DpiChanger(const DialogTemplate& dialog, UINT dpi) : dialog_(dialog), dpi_(dpi) {}

    void init(platform::DialogHandle& handle) override {
        HWND window = platform::win32::hwndOf(handle.window());
        check(window);
        handle.end(platform::kIdCancel);
    }
    void command(platform::DialogHandle&, int) override {}

  private:
    void check(HWND window) {
        SCOPED_TRACE(std::string(dialog_.name) + " at " + std::to_string(dpi_));
        std::vector<RECT> before;
        for (HWND child : childrenOf(window)) {
            before.push_back(placeIn(window, child));
        }
        const RECT frame = frameOf(window);
        SIZE asked{};
        SendMessageW(window, WM_GETDPISCALEDSIZE, dpi_, reinterpret_cast<LPARAM>(&asked));
        const RECT suggested{frame.left + 10, frame.top + 10, frame.left + 10 + asked.cx,
                             frame.top + 10 + asked.cy};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi_, dpi_),
                     reinterpret_cast<LPARAM>(&suggested));

        // Where suggested, and as large where the screen lets a window be.
        const RECT now = frameOf(window);
        EXPECT_EQ(now.left, suggested.left);
        EXPECT_EQ(now.top, suggested.top);
        if (asked.cx <= GetSystemMetrics(SM_CXMAXTRACK) &&
            asked.cy <= GetSystemMetrics(SM_CYMAXTRACK)) {
            EXPECT_EQ(now.right, suggested.right);
            EXPECT_EQ(now.bottom, suggested.bottom);
        }
        const std::vector<HWND> children = childrenOf(window);
        ASSERT_EQ(children.size(), before.size());
        const int points = dialog_.fontSize;
        for (std::size_t i = 0; i < children.size(); ++i) {
            SCOPED_TRACE("control " + std::to_string(i));
            if (dialog_.controls[i].kind != platform::ControlKind::Icon) {  // no text, no font
                EXPECT_EQ(fontHeight(children[i]), -MulDiv(points, static_cast<int>(dpi_), 72));
            }
            const RECT r = placeIn(window, children[i]);
            if (dpi_ == platform::win32::kBaseDpi) {
                // The same scale: exactly where the dialog manager put it.
                EXPECT_EQ(r.left, before[i].left);
                EXPECT_EQ(r.top, before[i].top);
                EXPECT_EQ(r.right, before[i].right);
                EXPECT_EQ(r.bottom, before[i].bottom);
            } else {
                // In proportion, give or take what the larger font's metrics round to.
                const double scale = dpi_ / 96.0;
                EXPECT_NEAR(r.left, before[i].left * scale, 2 + before[i].left * scale * 0.1);
                EXPECT_NEAR(r.right - r.left, (before[i].right - before[i].left) * scale,
                            2 + (before[i].right - before[i].left) * scale * 0.1);
            }
        }
        if (dpi_ != platform::win32::kBaseDpi) {
            EXPECT_GT(asked.cx, (frame.right - frame.left) * 13 / 10);
            EXPECT_GT(asked.cy, (frame.bottom - frame.top) * 13 / 10);
        }
        expectLaidOut(window, dialog_);
    }

    const DialogTemplate& dialog_;
    UINT dpi_;
};

TEST(Win32Dpi, EveryDialogFollowsAChangeOfScale) {
    ASSERT_TRUE(platform::initialize(*new int(0), nullptr, {moduleImages(), "Quorvel.HLP"}));
    for (const UINT dpi : {96u, 144u, 192u}) {
        for (const DialogTemplate& dialog : allDialogTemplates()) {
            DpiChanger changer(dialog, dpi);
            EXPECT_EQ(platform::runModalDialog(dialog, nullptr, changer), platform::kIdCancel)
                << dialog.name;
        }
    }
}

TEST(Win32Dpi, TheMainWindowsButtonsFollowAChangeOfScale) {
    ASSERT_TRUE(platform::initialize(*new int(0), nullptr, {moduleImages(), "Quorvel.HLP"}));
    const platform::WindowHandle main =
        platform::createMainWindow({"Quorvel", "MyApp", mainMenu(), [](int) {}, 0});
    ASSERT_NE(main, nullptr);
    HWND window = platform::win32::hwndOf(main);
    platform::createChildButton(main, "OK", 1234, 490, 355, 120, 32);
    HWND button = GetDlgItem(window, 1234);
    ASSERT_NE(button, nullptr);
    const struct {
        UINT dpi;
        RECT place;
        int font;
    } cases[] = {
        {120, {613, 444, 763, 484}, -20},
        {144, {735, 533, 915, 581}, -24},
        {192, {980, 710, 1220, 774}, -32},
        {96, {490, 355, 610, 387}, -16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        const SIZE frame = platform::win32::mainFrameSize(c.dpi);
        const RECT suggested{20, 30, 20 + frame.cx, 30 + frame.cy};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        if (frame.cx <= GetSystemMetrics(SM_CXMAXTRACK) &&
            frame.cy <= GetSystemMetrics(SM_CYMAXTRACK)) {  // the screen holds it
            RECT client{};
            GetClientRect(window, &client);
            // At least 640 x 480 at that scale: this system draws the frame and the menu bar
            // at its own scale, which may be thinner than the one the frame was made for.
            EXPECT_GE(client.right, MulDiv(640, static_cast<int>(c.dpi), 96));
            EXPECT_GE(client.bottom, MulDiv(480, static_cast<int>(c.dpi), 96));
        }
        const RECT r = placeIn(window, button);
        EXPECT_EQ(r.left, c.place.left);
        EXPECT_EQ(r.top, c.place.top);
        EXPECT_EQ(r.right, c.place.right);
        EXPECT_EQ(r.bottom, c.place.bottom);
        EXPECT_EQ(fontHeight(button), c.font);
    }
    closeMainWindow(main);
}

}  // namespace
}  // namespace quorvel::test
