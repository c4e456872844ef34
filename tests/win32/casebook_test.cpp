// The casebook in the Windows program, driven through the system's own dialogs: a person corrected,
// a note written, two judgements made; after a restart the list shows the corrected person with
// the note mark, the casebook both entries, and the older one's text comes back as it was shown.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/shell.h"
#include "consultation/consultation_state.h"
#include "platform/win32/win32.h"
#include "resources/command_ids.h"
#include "resources/dialog_templates.h"
#include "tests/support/sjis.h"
#include "tests/win32/drive.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;
using platform::win32::widen;

constexpr int kTable = 120;
constexpr int kMenuCasebook = 1210;
constexpr int kMenuCorrect = 1211;
constexpr int kNote = 101;
constexpr int kSaveNote = 1301;
constexpr int kResultText = 101;

std::wstring cell(HWND dialog, int row, int column) {
    wchar_t text[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    SendDlgItemMessageW(dialog, kTable, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                        reinterpret_cast<LPARAM>(&item));
    return text;
}

std::wstring controlText(HWND dialog, int id) {
    std::wstring text(8192, L'\0');
    text.resize(static_cast<std::size_t>(GetDlgItemTextW(dialog, id, text.data(), 8192)));
    return text;
}

// Runs the program once through `steps`; every step must be taken.
void run(std::vector<Step> steps) {
    Driver d;
    d.steps = std::move(steps);
    runProgram(d);
}

TEST(Win32Casebook, ACorrectedNotedJudgedPersonAfterARestart) {
    const fs::path previous = fs::current_path();
    const fs::path folder = fs::temp_directory_path() / "quorvel-win32-casebook";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::current_path(folder);
    std::ofstream("DATA.CSV", std::ios::binary)
        << sjis("山田太郎,1,0,1990,5,20,10,\n花子,0,1,2000,1,19,12,\n");

    const std::wstring main = L"Quorvel";
    const std::wstring list = widen(personListTemplate().title);
    const std::wstring casebook = widen(casebookTemplate().title);
    const std::wstring panel = widen(panelDialogTemplate().title);
    const std::wstring result = widen(resultDialogTemplate().title);
    const std::wstring note = widen(sjis("転職の相談。来春また"));
    HWND mainWindow = nullptr;
    HWND listWindow = nullptr;
    std::vector<std::wstring> shown;  // the judgements' texts, oldest first

    const auto openList = [&](HWND window) {
        mainWindow = window;
        PostMessageW(window, WM_COMMAND, kCommandPersonList, 0);
    };
    const auto judge = [](int luck) {
        return [luck](HWND p) {
            press(p, 1023);  // the day pillar
            press(p, luck);
            press(p, IDOK);  // 実行
        };
    };
    const auto keep = [&](HWND r) {
        shown.push_back(controlText(r, kResultText));
        press(r, IDOK);
    };
    run({
        {main, openList},
        {list,
         [&](HWND l) {
             listWindow = l;
             selectRow(l, kTable, 0);
             press(l, kMenuCorrect);
         }},
        {widen(birthDialogTemplate().title),
         [](HWND birth) {
             SetDlgItemTextW(birth, 1053, L"21");
             press(birth, IDOK);
         }},
        {widen(sjis("訂正")), [](HWND told) { press(told, IDOK); }},
        {list,
         [](HWND l) {
             EXPECT_EQ(rowCount(l, kTable), 2);
             selectRow(l, kTable, 1);
             press(l, kMenuCasebook);
         }},
        {casebook,
         [&](HWND k) {
             SetDlgItemTextW(k, kNote, note.c_str());
             press(k, kSaveNote);
         }},
        {widen(sjis("メモ")), [](HWND told) { press(told, IDOK); }},
        {casebook, [](HWND k) { press(k, IDCANCEL); }},
        {list,
         [](HWND l) {
             selectRow(l, kTable, 1);
             press(l, IDOK);  // the chart panel of the corrected person
         }},
        {panel, judge(1029)},
        {result, keep},
        {panel, judge(1030)},
        {result, keep},
        {panel,
         [&](HWND p) {
             press(p, IDCANCEL);
             press(listWindow, IDCANCEL);
             PostMessageW(mainWindow, WM_CLOSE, 0, 0);
         }},
    });
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[0], shown[1]);

    std::wstring shownAgain;
    run({
        {main, openList},
        {list,
         [&](HWND l) {
             listWindow = l;
             ASSERT_EQ(rowCount(l, kTable), 2);
             EXPECT_EQ(cell(l, 1, 2), widen(sjis("＊山田太郎")));
             EXPECT_EQ(cell(l, 1, 4), L"1990/5/21");
             EXPECT_EQ(cell(l, 1, 8).size(), 10u);  // the last consultation, YYYY-MM-DD
             selectRow(l, kTable, 1);
             press(l, kMenuCasebook);
         }},
        {casebook,
         [&](HWND k) {
             EXPECT_EQ(controlText(k, kNote), note);
             EXPECT_EQ(rowCount(k, kTable), 2);
             selectRow(k, kTable, 1);  // newest first: the older judgement
             press(k, IDOK);           // 内容を表示
         }},
        {result,
         [&](HWND r) {
             shownAgain = controlText(r, kResultText);
             press(r, IDOK);
         }},
        {casebook, [](HWND k) { press(k, IDCANCEL); }},
        {list,
         [&](HWND l) {
             press(l, IDCANCEL);
             PostMessageW(mainWindow, WM_CLOSE, 0, 0);
         }},
    });
    EXPECT_EQ(shownAgain, shown[0]);
    fs::current_path(previous);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace quorvel::test
