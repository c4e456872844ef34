// The 命式表 and 運勢暦 windows, reached from a chart panel's context menu and from the menu.
#include <algorithm>
#include <string>
#include <vector>

#include "common/fixed_text.h"
#include "consultation/consultation.h"
#include "dialogs/chart_panel.h"
#include "judgement/judgement.h"
#include "resources/command_ids.h"
#include "tests/scenarios/scenario.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using platform::MessageAnswer;
using platform::script::answerMessageBoxes;
using platform::script::EventKind;
using platform::script::eventsOf;
using platform::script::openDialogs;
using platform::script::ScriptedDialog;
using platform::script::whenDialogOpens;
using test::sjis;

constexpr int kTable = 120;
constexpr int kJudgeLuck = 1204;
constexpr int kMonths = 1201;
constexpr int kDays = 1202;
constexpr int kYears = 1203;

class ReadingWindows : public test::Scenario {
  protected:
    // 山田, a man born 1990-05-20 at 10: 庚午 辛巳 乙酉 辛巳, luck from 5 (壬午 ...).
    ScriptedDialog& openPanel(std::string_view name = "山田", int year = 1990) {
        copyText(state().person.name, sjis(name));
        state().person = {};
        copyText(state().person.name, sjis(name));
        state().person.sex = Sex::Male;
        state().person.year = year;
        state().person.month = 5;
        state().person.day = 20;
        state().person.hour = 10;
        EXPECT_TRUE(computeChart(state(), year, 5, 20, 10));
        openChartPanel(state());
        return *openDialogs().back();
    }

    static ScriptedDialog& newest(std::string_view name) {
        ScriptedDialog* last = openDialogs().back();
        EXPECT_EQ(last->dialogTemplate().name, name);
        return *last;
    }

    // The text the result dialog would show, composed on its own.
    static std::string judgementOf(const char* base, const char* running, PeriodFlags flags) {
        const auto b = *findPillar(sjis(base));
        const auto r = *findPillar(sjis(running));
        char buffer[kJudgementBufferSize];
        composeJudgement(buffer, {stemNumber(b), branchNumber(b), stemNumber(r), branchNumber(r)},
                         flags);
        return buffer;
    }

    std::vector<std::string> messages() {
        std::vector<std::string> texts;
        for (const auto& e : eventsOf(EventKind::MessageBox)) {
            texts.push_back(e.text);
        }
        return texts;
    }
};

TEST_F(ReadingWindows, FromAPanelToTheCalendarAYearItsJudgementAndItsFile) {
    ScriptedDialog& panel = openPanel();
    ASSERT_TRUE(panel.chooseFromContextMenu(kCommandFortuneCalendar));
    ScriptedDialog& calendar = newest("UNSEIREKI");
    EXPECT_EQ(calendar.text(110), sjis("山田  男  1990年5月20日10時生まれ"));
    const auto& rows = calendar.tableRows(kTable);
    ASSERT_EQ(rows.size(), 101u);
    const std::vector<std::string> headings = calendar.tableHeadings(kTable);
    ASSERT_EQ(headings.size(), 11u);
    EXPECT_EQ(headings[3], sjis("年柱"));
    // Year, age, pillar, the three parts' marks, the luck pillar and its marks.
    const auto cells = [&](std::size_t row) {
        std::string joined;
        for (std::size_t c = 1; c < rows[row].size(); ++c) {
            joined += rows[row][c] + "|";
        }
        return joined;
    };
    // The women's marriage line of 乙 with 庚 gives this man no ☆.
    EXPECT_EQ(cells(0), sjis("1990|0|庚午|●|〇||||||"));
    EXPECT_EQ(cells(5), sjis("1995|5|乙亥|▲|●★||壬午|△|〇||"));

    // 2024, 甲辰: judged as if typed against the day pillar, and written by the output button.
    std::string shown;
    whenDialogOpens("HANDAN", [&](ScriptedDialog& d) {
        shown = d.text(101);
        d.click(1067);
        d.pressEnter();
    });
    answerMessageBoxes({MessageAnswer::Yes});
    calendar.chooseRow(kTable, 34);
    const std::string expected = judgementOf("乙酉", "甲辰", {0, 1});
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(readFile(folder() / u8"山田甲辰運.TXT"), expected);
    EXPECT_EQ(eventsOf(EventKind::Beep).size(), 1u);
    // The main window's output button offers the same text under the same name.
    EXPECT_STREQ(state().outputFileName, sjis("山田甲辰運.TXT").c_str());
    EXPECT_EQ(state().fortuneReady, 1);
    EXPECT_EQ(state().judgementBuffer, expected);
    EXPECT_FALSE(calendar.ended());

    // The luck period of the same row, with the clash sentence of a luck period.
    whenDialogOpens("HANDAN", [&](ScriptedDialog& d) {
        shown = d.text(101);
        d.pressEnter();
    });
    calendar.click(kJudgeLuck);
    EXPECT_EQ(shown, judgementOf("乙酉", "甲申", {1, 0}));
    EXPECT_STREQ(state().outputFileName, sjis("山田甲申運.TXT").c_str());
}

