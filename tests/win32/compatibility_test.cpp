// 相性 in the Windows program, driven through the system's own dialogs: two persons chosen from
// the person list, the 相性 window with both charts and the years, ファイル出力 and Yes; the file
// must hold the core's text of the two, byte for byte.
#include <gtest/gtest.h>

#include <windows.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/shell.h"
#include "consultation/consultation_state.h"
#include "platform/win32/win32.h"
#include "reading/compatibility_document.h"
#include "resources/command_ids.h"
#include "resources/dialog_templates.h"
#include "tests/support/sjis.h"
#include "tests/win32/drive.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;
using platform::win32::widen;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

TEST(Win32Compatibility, FromThePersonListToTheWrittenFile) {
    const fs::path previous = fs::current_path();
    const fs::path folder = fs::temp_directory_path() / "quorvel-win32-compatibility";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::current_path(folder);
    std::ofstream("DATA.CSV", std::ios::binary)
        << sjis("山田太郎,1,0,1990,5,20,10,\n山田花子,0,1,1992,3,1,8,\n");

    HWND main = nullptr;
    int chartRows = 0;
    int yearRows = 0;
    Driver d;
    d.steps = {
        {widen(sjis("Quorvel")),
         [&main](HWND window) {
             main = window;
             PostMessageW(main, WM_COMMAND, kCommandPersonList, 0);
         }},
        {widen(personListTemplate().title),
         [](HWND list) {
             selectRow(list, 120, 0);
             press(list, 1204);  // 相性
         }},
        {widen(personChoiceTemplate().title),
         [](HWND choice) {
             selectRow(choice, 120, 1);
             press(choice, IDOK);  // 選択
         }},
        {widen(compatibilityTemplate().title),
         [&](HWND window) {
             chartRows = rowCount(window, 120);
             yearRows = rowCount(window, 121);
             press(window, 1205);  // ファイル出力
         }},
        {widen(sjis("TXTファイルに出力")), [](HWND question) { press(question, IDYES); }},
        {widen(compatibilityTemplate().title), [](HWND window) { press(window, IDCANCEL); }},
        {widen(personListTemplate().title),
         [&main](HWND list) {
             press(list, IDCANCEL);
             PostMessageW(main, WM_CLOSE, 0, 0);
         }},
    };
    runProgram(d);
    EXPECT_EQ(chartRows, 6);  // 年柱 月柱 日柱 時柱 空亡 五行
    EXPECT_EQ(yearRows, kDefaultCompatibilityYears);
    const std::time_t now = std::time(nullptr);
    const auto a = readFullChart({1990, 5, 20, 10, Sex::Male});
    const auto b = readFullChart({1992, 3, 1, 8, Sex::Female});
    ASSERT_TRUE(a && b);
    const std::string aName = sjis("山田太郎");
    const std::string bName = sjis("山田花子");
    const Compatibility c =
        readCompatibility(*a, *b, std::localtime(&now)->tm_year + 1900, kDefaultCompatibilityYears);
    const std::string written = readFile(fs::path(u8"山田太郎・山田花子相性.TXT"));
    EXPECT_EQ(written, compatibilityDocument(c, {*a, *b, aName, bName}, "\r\n"));
    EXPECT_EQ(written.rfind(sjis("相性  山田太郎・山田花子\r\n"), 0), 0u);
    fs::current_path(previous);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace quorvel::test
