#pragma once
// Drives the Windows program through its own windows as a person would: each step waits for a
// window of its title, then acts on it. A thread timer runs the steps, so the modal loops of
// dialogs and message boxes run them too.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/shell.h"
#include "consultation/consultation_state.h"

namespace quorvel::test {

// A visible, enabled window of this thread with exactly this title.
inline HWND windowTitled(const std::wstring& title) {
    struct Search {
        const std::wstring* title;
        HWND found;
    } search{&title, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            wchar_t text[128] = {};
            GetWindowTextW(window, text, 128);
            if (*s->title == text && IsWindowVisible(window) && IsWindowEnabled(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Chooses row `row` of list view `table`, as a click would.
inline void selectRow(HWND dialog, int table, int row) {
    ListView_SetItemState(GetDlgItem(dialog, table), row, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
}

inline int rowCount(HWND dialog, int table) {
    return ListView_GetItemCount(GetDlgItem(dialog, table));
}

inline void press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

struct Step {
    std::wstring title;
    std::function<void(HWND)> act;
};

struct Driver {
    std::vector<Step> steps;
    std::size_t next = 0;
    int ticks = 0;
    HWND main = nullptr;
};

inline Driver* driver = nullptr;

inline void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    Driver& d = *driver;
    if (++d.ticks > 600) {  // 30 seconds: something did not open; end the program
        ADD_FAILURE() << "waited in vain at step " << d.next;
        d.next = d.steps.size();
        PostQuitMessage(1);
        return;
    }
    if (d.next >= d.steps.size()) {
        return;
    }
    if (HWND window = windowTitled(d.steps[d.next].title)) {
        const Step& step = d.steps[d.next++];
        step.act(window);
    }
}

// Runs the program once, each step taken as its window opens; every step must be taken.
inline void runProgram(Driver& d) {
    driver = &d;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &tick);
    auto state = std::make_unique<ConsultationState>();
    char name[] = "quorvel";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(runApplication(*state, 1, argv), 0);
    KillTimer(nullptr, timer);
    driver = nullptr;
    EXPECT_EQ(d.next, d.steps.size());
}

}  // namespace quorvel::test
