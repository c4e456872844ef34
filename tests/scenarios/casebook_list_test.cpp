// The person list as the casebook: a person corrected, a note written, two judgements made; after
// a restart the list shows the corrected person with its note and both history entries, and an
// entry's text is shown again.
#include <memory>
#include <string>
#include <vector>

#include "app/shell.h"
#include "resources/command_ids.h"
#include "tests/scenarios/scenario.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using platform::MessageAnswer;
using platform::script::answerMessageBoxes;
using platform::script::openDialogs;
using platform::script::ScriptedDialog;
using platform::script::whenDialogOpens;
using test::sjis;

constexpr int kTable = 120;
constexpr int kStatus = 121;
constexpr int kSearchField = 111;
constexpr int kSearch = 1201;
constexpr int kMenuCasebook = 1210;
constexpr int kMenuCorrect = 1211;
constexpr int kMenuHide = 1212;
constexpr int kMenuErase = 1214;
constexpr int kMenuShowSuperseded = 1215;
constexpr int kMenuShowHidden = 1216;

class CasebookList : public test::Scenario {
  protected:
    void SetUp() override {
        Scenario::SetUp();
        writeFile(folder() / "DATA.CSV",
                  sjis("山田太郎,1,0,1990,5,20,10,\n花子,0,1,2000,1,19,12,\n"));
    }

    ScriptedDialog& openList() {
        command(kCommandPersonList);
        return *openDialogs().back();
    }

    static std::vector<std::string> column(ScriptedDialog& list, std::size_t c) {
        std::vector<std::string> cells;
        for (const auto& row : list.tableRows(kTable)) {
            cells.push_back(row.at(c));
        }
        return cells;
    }

    // 山田太郎 corrected to the 21st, with a note, then judged twice from the chart panel.
    void correctNoteAndJudge() {
        ScriptedDialog& list = openList();
        list.selectRow(kTable, 0);
        whenDialogOpens("BIRTHDLG", [](ScriptedDialog& d) {
            EXPECT_EQ(d.text(108), sjis("山田太郎"));
            d.type(1053, "21");
            d.click(platform::kIdOk);
        });
        ASSERT_TRUE(list.chooseFromContextMenu(kMenuCorrect));
        // Told as done, not as an error.
        EXPECT_EQ(
            platform::script::eventsOf(platform::script::EventKind::MessageBox).back().caption,
            sjis("訂正"));
        EXPECT_EQ(column(list, 0), (std::vector<std::string>{"2", "3"}));
        EXPECT_NE(list.text(kStatus).find(sjis("訂正前の行1行")), std::string::npos);

        list.selectRow(kTable, 1);
        whenDialogOpens("KARUTE", [](ScriptedDialog& d) {
            d.type(101, sjis("転職の相談。来春また"));
            d.click(1301);
            d.click(platform::kIdCancel);
        });
        ASSERT_TRUE(list.chooseFromContextMenu(kMenuCasebook));
        EXPECT_EQ(platform::script::eventsOf(platform::script::EventKind::MessageBox).back().caption,
                  sjis("メモ"));
        EXPECT_EQ(column(list, 2), (std::vector<std::string>{sjis("花子"), sjis("＊山田太郎")}));

        list.selectRow(kTable, 1);
        list.click(platform::kIdOk);  // the chart panel of the corrected person
        ScriptedDialog& panel = *openDialogs().back();
        for (const int luck : {1029, 1030}) {
            whenDialogOpens("HANDAN", [](ScriptedDialog& d) { d.click(platform::kIdOk); });
            panel.click(1023);
            panel.click(luck);
            panel.click(platform::kIdOk);
            judgements_.insert(judgements_.begin(), state().judgementBuffer);
        }
    }

    std::vector<std::string> judgements_;  // newest first
};