TEST_F(ReadingWindows, MonthsAndDaysOfTheChosenPeriod) {
    ScriptedDialog& panel = openPanel();
    ASSERT_TRUE(panel.chooseFromContextMenu(kCommandFortuneCalendar));
    ScriptedDialog& calendar = newest("UNSEIREKI");
    calendar.click(kDays);  // no month listed yet
    calendar.selectRow(kTable, 34);
    calendar.click(kMonths);
    const auto& months = calendar.tableRows(kTable);
    ASSERT_EQ(months.size(), 12u);
    EXPECT_EQ(months[4][1] + months[4][2] + months[4][3], sjis("2024年5月立夏 5日10時己巳"));
    calendar.selectRow(kTable, 4);
    calendar.click(kDays);
    const auto& days = calendar.tableRows(kTable);
    ASSERT_EQ(days.size(), 31u);
    EXPECT_EQ(days[19][1] + days[19][2], sjis("2024年5月20日甲申"));
    EXPECT_EQ(days[19][6], sjis("甲申"));
    calendar.click(kYears);
    EXPECT_EQ(calendar.tableRows(kTable).size(), 101u);
    EXPECT_EQ(calendar.selectedTableRow(kTable), 34);

    // Nothing chosen, and no luck pillar yet in the year of birth.
    calendar.selectRow(kTable, -1);
    calendar.pressEnter();
    calendar.selectRow(kTable, 0);
    calendar.click(kJudgeLuck);
    EXPECT_EQ(messages(), (std::vector<std::string>{sjis("月の一覧から月を選んで下さい"),
                                                    sjis("表の行を選んで下さい"),
                                                    sjis("この年にはまだ大運が巡っていません")}));
    EXPECT_TRUE(eventsOf(EventKind::DialogOpened).back().name != "HANDAN");
    calendar.pressEscape();
    EXPECT_TRUE(calendar.ended());
}

// The calendar opens at this year; its months open at this month (◆), so that 日の一覧 shows the
// days of this month with today marked. (Before a month's term day, today belongs to the month
// before: its days hold no ◆ then, and the list opens at its first day.)
TEST_F(ReadingWindows, TheMonthsOfThisYearOpenAtThisMonth) {
    ScriptedDialog& panel = openPanel();
    ASSERT_TRUE(panel.chooseFromContextMenu(kCommandFortuneCalendar));
    ScriptedDialog& calendar = newest("UNSEIREKI");
    for (const int view : {kMonths, kDays}) {
        calendar.click(view);
        const auto& rows = calendar.tableRows(kTable);
        const auto marked = std::find_if(rows.begin(), rows.end(),
                                         [](const auto& row) { return row[0] == sjis("◆"); });
        EXPECT_EQ(calendar.selectedTableRow(kTable),
                  marked != rows.end() ? static_cast<int>(marked - rows.begin()) : 0)
            << "view " << view;
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(ReadingWindows, MonthsBeyondTheTablesAreRefused) {
    ScriptedDialog& panel = openPanel("未来", 2090);
    ASSERT_TRUE(panel.chooseFromContextMenu(kCommandFortuneCalendar));
    ScriptedDialog& calendar = newest("UNSEIREKI");
    calendar.selectRow(kTable, 11);  // 2101
    calendar.click(kMonths);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].substr(0, sjis("暦の範囲を確認して下さい").size()),
              sjis("暦の範囲を確認して下さい"));
    EXPECT_EQ(calendar.tableRows(kTable).size(), 101u);
}

