// The help viewer reads the shipped help file, lists its topics under their groups, opens at the
// topic a window asks for, narrows the list as a word is typed, and goes with Escape.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/win32/win32.h"
#include "platform/win32_texts.h"
#include "resources/images.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

HWND childOfClass(HWND parent, const wchar_t* className) {
    return FindWindowExW(parent, nullptr, className, nullptr);
}

int rows(HWND list) {
    return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
}

TEST(Win32Help, TopicsSearchAndEscape) {
    const fs::path previous = fs::current_path();
    const fs::path folder = fs::temp_directory_path() / "quorvel-win32-help";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(QUORVEL_HELP_FILE, folder / "Quorvel.HLP");
    fs::current_path(folder);
    ASSERT_TRUE(platform::initialize(*new int(0), nullptr, {moduleImages(), "Quorvel.HLP"}));

    platform::openHelp(nullptr);
    HWND viewer = FindWindowW(nullptr, platform::win32::widen(text::qtHelpWindowTitle).c_str());
    ASSERT_NE(viewer, nullptr);
    HWND list = childOfClass(viewer, L"ListBox");
    HWND search = childOfClass(viewer, L"Edit");  // the first edit: the search field
    ASSERT_NE(list, nullptr);
    const int all = rows(list);
    EXPECT_GT(all, 20);
    wchar_t page[64] = {};
    GetWindowTextW(GetDlgItem(viewer, 103), page, 64);
    EXPECT_NE(page[0], L'\0') << "the first topic is shown";

    // A window's F1 opens the viewer at the topic about it.
    const std::wstring topic = platform::win32::widenUtf8("運勢暦の見方");
    platform::openHelp(nullptr, platform::win32::narrow(topic));
    wchar_t chosen[64] = {};
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(SendMessageW(list, LB_GETCURSEL, 0, 0)),
                 reinterpret_cast<LPARAM>(chosen));
    EXPECT_EQ(std::wstring(chosen), L"  " + topic);
    GetWindowTextW(GetDlgItem(viewer, 103), page, 64);
    EXPECT_EQ(std::wstring(page).substr(0, topic.size()), topic);

    SetWindowTextW(search, platform::win32::widenUtf8("DATA.CSV").c_str());
    EXPECT_GT(rows(list), 0);
    EXPECT_LT(rows(list), all);
    SetWindowTextW(search, L"no such word anywhere");
    EXPECT_EQ(rows(list), 0);

    MSG escape{list, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(platform::win32::takeDialogMessage(escape));
    EXPECT_FALSE(IsWindow(viewer));

    fs::current_path(previous);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace quorvel::test
