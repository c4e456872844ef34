// The program at 150 % (a prefix whose LogPixels is 144): the main window, its menu on one line,
// and every dialog in dialog units of its font made for that scale.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win32/win32.h"
#include "resources/dialog_templates.h"
#include "resources/images.h"
#include "resources/menu.h"
#include "tests/win32/dpi_geometry.h"

namespace quorvel::test {
namespace {

using platform::DialogTemplate;
constexpr UINT kDpi = 144;

class ScaleInspector final : public platform::DialogHandler {
  public:
    explicit ScaleInspector(const DialogTemplate& dialog) : dialog_(dialog) {}

    void init(platform::DialogHandle& handle) override {
        HWND window = platform::win32::hwndOf(handle.window());
        SCOPED_TRACE(std::string(dialog_.name));
        EXPECT_EQ(fontHeight(window), -MulDiv(dialog_.fontSize, static_cast<int>(kDpi), 72));
        // Clearly larger than the same template at 100 %: a larger font's average width does not
        // grow quite in proportion, so not quite half as large again.
        HFONT base = platform::win32::fontForDpi(dialog_.fontName, dialog_.fontSize,
                                                 platform::win32::kBaseDpi, DEFAULT_CHARSET);
        const SIZE units = platform::win32::dialogBaseUnits(base);
        DeleteObject(base);
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_GE(client.right, MulDiv(dialog_.width, units.cx, 4) * 13 / 10);
        EXPECT_GE(client.bottom, MulDiv(dialog_.height, units.cy, 8) * 13 / 10);
        expectLaidOut(window, dialog_);
        handle.end(platform::kIdCancel);
    }
    void command(platform::DialogHandle&, int) override {}

  private:
    const DialogTemplate& dialog_;
};

TEST(Win32HighDpi, ThePrefixIsAt150Percent) {
    ASSERT_EQ(platform::win32::windowDpi(nullptr), kDpi)
        << "run in a prefix whose HKCU\\Control Panel\\Desktop LogPixels is 144";
}

TEST(Win32HighDpi, TheMainWindowAndItsMenuOnOneLine) {
    ASSERT_TRUE(platform::initialize(*new int(0), nullptr, {moduleImages(), "Quorvel.HLP"}));
    const platform::WindowHandle main =
        platform::createMainWindow({"Quorvel", "MyApp", mainMenu(), [](int) {}, 0});
    ASSERT_NE(main, nullptr);
    HWND window = platform::win32::hwndOf(main);
    platform::showWindow(main);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 960);
    EXPECT_EQ(client.bottom, 720);
    HMENU menu = GetMenu(window);
    const int items = GetMenuItemCount(menu);
    ASSERT_GT(items, 1);
    RECT first{};
    GetMenuItemRect(window, menu, 0, &first);
    RECT frame{};
    GetWindowRect(window, &frame);
    for (int i = 1; i < items; ++i) {
        RECT item{};
        ASSERT_TRUE(GetMenuItemRect(window, menu, static_cast<UINT>(i), &item));
        EXPECT_EQ(item.top, first.top) << "menu item " << i << " on another line";
        EXPECT_LE(item.right, frame.right) << "menu item " << i;
    }
    // The menu font grew with the scale: the bar is taller than at 100 %.
    EXPECT_GT(first.bottom - first.top, 20);
    closeMainWindow(main);
}

TEST(Win32HighDpi, EveryDialogInItsScaledFont) {
    ASSERT_TRUE(platform::initialize(*new int(0), nullptr, {moduleImages(), "Quorvel.HLP"}));
    for (const DialogTemplate& dialog : allDialogTemplates()) {
        ScaleInspector inspector(dialog);
        EXPECT_EQ(platform::runModalDialog(dialog, nullptr, inspector), platform::kIdCancel)
            << dialog.name;
    }
}

}  // namespace
}  // namespace quorvel::test