TEST_F(CasebookList, ACorrectedNotedJudgedPersonAfterARestart) {
    correctNoteAndJudge();
    platform::script::reset();
    auto fresh = std::make_unique<ConsultationState>();
    char name[] = "quorvel";
    char* argv[] = {name, nullptr};
    ASSERT_EQ(runApplication(*fresh, 1, argv), 0);

    ScriptedDialog& list = openList();
    EXPECT_EQ(column(list, 2), (std::vector<std::string>{sjis("花子"), sjis("＊山田太郎")}));
    EXPECT_EQ(column(list, 4)[1], "1990/5/21");
    EXPECT_EQ(column(list, 8)[1].size(), 10u);  // YYYY-MM-DD

    // The note is searched with the name.
    list.type(kSearchField, sjis("転職"));
    list.click(kSearch);
    EXPECT_EQ(column(list, 0), (std::vector<std::string>{"3"}));

    std::vector<std::string> kinds;
    std::string note, shown;
    whenDialogOpens("KARUTE", [&](ScriptedDialog& d) {
        note = d.text(101);
        for (const auto& row : d.tableRows(kTable)) {
            kinds.push_back(row.at(1) + "|" + row.at(2));
        }
        whenDialogOpens("HANDAN", [&](ScriptedDialog& r) {
            shown = r.text(101);
            r.click(platform::kIdOk);
        });
        d.selectRow(kTable, 1);
        d.click(platform::kIdOk);
        d.click(platform::kIdCancel);
    });
    list.selectRow(kTable, 0);
    ASSERT_TRUE(list.chooseFromContextMenu(kMenuCasebook));
    EXPECT_EQ(note, sjis("転職の相談。来春また"));
    ASSERT_EQ(kinds.size(), 2u);
    EXPECT_EQ(kinds[0], sjis("運勢判断|大運 丁亥"));
    EXPECT_EQ(kinds[1], sjis("運勢判断|大運 丙戌"));
    EXPECT_EQ(shown, judgements_[1]);
}

TEST_F(CasebookList, TheChartPanelsMenuCorrectsItsPerson) {
    ScriptedDialog& list = openList();
    list.selectRow(kTable, 0);
    list.click(platform::kIdOk);
    ScriptedDialog& panel = *openDialogs().back();
    whenDialogOpens("BIRTHDLG", [](ScriptedDialog& d) {
        d.type(1053, "22");
        d.click(platform::kIdOk);
    });
    ASSERT_TRUE(panel.chooseFromContextMenu(kCommandCorrect));
    ScriptedDialog& again = openList();  // read afresh
    EXPECT_EQ(column(again, 0), (std::vector<std::string>{"2", "3"}));
    EXPECT_EQ(column(again, 4)[1], "1990/5/22");
}

// Hidden and superseded persons leave the list until asked for; 消去 only after a Yes.
TEST_F(CasebookList, FiltersHidingAndErasing) {
    correctNoteAndJudge();
    ScriptedDialog& list = *openDialogs().front();
    for (const auto& [menu, answer, rows, mark] : {
             std::tuple{kMenuShowSuperseded, MessageAnswer::Yes, "1 2 3", std::string()},
             std::tuple{kMenuShowSuperseded, MessageAnswer::Yes, "2 3", std::string()},
             std::tuple{kMenuHide, MessageAnswer::Yes, "2", std::string()},
             std::tuple{kMenuShowHidden, MessageAnswer::Yes, "2 3", sjis("＊")},
             std::tuple{kMenuErase, MessageAnswer::No, "2 3", sjis("＊")},
             std::tuple{kMenuErase, MessageAnswer::Yes, "2 3", std::string()},
         }) {
        list.selectRow(kTable, 1);
        if (menu == kMenuErase) {
            answerMessageBoxes({answer});
        }
        ASSERT_TRUE(list.chooseFromContextMenu(menu));
        std::string numbers;
        for (const std::string& n : column(list, 0)) {
            numbers += (numbers.empty() ? "" : " ") + n;
        }
        EXPECT_EQ(numbers, rows) << menu;
        if (list.tableRows(kTable).size() > 1 && menu != kMenuShowSuperseded) {
            EXPECT_EQ(column(list, 2)[1], mark + sjis("山田太郎")) << menu;
        }
    }
}

}  // namespace
}  // namespace quorvel
