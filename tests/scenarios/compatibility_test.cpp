// 相性 on the desktop: a person chosen in the person list (or a chart panel's), the other in the
// choice that follows, the window of the two, and its output file.
#include <ctime>
#include <string>
#include <vector>

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
using test::utf8;

constexpr int kSearchField = 111;
constexpr int kTable = 120;
constexpr int kSearch = 1201;
constexpr int kCompatibilityButton = 1204;
// The 相性 window.
constexpr int kFirstLabel = 111;
constexpr int kSecondLabel = 112;
constexpr int kChartTable = 120;
constexpr int kYearTable = 121;
constexpr int kFindings = 122;
constexpr int kOutput = 1205;

int thisYear() {
    const std::time_t now = std::time(nullptr);
    return std::localtime(&now)->tm_year + 1900;
}

class Compatibility : public test::Scenario {
  protected:
    void SetUp() override {
        Scenario::SetUp();
        writeFile(folder() / "DATA.CSV", sjis("山田太郎,1,0,1990,5,20,10,\n両,1,1,1990,5,20,10,\n"
                                              "山田花子,0,1,1992,3,1,8,\n"));
    }

    ScriptedDialog& openList() {
        command(kCommandPersonList);
        return *openDialogs().back();
    }

    // The other person, found by a search and chosen by a double click.
    static void chooseHanako() {
        whenDialogOpens("AITE", [](ScriptedDialog& d) {
            d.type(kSearchField, sjis("花子"));
            d.click(kSearch);
            d.chooseRow(kTable, 0);
        });
    }

    static std::vector<std::string> column(const ScriptedDialog& d, int table, std::size_t c) {
        std::vector<std::string> cells;
        for (const auto& row : d.tableRows(table)) {
            cells.push_back(c < row.size() ? row[c] : "");
        }
        return cells;
    }
};

TEST_F(Compatibility, FromThePersonListToTheWrittenFile) {
    ScriptedDialog& list = openList();
    list.selectRow(kTable, 0);
    chooseHanako();
    list.click(kCompatibilityButton);
    ScriptedDialog& window = *openDialogs().back();
    ASSERT_EQ(window.dialogTemplate().name, "AISHOU");
    EXPECT_EQ(window.owner(), state().mainWindow);

    EXPECT_EQ(window.text(kFirstLabel).rfind(sjis("山田太郎"), 0), 0u);
    EXPECT_EQ(window.text(kSecondLabel).rfind(sjis("山田花子"), 0), 0u);
    // The charts side by side: 年柱 ... 時柱, 空亡, 五行.
    EXPECT_EQ(window.tableHeadings(kChartTable),
              (std::vector<std::string>{"", sjis("山田太郎"), sjis("山田花子")}));
    EXPECT_EQ(column(window, kChartTable, 1),
              (std::vector<std::string>{sjis("庚午"), sjis("辛巳"), sjis("乙酉"), sjis("辛巳"),
                                        sjis("午未"), sjis("木1火3土0金4水0")}));
    EXPECT_EQ(column(window, kChartTable, 2)[2], sjis("丙子"));
    // This year and the ten after it, each naming whom it threatens.
    const std::vector<std::string> years = column(window, kYearTable, 0);
    ASSERT_EQ(years.size(), 11u);
    for (std::size_t i = 0; i < years.size(); ++i) {
        EXPECT_EQ(years[i], std::to_string(thisYear() + static_cast<int>(i)));
    }
    for (const std::string& threat : column(window, kYearTable, 4)) {
        EXPECT_TRUE(threat == sjis("―") || threat == sjis("山田太郎") ||
                    threat == sjis("山田花子") || threat == sjis("二人とも"))
            << utf8(threat);
    }
    const std::string findings = window.text(kFindings);
    EXPECT_EQ(findings.rfind(sjis("【日干】\r\n"), 0), 0u);
    EXPECT_NE(findings.find(sjis("山田太郎の日支「酉」は、山田花子の空亡(申酉)にあたります。")),
              std::string::npos);
    EXPECT_NE(findings.find(sjis("【まとめ】\r\n")), std::string::npos);

    // Declined, nothing is written; accepted, the whole of it in Shift-JIS with CR LF.
    const auto file = folder() / utf8Path("山田太郎・山田花子相性.TXT");
    window.click(kOutput);
    EXPECT_FALSE(std::filesystem::exists(file));
    answerMessageBoxes({MessageAnswer::Yes});
    window.click(kOutput);
    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, sjis("｢相性｣をファイルに出力しますか？"));
    EXPECT_EQ(boxes[1].caption, sjis("TXTファイルに出力"));
    const std::string written = readFile(file);
    EXPECT_EQ(written.rfind(sjis("相性  山田太郎・山田花子\r\n"), 0), 0u);
    EXPECT_NE(written.find(sjis("年柱     庚午") + "                " + sjis("壬申\r\n")),
              std::string::npos);
    EXPECT_NE(written.find(findings.substr(0, findings.find(sjis("【まとめ】")))),
              std::string::npos);
    EXPECT_NE(written.find(sjis("【年運】\r\n")), std::string::npos);
    for (std::size_t at = 0; (at = written.find('\n', at)) != std::string::npos; ++at) {
        ASSERT_EQ(written[at - 1], '\r') << at;
    }
    EXPECT_EQ(sjis(utf8(written)), written);
    EXPECT_FALSE(window.ended());
    window.pressEscape();
    EXPECT_TRUE(window.ended());
}

TEST_F(Compatibility, FromAChartPanelsMenuWithThePanelsPersonFirst) {
    ScriptedDialog& list = openList();
    list.chooseRow(kTable, 2);  // 山田花子's panel
    ScriptedDialog& panel = *openDialogs().back();
    ASSERT_EQ(panel.dialogTemplate().name, "PANELDLG");

    // Cancelled, or with nobody chosen, the choice opens nothing.
    whenDialogOpens("AITE", [](ScriptedDialog& d) { d.pressEscape(); });
    ASSERT_TRUE(panel.chooseFromContextMenu(kCommandCompatibility));
    whenDialogOpens("AITE", [](ScriptedDialog& d) {
        d.click(platform::kIdOk);
        d.selectRow(kTable, 1);  // 両: no sex, no chart
        d.click(platform::kIdOk);
        d.selectRow(kTable, 0);
        d.click(platform::kIdOk);
    });
    ASSERT_TRUE(panel.chooseFromContextMenu(kCommandCompatibility));
    std::vector<std::string> told;
    for (const auto& e : eventsOf(EventKind::MessageBox)) {
        told.push_back(e.text);
    }
    EXPECT_EQ(told, (std::vector<std::string>{sjis("データが選択されていません"),
                                              sjis("データが誤っています")}));
    ScriptedDialog& window = *openDialogs().back();
    ASSERT_EQ(window.dialogTemplate().name, "AISHOU");
    EXPECT_EQ(window.tableHeadings(kChartTable),
              (std::vector<std::string>{"", sjis("山田花子"), sjis("山田太郎")}));
    answerMessageBoxes({MessageAnswer::Yes});
    window.click(kOutput);
    EXPECT_TRUE(std::filesystem::exists(folder() / utf8Path("山田花子・山田太郎相性.TXT")));
}

}  // namespace
}  // namespace quorvel
