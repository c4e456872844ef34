#include <string>
#include <tuple>
#include <vector>

#include "common/fixed_text.h"
#include "consultation/consultation.h"
#include "dialogs/chart_panel.h"
#include "dialogs/result_dialog.h"
#include "records/record_file.h"
#include "resources/command_ids.h"
#include "store/quorvel_store.h"
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

class History : public test::Scenario {
  protected:
    ScriptedDialog& openPanel() {
        copyText(state().person.name, sjis("太郎"));
        state().person.sex = Sex::Male;
        state().person.year = 1965;
        state().person.month = 3;
        state().person.day = 15;
        state().person.hour = 10;
        EXPECT_TRUE(computeChart(state(), 1965, 3, 15, 10));
        openChartPanel(state());
        return *openDialogs().back();
    }
    std::vector<HistoryEntry> kept() {
        char line[kRecordLineSize];
        formatRecordLine(state().person, line);
        return QuorvelStore::open({}).history(fieldText(line));
    }
};

// Each consultation is kept with its kind, period, file and text; a later run reads them back
// newest first, and a past entry is shown again as it was.
TEST_F(History, EveryConsultationOfThePanelIsKeptWithItsPeriodAndText) {
    ScriptedDialog& panel = openPanel();
    whenDialogOpens("HANDAN", [](ScriptedDialog& d) {
        d.click(1067);  // ファイル出力
        d.click(platform::kIdOk);
    });
    answerMessageBoxes({MessageAnswer::Yes});
    panel.click(1023);
    panel.click(1029);  // the luck pillar 甲戌
    panel.click(platform::kIdOk);
    const std::string judgement = state().judgementBuffer;

    whenDialogOpens("HANDAN", [](ScriptedDialog& d) { d.click(platform::kIdOk); });
    panel.type(102, sjis("甲子"));
    panel.click(platform::kIdOk);

    const std::vector<HistoryEntry> entries = kept();
    ASSERT_EQ(entries.size(), 3u);
    // The same second orders by adding: the newest is the last judgement.
    const std::tuple<HistoryKind, std::string, std::string> expected[] = {
        {HistoryKind::Judgement, "", state().judgementBuffer},
        {HistoryKind::OutputFile, "太郎本人配偶者甲戌運.TXT", judgement},
        {HistoryKind::Judgement, "", judgement},
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& [kind, file, text] = expected[i];
        EXPECT_EQ(entries[i].kind, kind) << i;
        EXPECT_EQ(entries[i].file, file) << i;
        EXPECT_EQ(entries[i].text, text) << i;
        EXPECT_EQ(entries[i].period.source, PeriodSource::Luck) << i;
        EXPECT_EQ(entries[i].when.size(), 19u) << i;
    }
    EXPECT_EQ(entries[0].period.pillar, sjis("甲子"));
    EXPECT_EQ(entries[2].period.pillar, sjis("甲戌"));

    std::string shown;
    bool offered = true;
    whenDialogOpens("HANDAN", [&](ScriptedDialog& d) {
        shown = d.text(101);
        offered = d.isEnabled(1067);
        d.click(platform::kIdOk);
    });
    showPastResult(state(), state().mainWindow, entries[2].text);
    EXPECT_EQ(shown, judgement);
    EXPECT_FALSE(offered);
    EXPECT_EQ(kept().size(), 3u);  // showing again keeps nothing
}

TEST_F(History, PillarsTypedWithoutAPersonKeepNothing) {
    state().person = {};
    rememberConsultation(state(), state().person, ConsultationKind::Judgement, "x");
    EXPECT_FALSE(std::filesystem::exists(folder() / "QUORVEL.DB"));
}

}  // namespace
}  // namespace quorvel
