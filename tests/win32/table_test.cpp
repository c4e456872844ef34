// A list view keeps telling rows by the order they were added in, however its heading sorted them.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/win32.h"
#include "resources/dialog_templates.h"
#include "resources/images.h"

namespace quorvel::test {
namespace {

using platform::ControlKind;
using platform::DialogTemplate;

const platform::ControlTemplate* sortableTable(const DialogTemplate& dialog) {
    const auto found =
        std::find_if(dialog.controls.begin(), dialog.controls.end(), [](const auto& c) {
            return c.kind == ControlKind::Table && (c.style & platform::kSortable) != 0;
        });
    return found != dialog.controls.end() ? &*found : nullptr;
}

// Clicks a heading the way the list view tells its dialog.
void clickHeading(HWND dialog, HWND table, int id, int column) {
    NMLISTVIEW notice{};
    notice.hdr.hwndFrom = table;
    notice.hdr.idFrom = static_cast<UINT_PTR>(id);
    notice.hdr.code = LVN_COLUMNCLICK;
    notice.iItem = -1;
    notice.iSubItem = column;
    SendMessageW(dialog, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&notice));
}

int shownSelection(HWND table) {
    return static_cast<int>(
        SendMessageW(table, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

class Sorter final : public platform::DialogHandler {
  public:
    explicit Sorter(int id) : id_(id) {}

    void init(platform::DialogHandle& d) override {
        HWND window = platform::win32::hwndOf(d.window());
        HWND table = GetDlgItem(window, id_);
        static constexpr platform::TableColumn kColumns[] = {
            {"name", 40}, {"age", 20}, {"born", 4}};
        d.setTableColumns(id_, kColumns);
        for (const auto& row : {std::array<std::string_view, 3>{"b", "10", "1990/5/20"},
                                std::array<std::string_view, 3>{"a", "9", "1990/10/3"},
                                std::array<std::string_view, 3>{"c", "100", "1957/12/4"}}) {
            d.addTableRow(id_, row);
        }
        // No cell is cut: a column narrower than its widest cell widens to it.
        const int born = ListView_GetColumnWidth(table, 2);
        const auto needed =
            SendMessageW(table, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(L"1990/10/3"));
        EXPECT_GE(born, static_cast<int>(needed) + 12);
        clickHeading(window, table, id_, 1);  // by age, as numbers: 9 10 100
        ListView_SetItemState(table, 0, LVIS_SELECTED, LVIS_SELECTED);
        EXPECT_EQ(d.selectedTableRow(id_), 1);  // "a" was added second
        d.selectTableRow(id_, 2);
        EXPECT_EQ(shownSelection(table), 2);
        clickHeading(window, table, id_, 1);  // again: 100 10 9
        d.selectTableRow(id_, 2);
        EXPECT_EQ(shownSelection(table), 0);
        clickHeading(window, table, id_, 0);  // by name: a b c
        d.selectTableRow(id_, 0);
        EXPECT_EQ(shownSelection(table), 1);
        EXPECT_EQ(d.selectedTableRow(id_), 0);
        clickHeading(window, table, id_, 2);  // by birth, as dates: c b a
        d.selectTableRow(id_, 1);
        EXPECT_EQ(shownSelection(table), 2);
        ListView_SetItemState(table, -1, 0, LVIS_SELECTED);
        // Once the dialog stands (two posts on: past its own message after opening).
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(kLater, BN_CLICKED), 0);
    }

    void command(platform::DialogHandle& d, int id) override {
        HWND window = platform::win32::hwndOf(d.window());
        if (id == kLater) {
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(kLatest, BN_CLICKED), 0);
        } else if (id == kLatest) {
            // Reaching the table with the keyboard chooses a row, so that Enter has one to open.
            EXPECT_EQ(d.selectedTableRow(id_), -1);
            SetFocus(GetDlgItem(window, id_));
            EXPECT_GE(d.selectedTableRow(id_), 0);
            d.end(platform::kIdCancel);
        }
    }

  private:
    static constexpr int kLater = 900;
    static constexpr int kLatest = 901;
    int id_;
};

TEST(Win32Table, SortedRowsKeepTheOrderTheyWereAddedIn) {
    ASSERT_TRUE(platform::initialize(*new int(0), nullptr, {moduleImages(), "Quorvel.HLP"}));
    for (const DialogTemplate& dialog : allDialogTemplates()) {
        if (const platform::ControlTemplate* table = sortableTable(dialog)) {
            Sorter sorter(table->id);
            EXPECT_EQ(platform::runModalDialog(dialog, nullptr, sorter), platform::kIdCancel);
            return;
        }
    }
    FAIL() << "no template has a sortable table";
}

// 200 persons, many of one age or one birthday: each heading click orders them as the Qt table
// does, a stable sort of the rows as they stood, ages and dates by their numbers.
class PersonSorter final : public platform::DialogHandler {
  public:
    explicit PersonSorter(int id) : id_(id) {}

    void init(platform::DialogHandle& d) override {
        HWND window = platform::win32::hwndOf(d.window());
        HWND table = GetDlgItem(window, id_);
        static constexpr platform::TableColumn kColumns[] = {
            {"name", 40}, {"age", 20}, {"born", 40}};
        d.setTableColumns(id_, kColumns);
        struct Person {
            std::string name, age, born;
            int years;
            std::array<int, 3> date;
        };
        std::vector<Person> people;
        for (int i = 0; i < 200; ++i) {
            const int year = 1930 + (i * 37) % 80;
            const int month = 1 + (i * 7) % 12;
            const int day = 1 + (i * 13) % 28 % (i % 3 == 0 ? 2 : 28);
            people.push_back(
                {"p" + std::to_string(i),
                 std::to_string(2026 - year),
                 std::to_string(year) + "/" + std::to_string(month) + "/" + std::to_string(day),
                 2026 - year,
                 {year, month, day}});
            const std::array<std::string_view, 3> row{people.back().name, people.back().age,
                                                      people.back().born};
            d.addTableRow(id_, row);
        }
        std::vector<int> expected(people.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            expected[i] = static_cast<int>(i);
        }
        const auto of = [&people](int i) -> const Person& {
            return people[static_cast<std::size_t>(i)];
        };
        const auto byAge = [&](int a, int b) { return of(a).years < of(b).years; };
        const auto byDate = [&](int a, int b) { return of(a).date < of(b).date; };
        const std::function<bool(int, int)> clicks[] = {
            byAge, [&](int a, int b) { return byAge(b, a); }, byDate,
            [&](int a, int b) { return byDate(b, a); }};
        const int columns[] = {1, 1, 2, 2};
        for (int click = 0; click < 4; ++click) {
            clickHeading(window, table, id_, columns[click]);
            std::stable_sort(expected.begin(), expected.end(), clicks[click]);
            for (int shown = 0; shown < static_cast<int>(expected.size()); ++shown) {
                // The row a person chooses there is the handler's row of that person (a list
                // view of owner data keeps no item parameter to ask).
                ListView_SetItemState(table, shown, LVIS_SELECTED, LVIS_SELECTED);
                const int chosen = d.selectedTableRow(id_);
                ListView_SetItemState(table, shown, 0, LVIS_SELECTED);
                if (chosen != expected[static_cast<std::size_t>(shown)]) {
                    ADD_FAILURE() << "click " << click << ", row " << shown << ": " << chosen;
                    d.end(platform::kIdCancel);  // a failure ends the dialog, never hangs
                    return;
                }
                wchar_t text[16] = {};
                LVITEMW cell{};
                cell.pszText = text;
                cell.cchTextMax = 16;
                SendMessageW(table, LVM_GETITEMTEXTW, static_cast<WPARAM>(shown),
                             reinterpret_cast<LPARAM>(&cell));
                EXPECT_EQ(platform::win32::narrow(text),
                          of(expected[static_cast<std::size_t>(shown)]).name);
            }
        }
        d.end(platform::kIdCancel);
    }

    void command(platform::DialogHandle&, int) override {}

  private:
    int id_;
};

TEST(Win32Table, TwoHundredPersonsSortByAgeAndBirthAsTheQtTable) {
    ASSERT_TRUE(platform::initialize(*new int(0), nullptr, {moduleImages(), "Quorvel.HLP"}));
    for (const DialogTemplate& dialog : allDialogTemplates()) {
        if (const platform::ControlTemplate* table = sortableTable(dialog)) {
            PersonSorter sorter(table->id);
            EXPECT_EQ(platform::runModalDialog(dialog, nullptr, sorter), platform::kIdCancel);
            return;
        }
    }
    FAIL() << "no template has a sortable table";
}

}  // namespace
}  // namespace quorvel::test
