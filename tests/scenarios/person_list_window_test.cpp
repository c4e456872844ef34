// The person list (人物一覧) from the ファイル menu: every person of DATA.CSV, the lines skipped,
// a search, a yearly review, a person opened as the data file dialog opens one, and a report.
#include <string>
#include <vector>

#include "resources/command_ids.h"
#include "tests/scenarios/scenario.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using platform::script::EventKind;
using platform::script::eventsOf;
using platform::script::openDialogs;
using platform::script::ScriptedDialog;
using test::sjis;

constexpr int kSearchField = 111;
constexpr int kYearField = 113;
constexpr int kTable = 120;
constexpr int kStatus = 121;
constexpr int kSearch = 1201;
constexpr int kReview = 1202;
constexpr int kReport = 1203;

class PersonListWindow : public test::Scenario {
  protected:
    void SetUp() override {
        Scenario::SetUp();
        // Thirteen persons, so more than the data file dialog's ten, and two lines to skip.
        std::string text = "山田太郎,1,0,1990,5,20,10,\n途中,1,0\n両,1,1,1990,5,20,10,\n";
        for (int i = 0; i < 9; ++i) {
            text += "人" + std::to_string(i) + ",0,1,2000,1," + std::to_string(3 + i) + ",12,\n";
        }
        text += "x\n花子,0,1,2000,1,19,12,\nｙａｍａｄａ,1,0,1965,3,15,10,\n";
        writeFile(folder() / "DATA.CSV", sjis(text));
    }

    ScriptedDialog& openList() {
        command(kCommandPersonList);
        ScriptedDialog* last = openDialogs().back();
        EXPECT_EQ(last->dialogTemplate().name, "JINBUTSU");
        return *last;
    }

    static std::vector<std::string> column(ScriptedDialog& list, std::size_t c) {
        std::vector<std::string> cells;
        for (const auto& row : list.tableRows(kTable)) {
            cells.push_back(c < row.size() ? row[c] : "");
        }
        return cells;
    }

    std::vector<std::string> messages() {
        std::vector<std::string> texts;
        for (const auto& e : eventsOf(EventKind::MessageBox)) {
            texts.push_back(e.text);
        }
        return texts;
    }
};

TEST_F(PersonListWindow, EveryPersonTheSkippedLinesASearchAndAPersonOpened) {
    ScriptedDialog& list = openList();
    ASSERT_EQ(list.tableRows(kTable).size(), 13u);
    EXPECT_EQ(column(list, 1).front(), "1");  // its line
    EXPECT_EQ(column(list, 1).back(), "15");
    EXPECT_EQ(column(list, 2)[12], sjis("ｙａｍａｄａ"));
    EXPECT_EQ(column(list, 3)[1], "");  // 両: no sex
    EXPECT_EQ(list.text(kStatus), sjis("13人を表示 / 13人　人物として読めない行2行: 2 13"));

    // By part of a name, without regard to width or case; by a year.
    list.type(kSearchField, "YAMA");
    list.click(kSearch);
    EXPECT_EQ(column(list, 0), (std::vector<std::string>{"13"}));
    list.type(kSearchField, sjis("２０００"));
    list.click(kSearch);
    EXPECT_EQ(list.tableRows(kTable).size(), 10u);

    // The twelfth person, out of the dialog's reach, opened by a double click.
    list.chooseRow(kTable, 9);
    ScriptedDialog* panel = openDialogs().back();
    ASSERT_EQ(panel->dialogTemplate().name, "PANELDLG");
    EXPECT_EQ(std::string(state().person.name), sjis("花子"));
    EXPECT_EQ(state().person.day, 19);
    EXPECT_FALSE(list.ended());
    // The panel's context menu writes that person's report and hands it to the browser.
    ASSERT_TRUE(panel->chooseFromContextMenu(kCommandReport));
    EXPECT_NE(readFile(folder() / u8"花子鑑定書.html").find("<dd id=\"name\">花子</dd>"),
              std::string::npos);
    ASSERT_EQ(eventsOf(EventKind::DocumentOpened).size(), 1u);
    EXPECT_EQ(eventsOf(EventKind::DocumentOpened)[0].text, "花子鑑定書.html");

    // A person the chart cannot take is refused, and so is no choice at all.
    list.type(kSearchField, "");
    list.click(kSearch);
    list.selectRow(kTable, 1);
    list.click(platform::kIdOk);
    list.type(kSearchField, sjis("佐藤"));
    list.click(kSearch);
    list.click(platform::kIdOk);
    EXPECT_EQ(messages(), (std::vector<std::string>{sjis("データが誤っています"),
                                                    sjis("データが選択されていません")}));
}

TEST_F(PersonListWindow, TheReviewPutsTheWarnedFirstAndAReportIsWritten) {
    ScriptedDialog& list = openList();
    list.type(kYearField, "1800");
    list.click(kReview);
    list.type(kYearField, sjis("２０２６"));
    list.click(kReview);
    // In 2026 (丙午) 人0 (庚申) and 人3 (癸亥) meet a ●, 人4 (甲子) a ● and the clash ★★, 花子
    // (丙子) the clash alone: they come first, in file order; 両, without a sex, cannot be judged.
    const std::vector<std::string> names = column(list, 2);
    ASSERT_EQ(names.size(), 13u);
    EXPECT_EQ((std::vector<std::string>(names.begin(), names.begin() + 5)),
              (std::vector<std::string>{sjis("人0"), sjis("人3"), sjis("人4"), sjis("花子"),
                                        sjis("山田太郎")}));
    EXPECT_EQ(column(list, 0)[3], sjis("注"));
    EXPECT_EQ(column(list, 0)[4], "");
    EXPECT_EQ(names.back(), sjis("両"));
    list.pressF1();  // the help about the review, not about the list
    EXPECT_EQ(eventsOf(EventKind::HelpRequested).back().text, sjis("年運一覧"));
    EXPECT_EQ(column(list, 4).back(), sjis("判断できません"));

    list.selectRow(kTable, 3);
    list.click(kReport);
    const std::string html = readFile(folder() / u8"花子鑑定書.html");
    EXPECT_TRUE(html.starts_with("<!DOCTYPE html>"));
    EXPECT_NE(html.find("<dd id=\"name\">花子</dd>"), std::string::npos);
    EXPECT_EQ(messages(), (std::vector<std::string>{sjis("年を1901から2100の数字で入れて下さい")}));
    const auto opened = eventsOf(EventKind::DocumentOpened);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].text, "花子鑑定書.html");  // in the browser, from the working folder
}

}  // namespace
}  // namespace quorvel
