// Every template, run by the system's dialog manager, holds its controls with the template's ids,
// kinds, texts and places, in its font.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/win32/win32.h"
#include "resources/dialog_templates.h"
#include "resources/images.h"

namespace quorvel::test {
namespace {

using platform::ControlKind;
using platform::DialogTemplate;

std::string windowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return platform::win32::narrow(text);
}

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Looks at the dialog once it stands, then closes it.
class Inspector final : public platform::DialogHandler {
  public:
    explicit Inspector(const DialogTemplate& dialog) : dialog_(dialog) {}

    void init(platform::DialogHandle& handle) override {
        HWND window = platform::win32::hwndOf(handle.window());
        inspect(window);
        handle.end(platform::kIdCancel);
    }
    void command(platform::DialogHandle&, int) override {}

  private:
    void inspect(HWND window) {
        SCOPED_TRACE(std::string(dialog_.name));
        EXPECT_EQ(windowText(window), dialog_.title);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        EXPECT_EQ(platform::win32::narrow(font.lfFaceName), dialog_.fontName);

        std::vector<HWND> children;
        for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            children.push_back(child);
        }
        ASSERT_EQ(children.size(), dialog_.controls.size());
        for (std::size_t i = 0; i < children.size(); ++i) {
            const platform::ControlTemplate& control = dialog_.controls[i];
            HWND child = children[i];
            SCOPED_TRACE("control " + std::to_string(i));
            EXPECT_EQ(GetDlgCtrlID(child), control.id & 0xFFFF);
            const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
            switch (control.kind) {
                case ControlKind::Label:
                    EXPECT_EQ(className(child), L"Static");
                    EXPECT_EQ(style & SS_TYPEMASK,
                              (control.style & platform::kCentred) != 0        ? DWORD{SS_CENTER}
                              : (control.style & platform::kRightAligned) != 0 ? DWORD{SS_RIGHT}
                                                                               : DWORD{SS_LEFT});
                    break;
                case ControlKind::Edit:
                    EXPECT_EQ(className(child), L"Edit");
                    EXPECT_EQ((style & ES_MULTILINE) != 0,
                              (control.style & platform::kMultiLine) != 0);
                    EXPECT_EQ((style & ES_READONLY) != 0,
                              (control.style & platform::kReadOnly) != 0);
                    break;
                case ControlKind::Button:
                case ControlKind::DefaultButton:
                    EXPECT_EQ(className(child), L"Button");
                    EXPECT_EQ(style & BS_TYPEMASK, control.kind == ControlKind::DefaultButton
                                                       ? DWORD{BS_DEFPUSHBUTTON}
                                                       : DWORD{BS_PUSHBUTTON});
                    break;
                case ControlKind::RadioButton:
                    EXPECT_EQ(className(child), L"Button");
                    EXPECT_EQ(style & BS_TYPEMASK, DWORD{BS_AUTORADIOBUTTON});
                    break;
                case ControlKind::Icon:
                    EXPECT_EQ(className(child), L"Static");
                    EXPECT_EQ(style & SS_TYPEMASK, DWORD{SS_ICON});
                    EXPECT_NE(SendMessageW(child, STM_GETICON, 0, 0), 0) << control.text;
                    break;
                case ControlKind::Table:
                    EXPECT_EQ(className(child), L"SysListView32");
                    EXPECT_EQ(style & LVS_TYPEMASK, DWORD{LVS_REPORT});
                    EXPECT_NE(style & LVS_SINGLESEL, 0u);
                    break;
                case ControlKind::CheckBox:
                    EXPECT_EQ(className(child), L"Button");
                    EXPECT_EQ(style & BS_TYPEMASK, DWORD{BS_AUTOCHECKBOX});
                    break;
                case ControlKind::DropDown:
                    EXPECT_EQ(className(child), L"ComboBox");
                    EXPECT_EQ(style & 0x3u, DWORD{CBS_DROPDOWNLIST});
                    break;
            }
            if (control.kind != ControlKind::Icon) {
                EXPECT_EQ(windowText(child), control.text);
            }
            // The dialog manager maps the place and the size each on its own.
            RECT expected{control.x, control.y, control.width, control.height};
            MapDialogRect(window, &expected);
            expected.right += expected.left;
            expected.bottom += expected.top;
            RECT actual{};
            GetWindowRect(child, &actual);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&actual), 2);
            EXPECT_EQ(actual.left, expected.left);
            EXPECT_EQ(actual.top, expected.top);
            // An icon takes its picture's size; a drop-down's closed box the height of its font.
            if (control.kind != ControlKind::Icon) {
                EXPECT_EQ(actual.right, expected.right);
            }
            if (control.kind != ControlKind::Icon && control.kind != ControlKind::DropDown) {
                EXPECT_EQ(actual.bottom, expected.bottom);
            }
        }
    }

    const DialogTemplate& dialog_;
};

TEST(Win32Dialogs, EveryTemplateStandsAsWritten) {
    ASSERT_TRUE(platform::initialize(*new int(0), nullptr, {moduleImages(), "Quorvel.HLP"}));
    for (const DialogTemplate& dialog : allDialogTemplates()) {
        Inspector inspector(dialog);
        EXPECT_EQ(platform::runModalDialog(dialog, nullptr, inspector), platform::kIdCancel)
            << dialog.name;
    }
}

}  // namespace
}  // namespace quorvel::test