TEST_F(ReadingWindows, TheFullChartOfThePanelsOwnPerson) {
    ScriptedDialog& panel = openPanel();
    // Another person becomes current; the panel still speaks for 山田.
    openPanel("別人", 1965);
    ASSERT_TRUE(panel.chooseFromContextMenu(kCommandFullChart));
    ScriptedDialog& chart = newest("MEISHIKI");
    EXPECT_EQ(chart.text(110), sjis("山田  男  1990年5月20日10時生まれ"));
    const std::vector<std::string> headings = chart.tableHeadings(kTable);
    EXPECT_EQ(headings, (std::vector<std::string>{"", sjis("時柱"), sjis("日柱"), sjis("月柱"),
                                                  sjis("年柱")}));
    std::string table;
    for (const auto& row : chart.tableRows(kTable)) {
        for (const std::string& cell : row) {
            table += cell + "|";
        }
        table += "\n";
    }
    EXPECT_EQ(table, sjis("天干|辛|乙|辛|庚|\n"
                          "通変星|革新(偏官)|本人|革新(偏官)|忍耐(正官)|\n"
                          "地支|巳|酉|巳|午(空亡)|\n"
                          // 14 days after 立夏: 巳 and 酉 past their 余気 and 中気, 午 in its 中気.
                          "蔵干|丙(本気)|辛(本気)|丙(本気)|己(中気)|\n"
                          "蔵干通変星|鋭敏(傷官)|革新(偏官)|鋭敏(傷官)|投資(偏財)|\n"
                          "十二運|沐浴|絶|沐浴|長生|\n"
                          "特殊星|||||\n"
                          "蔵干の内訳|戊5 庚9 丙16|庚10 辛20|戊5 庚9 丙16|丙10 己9 丁11|\n"));
    EXPECT_EQ(chart.text(121), sjis("空亡　午未　かかる柱：年柱"));
    EXPECT_EQ(chart.text(122), sjis("五行　木1 火3 土0 金4 水0"));
    EXPECT_EQ(chart.text(123), sjis("五行(蔵干を含む)　木1 火3 土3 金6 水0"));
    EXPECT_EQ(chart.text(124),
              sjis("節入り　立夏 1990年5月6日3時35分　／　芒種 1990年6月6日7時46分"));
    EXPECT_EQ(chart.text(129), sjis("節入りから14日6時間"));
    EXPECT_EQ(chart.text(128), sjis("立運　5歳8ヶ月　順行"));
    EXPECT_EQ(chart.text(130), sjis("蔵干の表　標準の月律分野表"));
    EXPECT_EQ(chart.text(125), "");
    // The luck pillars right to left: the first, from 5, at the right.
    const auto& luck = chart.tableRows(126);
    ASSERT_EQ(luck.size(), 3u);
    EXPECT_EQ(chart.tableHeadings(126).back(), sjis("5歳"));
    EXPECT_EQ(luck[0].back() + luck[1].back() + luck[2].back(), sjis("壬午学問長生"));
    EXPECT_EQ(luck[0][1], sjis("辛卯"));

    chart.click(1211);
    EXPECT_EQ(newest("UNSEIREKI").text(110), sjis("山田  男  1990年5月20日10時生まれ"));
    chart.pressF1();
    EXPECT_EQ(eventsOf(EventKind::HelpRequested).size(), 1u);
}

TEST_F(ReadingWindows, AChartWithoutAnHourHasThreeColumns) {
    openPanel();
    state().person.hour = kHourUnknown;
    command(kCommandFullChart);
    ScriptedDialog& chart = newest("MEISHIKI");
    EXPECT_EQ(chart.tableHeadings(kTable),
              (std::vector<std::string>{"", sjis("日柱"), sjis("月柱"), sjis("年柱")}));
    const auto& rows = chart.tableRows(kTable);
    ASSERT_EQ(rows.size(), 8u);
    for (const auto& row : rows) {
        EXPECT_EQ(row.size(), 4u) << row[0];
    }
    // Read at noon: 14 days 8 hours after 立夏.
    EXPECT_EQ(chart.text(129), sjis("節入りから14日8時間"));
    EXPECT_EQ(chart.text(128), sjis("立運　5歳8ヶ月　順行"));
}

TEST_F(ReadingWindows, TheMenuOpensThemForTheCurrentPersonOrSaysThereIsNone) {
    command(kCommandFullChart);
    command(kCommandFortuneCalendar);
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0],
              sjis("命式を出す人がいません。\n生年月日時を入力するか、データファイルから"
                   "人を選んで下さい。"));
    EXPECT_TRUE(openDialogs().empty());

    openPanel("別人", 1965);
    command(kCommandFullChart);
    EXPECT_EQ(newest("MEISHIKI").text(110), sjis("別人  男  1965年5月20日10時生まれ"));
    command(kCommandFortuneCalendar);
    EXPECT_EQ(newest("UNSEIREKI").tableRows(kTable).front()[1], "1965");
    // A panel offers nothing else on its context menu.
    EXPECT_FALSE(openDialogs().front()->chooseFromContextMenu(kCommandBirthData));
}

}  // namespace
}  // namespace quorvel
