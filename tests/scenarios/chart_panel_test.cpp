#include <string>

#include "common/fixed_text.h"
#include "consultation/consultation.h"
#include "dialogs/chart_panel.h"
#include "resources/command_ids.h"
#include "tests/scenarios/scenario.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using platform::MessageAnswer;
using platform::WindowHandle;
using platform::script::answerMessageBoxes;
using platform::script::EventKind;
using platform::script::eventsOf;
using platform::script::openDialogs;
using platform::script::ScriptedDialog;
using platform::script::whenDialogOpens;
using test::sjis;

constexpr int kBase = 101;
constexpr int kRunning = 102;

class ChartPanel : public test::Scenario {
  protected:
    // Born 1965-03-15 at 10: 乙巳 己卯 戊辰 丁巳; for a man the luck runs back from 戊寅 at 3.
    ScriptedDialog& openPanel(std::string_view name = "太郎", Sex sex = Sex::Male) {
        copyText(state().person.name, sjis(name));
        state().person.sex = Sex::Male;
        EXPECT_TRUE(computeChart(state(), 1965, 3, 15, 10));
        state().person.sex = sex;
        openChartPanel(state());
        return *openDialogs().back();
    }
};

TEST_F(ChartPanel, OpensWithThePersonAndTheWholeChart) {
    ScriptedDialog& panel = openPanel();
    EXPECT_EQ(panel.text(110), sjis("太郎"));
    std::string pillars, ages;
    for (int id = 1021; id <= 1034; ++id) {
        pillars += panel.text(id);  // the chart, then the luck pillars
    }
    for (int id = 1039; id <= 1048; ++id) {
        ages += panel.text(id) + " ";
    }
    EXPECT_EQ(pillars, sjis("乙巳己卯戊辰丁巳戊寅丁丑丙子乙亥甲戌癸酉壬申辛未庚午己巳"));
    EXPECT_EQ(ages, "3 13 23 33 43 53 63 73 83 93 ");
    EXPECT_EQ(panel.text(65535), sjis("四柱"));
    EXPECT_EQ(panel.text(kBase) + panel.text(kRunning), "");

    // An unset sex draws nothing and keeps the earlier label.
    for (const auto& [sex, label, picture] :
         {std::tuple{Sex::Male, "男", "OTICO15 296 15"},
          std::tuple{Sex::Female, "女", "ONICO15 296 15"}, std::tuple{Sex::Unset, "女", ""}}) {
        ScriptedDialog& p = openPanel("花子", sex);
        EXPECT_EQ(p.text(111), sjis(label));
        EXPECT_STREQ(state().personSexText, sjis(label).c_str());
        std::string drawn;
        for (const auto& image : p.drawnImages()) {
            drawn += image.name + " " + std::to_string(image.x) + " " + std::to_string(image.y);
        }
        EXPECT_EQ(drawn, picture);
    }
}

TEST_F(ChartPanel, APillarButtonFillsItsFieldFromThePanelsOwnChart) {
    ScriptedDialog& panel = openPanel();
    for (const auto& [button, caption, pillar, relation] :
         {std::tuple{1023, "自分,配偶者", "戊辰", "本人配偶者"},
          std::tuple{1024, "子供", "丁巳", "子女"}, std::tuple{1021, "父母", "乙巳", "父母"},
          std::tuple{1022, "兄弟姉妹", "己卯", "兄弟姉妹"}}) {
        panel.click(button);
        EXPECT_EQ(panel.text(65535), sjis(caption));
        EXPECT_EQ(panel.text(kBase), sjis(pillar));
        EXPECT_STREQ(state().basePillarText, sjis(pillar).c_str());
        EXPECT_STREQ(state().relationLabel, sjis(relation).c_str());
    }
    panel.click(1029);
    EXPECT_EQ(panel.text(kRunning), sjis("甲戌"));
    EXPECT_STREQ(state().runningPillarText, sjis("甲戌").c_str());

    // Another person's chart computed since (1970-08-01 at 5: 癸丑, luck from 甲申) is not this
    // panel's.
    ASSERT_TRUE(computeChart(state(), 1970, 8, 1, 5));
    panel.click(1023);
    panel.click(1025);
    EXPECT_EQ(panel.text(kBase), sjis("戊辰"));
    EXPECT_EQ(panel.text(kRunning), sjis("戊寅"));
    EXPECT_TRUE(eventsOf(EventKind::MessageBox).empty());
}

