// A whole consultation in the Windows program, driven through the system's own dialogs as a
// person would: birth data, the chart panel, the day pillar against the fourth luck pillar,
// 実行, F1, ファイル出力 and Yes; the result file and the DATA.CSV line must hold the Linux
// program's bytes.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/shell.h"
#include "consultation/consultation_state.h"
#include "judgement/judgement.h"
#include "platform/win32/win32.h"
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

std::string judgementOf(const char* base, const char* running) {
    JudgementKey key;
    EXPECT_EQ(parseJudgementKey(key, sjis(base), sjis(running)), PillarCheck::Ok);
    char buffer[kJudgementBufferSize];
    composeJudgement(buffer, key, {1, 0});
    return buffer;
}

TEST(Win32Consultation, FromTheBirthDialogToTheResultFile) {
    const fs::path previous = fs::current_path();
    const fs::path folder = fs::temp_directory_path() / "quorvel-win32-consultation";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::current_path(folder);

    Driver d;
    d.steps = {
        {widen(sjis("Quorvel")),
         [&d](HWND main) {
             d.main = main;
             PostMessageW(main, WM_COMMAND, kCommandBirthData, 0);
         }},
        {widen(birthDialogTemplate().title),
         [](HWND birth) {
             SetDlgItemTextW(birth, 108, widen(sjis("太郎")).c_str());
             SendDlgItemMessageW(birth, 105, BM_CLICK, 0, 0);  // 男
             SetDlgItemTextW(birth, 109, L"1965");
             SetDlgItemTextW(birth, 1052, L"3");
             SetDlgItemTextW(birth, 1053, L"15");
             SetDlgItemTextW(birth, 1054, L"10");
             press(birth, IDOK);
         }},
        {widen(panelDialogTemplate().title),
         [](HWND panel) {
             press(panel, 1023);  // the day pillar
             press(panel, 1028);  // the fourth luck pillar
             press(panel, IDOK);  // 実行
         }},
        // F1 asks for help; with no help file at hand the program says so.
        {widen(resultDialogTemplate().title),
         [](HWND) {
             INPUT keys[2] = {};
             keys[0].type = keys[1].type = INPUT_KEYBOARD;
             keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
             keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
             SendInput(2, keys, sizeof(INPUT));
         }},
        {widen(sjis("ヘルプ")), [](HWND missing) { press(missing, IDOK); }},
        {widen(resultDialogTemplate().title), [](HWND result) { press(result, 1067); }},
        {widen(sjis("TXTファイルに出力")), [](HWND question) { press(question, IDYES); }},
        {widen(resultDialogTemplate().title), [](HWND result) { press(result, IDOK); }},
        {widen(panelDialogTemplate().title),
         [&d](HWND panel) {
             press(panel, IDCANCEL);
             PostMessageW(d.main, WM_CLOSE, 0, 0);
         }},
    };
    runProgram(d);
    EXPECT_EQ(readFile("DATA.CSV"), sjis("太郎,1,0,1965,3,15,10,\n"));
    EXPECT_EQ(readFile(fs::path(u8"太郎本人配偶者乙亥運.TXT")), judgementOf("戊辰", "乙亥"));
    fs::current_path(previous);
    fs::remove_all(folder);
}

// A question a modal dialog raises is that dialog's, and while the dialog is open nothing else of
// the program, the main window's menu and its close box included, can be reached.
TEST(Win32Consultation, AModalDialogKeepsTheProgramOutOfReach) {
    const fs::path previous = fs::current_path();
    const fs::path folder = fs::temp_directory_path() / "quorvel-win32-modal";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::current_path(folder);

    const std::wstring resultTitle = widen(resultDialogTemplate().title);
    const std::wstring panelTitle = widen(panelDialogTemplate().title);
    Driver d;
    HWND panel = nullptr;
    HWND result = nullptr;
    d.steps = {
        {widen(sjis("Quorvel")),
         [&d](HWND main) {
             d.main = main;
             PostMessageW(main, WM_COMMAND, kCommandBirthData, 0);
         }},
        {widen(birthDialogTemplate().title),
         [](HWND birth) {
             SetDlgItemTextW(birth, 108, widen(sjis("花子")).c_str());
             SendDlgItemMessageW(birth, 106, BM_CLICK, 0, 0);  // 女
             SetDlgItemTextW(birth, 109, L"1980");
             SetDlgItemTextW(birth, 1052, L"7");
             SetDlgItemTextW(birth, 1053, L"1");
             SetDlgItemTextW(birth, 1054, L"5");
             press(birth, IDOK);
         }},
        {panelTitle,
         [&panel](HWND shown) {
             panel = shown;
             press(shown, 1023);
             press(shown, 1028);
             press(shown, IDOK);
         }},
        {resultTitle,
         [&](HWND shown) {
             result = shown;
             EXPECT_FALSE(IsWindowEnabled(d.main)) << "the main menu is within reach";
             EXPECT_FALSE(IsWindowEnabled(panel));
             // The close box of the main window waits for the dialog.
             SendMessageW(d.main, WM_CLOSE, 0, 0);
             EXPECT_TRUE(IsWindow(d.main));
             press(shown, 1067);
         }},
        {widen(sjis("TXTファイルに出力")),
         [&](HWND question) {
             EXPECT_EQ(GetWindow(question, GW_OWNER), result);
             press(question, IDNO);
         }},
        {resultTitle,
         [&](HWND shown) {
             EXPECT_EQ(shown, result);
             EXPECT_EQ(GetActiveWindow(), result);
             EXPECT_FALSE(IsWindowEnabled(d.main));
             press(shown, IDOK);
         }},
        {panelTitle,
         [&](HWND shown) {
             EXPECT_TRUE(IsWindowEnabled(d.main));
             press(shown, IDCANCEL);
             PostMessageW(d.main, WM_CLOSE, 0, 0);
         }},
    };
    runProgram(d);
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        EXPECT_NE(entry.path().extension(), ".TXT") << "いいえ wrote the judgement";
    }
    fs::current_path(previous);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace quorvel::test