TEST_F(ChartPanel, AJudgementLeavesThePanelOpenUntilCancel) {
    ScriptedDialog& panel = openPanel();
    std::string shown;
    WindowHandle owner = nullptr;
    const auto closeResult = [&] {
        whenDialogOpens("HANDAN", [&](ScriptedDialog& d) {
            shown = d.text(101);
            owner = d.owner();
            d.click(platform::kIdOk);
        });
    };
    closeResult();
    panel.click(1023);
    panel.click(1029);  // 甲戌 against 戊辰: the branches clash
    panel.click(platform::kIdOk);

    const std::string judgement = state().judgementBuffer;
    EXPECT_EQ(eventsOf(EventKind::Beep).size(), 1u);
    EXPECT_EQ(shown, judgement);
    EXPECT_EQ(owner, state().mainWindow);
    EXPECT_TRUE(judgement.ends_with(sjis("(人運)★★是非や争いが多い大運です。")));
    EXPECT_STREQ(state().outputFileName, sjis("太郎本人配偶者甲戌運.TXT").c_str());
    EXPECT_EQ(state().fortuneReady, 1);
    EXPECT_EQ(openDialogs().size(), 1u);

    answerMessageBoxes({MessageAnswer::Yes});
    command(kCommandOutput);
    EXPECT_EQ(eventsOf(EventKind::MessageBox).back().text,
              sjis("｢幸運の判断｣をファイルに出力しますか？"));
    EXPECT_EQ(readFile(folder() / u8"太郎本人配偶者甲戌運.TXT"), judgement);

    // A typed base keeps the relation last chosen.
    closeResult();
    panel.type(kBase, sjis("甲子"));
    panel.click(1025);
    panel.click(platform::kIdOk);
    EXPECT_EQ(eventsOf(EventKind::DialogOpened).size(), 3u);
    EXPECT_NE(state().judgementBuffer, judgement);
    EXPECT_EQ(shown, state().judgementBuffer);
    EXPECT_STREQ(state().outputFileName, sjis("太郎本人配偶者戊寅運.TXT").c_str());

    panel.click(platform::kIdCancel);
    EXPECT_TRUE(panel.ended());
    EXPECT_EQ(state().outputReady, 0);
    EXPECT_TRUE(openDialogs().empty());
}

TEST_F(ChartPanel, WithoutANameTheResultFileBeginsWithTheRelation) {
    ScriptedDialog& panel = openPanel("");
    whenDialogOpens("HANDAN", [](ScriptedDialog& d) {
        d.click(1067);
        d.click(platform::kIdOk);
    });
    answerMessageBoxes({MessageAnswer::Yes});
    panel.click(1021);
    panel.type(kRunning, sjis("甲子"));
    panel.click(platform::kIdOk);
    EXPECT_NE(state().judgementBuffer[0], '\0');
    EXPECT_EQ(readFile(folder() / u8"父母甲子運.TXT"), state().judgementBuffer);
}

TEST_F(ChartPanel, ARefusedEntryIsToldByThePanelAndChangesNothing) {
    for (const auto& [base, message] :
         {std::pair{"", "データエラー"},
          std::pair{"甲丑", "生日干支が間違っています。\n六十干支をもう一度確認して下さい。\n"}}) {
        ScriptedDialog& panel = openPanel();
        copyText(state().judgementBuffer, "earlier");
        copyText(state().outputFileName, "keep.TXT");
        if (*base != '\0') {
            panel.type(kBase, sjis(base));
            panel.click(1025);
        }
        panel.click(platform::kIdOk);
        const auto boxes = eventsOf(EventKind::MessageBox);
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.back().text, sjis(message));
        EXPECT_EQ(boxes.back().caption, sjis("エラー"));
        EXPECT_EQ(boxes.back().window, panel.window());
        EXPECT_STREQ(state().judgementBuffer, "earlier");
        EXPECT_STREQ(state().outputFileName, "keep.TXT");
        EXPECT_EQ(state().fortuneReady, 0);
        EXPECT_FALSE(panel.ended());
    }
    EXPECT_EQ(eventsOf(EventKind::MessageBox).size(), 2u);
    EXPECT_EQ(eventsOf(EventKind::DialogOpened).size(), 2u);  // the panels only
    EXPECT_TRUE(eventsOf(EventKind::Beep).empty());
}

}  // namespace
}  // namespace quorvel
