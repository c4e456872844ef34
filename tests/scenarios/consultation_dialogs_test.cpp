#include <array>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "common/fixed_text.h"
#include "resources/command_ids.h"
#include "tests/scenarios/scenario.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using platform::MessageAnswer;
using platform::WindowHandle;
using platform::script::answerMessageBoxes;
using platform::script::Event;
using platform::script::EventKind;
using platform::script::events;
using platform::script::eventsOf;
using platform::script::ScriptedDialog;
using platform::script::whenDialogOpens;
using test::sjis;

using Flags = std::array<int, 5>;  // output, avoidance, fortune, hexagram, disclosure

Flags readyFlags(const ConsultationState& s) {
    return {s.outputReady, s.avoidanceReady, s.fortuneReady, s.hexagramReady, s.disclosureReady};
}

std::vector<Event> eventsSince(std::size_t from, EventKind kind) {
    std::vector<Event> out;
    for (std::size_t i = from; i < events().size(); ++i) {
        if (events()[i].kind == kind) {
            out.push_back(events()[i]);
        }
    }
    return out;
}

// The window of the last dialog of that template to open.
WindowHandle windowOf(std::string_view name) {
    WindowHandle found = nullptr;
    for (const Event& e : eventsOf(EventKind::DialogOpened)) {
        found = e.name == name ? e.window : found;
    }
    return found;
}

// Types both pillars, clicks `first` in order, then presses 実行.
std::function<void(ScriptedDialog&)> enter(std::string_view base, std::string_view running,
                                           std::vector<int> first = {}) {
    return [base = sjis(base), running = sjis(running), first](ScriptedDialog& d) {
        d.type(101, base);
        d.type(102, running);
        for (const int id : first) {
            d.click(id);
        }
        d.click(platform::kIdOk);
    };
}

// A box as the person saw it, and as the test expects it.
std::tuple<std::string, std::string, WindowHandle> seen(const Event& box) {
    return {box.text, box.caption, box.window};
}
std::tuple<std::string, std::string, WindowHandle> box(std::string_view text,
                                                       std::string_view caption,
                                                       WindowHandle owner) {
    return {sjis(text), sjis(caption), owner};
}

constexpr std::string_view kBadBase =
    "生日干支が間違っています。\n六十干支をもう一度確認して下さい。\n";
constexpr std::string_view kBadRunning =
    "行運干支が間違っています。\n六十干支をもう一度確認して下さい。\n";

using StemBranchDialog = test::Scenario;

TEST_F(StemBranchDialog, AJudgementClosesTheDialogThenShowsTheResultReadyForOutput) {
    copyText(state().person.name, sjis("太郎"));
    std::string fields = "?";
    whenDialogOpens("INPUTDLG", [&fields](ScriptedDialog& d) {
        fields = d.text(101) + d.text(102);
        enter("甲子", "丙午")(d);
    });
    std::string shown;
    WindowHandle owner = nullptr;
    whenDialogOpens("HANDAN", [&](ScriptedDialog& d) {
        shown = d.text(101);
        owner = d.owner();
        d.click(platform::kIdOk);
    });
    command(kCommandStemBranchInput);

    EXPECT_EQ(fields, "");
    std::vector<EventKind> kinds;
    for (const Event& e : events()) {
        kinds.push_back(e.kind);
    }
    using enum EventKind;
    EXPECT_EQ(kinds, (std::vector<EventKind>{DialogOpened, DialogEnded, Beep, DialogOpened,
                                             DialogEnded, ChildButtonCreated}));
    const std::string judgement = state().judgementBuffer;
    EXPECT_EQ(shown, judgement);
    EXPECT_EQ(owner, state().mainWindow);
    EXPECT_TRUE(judgement.starts_with(sjis("(天運)")));
    EXPECT_TRUE(judgement.ends_with(sjis("(人運)★★是非や争いが多い年(月/日)です。")));
    EXPECT_STREQ(state().outputFileName, sjis("太郎丙午運.TXT").c_str());
    EXPECT_EQ(readyFlags(state()), (Flags{1, 0, 1, 0, 0}));

    answerMessageBoxes({MessageAnswer::Yes});
    command(kCommandOutput);
    EXPECT_EQ(readFile(folder() / u8"太郎丙午運.TXT"), judgement);
}

TEST_F(StemBranchDialog, OpensWithThePillarsOfTheLastJudgementOfAnyKind) {
    // The first two are rejected: a trailing blank, then no dun chosen.
    for (const auto& [id, dialog, base, running] :
         {std::tuple{kCommandStemBranchInput, "INPUTDLG", "甲子", "丙午 "},
          std::tuple{kCommandHexagram, "HIDENDLG", "丙寅", "庚午"},
          std::tuple{kCommandAvoidance, "ZOUMEIDLG", "乙丑", "甲午"}}) {
        whenDialogOpens(dialog, enter(base, running));
        command(id);
        std::string shown[2];
        whenDialogOpens("INPUTDLG", [&shown](ScriptedDialog& d) {
            shown[0] = d.text(101);
            shown[1] = d.text(102);
            d.pressEscape();
        });
        command(kCommandStemBranchInput);
        EXPECT_EQ(shown[0], sjis(base)) << dialog;
        EXPECT_EQ(shown[1], sjis(running)) << dialog;
    }
}

TEST_F(StemBranchDialog, BothFieldsEmptyAreRefusedWhileTheDialogStaysOpen) {
    copyText(state().judgementBuffer, "earlier");
    copyText(state().outputFileName, "keep.TXT");
    state().hexagramReady = 1;
    whenDialogOpens("INPUTDLG", enter("", ""));
    command(kCommandStemBranchInput);

    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(seen(boxes[0]), box("データエラー", "エラー", windowOf("INPUTDLG")));
    EXPECT_EQ(eventsOf(EventKind::DialogLeftOpen).size(), 1u);
    EXPECT_STREQ(state().judgementBuffer, "");
    EXPECT_STREQ(state().outputFileName, "keep.TXT");
    EXPECT_EQ(readyFlags(state()), (Flags{0, 0, 0, 1, 0}));
}

TEST_F(StemBranchDialog, AMistypedRunningPillarLeavesNothingToWrite) {
    writeFile(folder() / u8"太郎丙午運.TXT", "earlier");
    copyText(state().person.name, sjis("太郎"));
    whenDialogOpens("INPUTDLG", enter("甲子", "丙午 "));
    command(kCommandStemBranchInput);

    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(seen(boxes[0]), box(kBadRunning, "エラー", state().mainWindow));
    EXPECT_EQ(eventsOf(EventKind::DialogOpened).size(), 1u);  // no result dialog
    EXPECT_TRUE(eventsOf(EventKind::Beep).empty());

    answerMessageBoxes({MessageAnswer::Yes});
    command(kCommandOutput);
    EXPECT_EQ(eventsOf(EventKind::MessageBox).size(), 1u);
    EXPECT_EQ(readFile(folder() / u8"太郎丙午運.TXT"), "earlier");
}

TEST_F(StemBranchDialog, CancelOrEscapeClosesEachPillarDialogWithoutAResult) {
    const struct {
        int command;
        const char* dialog;
        void (*act)(ScriptedDialog&);
    } cases[] = {
        {kCommandStemBranchInput, "INPUTDLG", [](ScriptedDialog& d) { d.click(2); }},
        {kCommandStemBranchInput, "INPUTDLG", [](ScriptedDialog& d) { d.pressEscape(); }},
        {kCommandHexagram, "HIDENDLG", [](ScriptedDialog& d) { d.click(2); }},
        {kCommandAvoidance, "ZOUMEIDLG", [](ScriptedDialog& d) { d.pressEscape(); }},
    };
    for (const auto& c : cases) {
        state().outputReady = 1;
        whenDialogOpens(c.dialog, [&c](ScriptedDialog& d) {
            d.pressF1();
            c.act(d);
        });
        command(c.command);
        EXPECT_EQ(eventsOf(EventKind::HelpRequested).back().window, windowOf(c.dialog));
        EXPECT_EQ(eventsOf(EventKind::DialogEnded).back().value, platform::kIdCancel);
        EXPECT_EQ(state().outputReady, 0) << c.dialog;
    }
    EXPECT_EQ(eventsOf(EventKind::HelpRequested).size(), 4u);
    EXPECT_TRUE(eventsOf(EventKind::ChildButtonCreated).empty());
}

class ResultDialog : public test::Scenario {
  protected:
    // 山田's judgement of 丙寅 for 甲子 through the stem-branch dialog, then `act` in HANDAN.
    void judgeThen(std::function<void(ScriptedDialog&)> act) {
        copyText(state().person.name, sjis("山田"));
        whenDialogOpens("INPUTDLG", enter("丙寅", "甲子"));
        whenDialogOpens("HANDAN", std::move(act));
        command(kCommandStemBranchInput);
    }
};

// Escape leaves the judgement on screen; only ＯＫ or Enter closes it.
// Typed pillars use no chart pillar: the relation last clicked on some panel never names the file.
TEST_F(ResultDialog, FileOutputAsksThenWritesOnlyOnYesWithoutARelation) {
    for (const auto& [relation, answer, file] :
         {std::tuple{"父母", MessageAnswer::No, "山田甲子運.TXT"},
          std::tuple{"", MessageAnswer::Yes, "山田甲子運.TXT"},
          std::tuple{"本人配偶者", MessageAnswer::Yes, "山田甲子運.TXT"}}) {
        copyText(state().relationLabel, sjis(relation));
        answerMessageBoxes({answer});
        bool open = false;
        const std::size_t from = events().size();
        judgeThen([&open](ScriptedDialog& d) {
            d.pressEscape();
            d.pressF1();
            d.click(1067);
            open = !d.ended();
            d.pressEnter();
        });
        EXPECT_TRUE(open);
        EXPECT_EQ(eventsSince(from, EventKind::DialogEnded).back().name, "HANDAN");
        EXPECT_EQ(eventsSince(from, EventKind::HelpRequested)[0].window, windowOf("HANDAN"));
        const auto boxes = eventsSince(from, EventKind::MessageBox);
        ASSERT_EQ(boxes.size(), 1u) << file;
        EXPECT_EQ(seen(boxes[0]), box("｢幸運の判断｣をファイルに出力しますか？", "TXTファイルに出力",
                                      state().mainWindow));
        EXPECT_EQ(boxes[0].buttons, platform::MessageButtons::YesNo);
        EXPECT_STREQ(state().outputFileName, sjis(file).c_str());
        if (answer == MessageAnswer::Yes) {
            EXPECT_EQ(readFile(folder() / utf8Path(file)), state().judgementBuffer);
        } else {
            EXPECT_FALSE(std::filesystem::exists(folder() / utf8Path(file)));
        }
    }
}

TEST_F(ResultDialog, AFailedWriteIsToldAndTheOldFileStays) {
    writeFile(folder() / u8"山田甲子運.TXT", "kept");
    using std::filesystem::perms;
    std::filesystem::permissions(folder() / u8"山田甲子運.TXT",
                                 perms::owner_read | perms::group_read | perms::others_read);
    answerMessageBoxes({MessageAnswer::Yes});
    judgeThen([](ScriptedDialog& d) {
        d.click(1067);
        d.click(platform::kIdOk);
    });
    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(seen(boxes[1]),
              box("ファイルに出力できませんでした", "TXTファイルに出力", state().mainWindow));
    EXPECT_EQ(readFile(folder() / u8"山田甲子運.TXT"), "kept");
}

using HexagramDialog = test::Scenario;

TEST_F(HexagramDialog, AReadingClosesTheDialogThenIsShownAndReadyForOutput) {
    copyText(state().person.name, sjis("太郎"));
    bool noChoiceChecked = false;
    whenDialogOpens("HIDENDLG", [&noChoiceChecked](ScriptedDialog& d) {
        noChoiceChecked = d.isChecked(107) && !d.isChecked(105) && !d.isChecked(106);
        enter("甲子", "乙丑")(d);
    });
    command(kCommandHexagram);

    EXPECT_TRUE(noChoiceChecked);
    EXPECT_EQ(eventsOf(EventKind::Beep).size(), 1u);
    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(seen(boxes[0]), std::tuple(std::string(state().hexagramBuffer), sjis("人運判断"),
                                         state().mainWindow));
    EXPECT_TRUE(boxes[0].text.starts_with(sjis("\n易卦：天沢履△\n")));
    EXPECT_STREQ(state().outputFileName, sjis("太郎乙丑運易卦.TXT").c_str());
    EXPECT_EQ(readyFlags(state()), (Flags{1, 0, 0, 1, 0}));
    EXPECT_EQ(eventsOf(EventKind::ChildButtonCreated).size(), 1u);

    answerMessageBoxes({MessageAnswer::Yes});
    command(kCommandOutput);
    EXPECT_EQ(readFile(folder() / u8"太郎乙丑運易卦.TXT"), boxes[0].text);
}

TEST_F(HexagramDialog, ABaseOfFiveReadsTheDunChoiceAsSeen) {
    // No reading: the choice is asked for.
    for (const auto& [clicks, reading] :
         {std::pair{std::vector{105}, "\n易卦：水風井"},
          std::pair{std::vector{106}, "\n易卦：水天需"}, std::pair{std::vector<int>{}, ""},
          std::pair{std::vector{105, 107}, ""}}) {
        const std::size_t from = events().size();
        whenDialogOpens("HIDENDLG", enter("丙寅", "庚午", clicks));
        command(kCommandHexagram);
        const auto boxes = eventsSince(from, EventKind::MessageBox);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(eventsSince(from, EventKind::Beep).size(), *reading ? 1u : 0u);
        if (*reading) {
            EXPECT_TRUE(boxes[0].text.starts_with(sjis(reading))) << reading;
        } else {
            EXPECT_EQ(seen(boxes[0]),
                      box("陽遁か陰遁か選択して下さい", "陽遁陰遁の選択", state().mainWindow));
            EXPECT_STREQ(state().hexagramBuffer, "");
        }
    }
}

TEST_F(HexagramDialog, AnEmptyFieldIsToldThenTheMissingPillarAndNothingIsOffered) {
    for (const auto& [base, running, second] :
         {std::tuple{"", "乙丑", kBadBase}, std::tuple{"甲子", "", kBadRunning}}) {
        copyText(state().hexagramBuffer, "earlier");
        const std::size_t from = events().size();
        whenDialogOpens("HIDENDLG", enter(base, running));
        command(kCommandHexagram);
        const auto boxes = eventsSince(from, EventKind::MessageBox);
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(seen(boxes[0]), box("データエラー", "エラー", windowOf("HIDENDLG")));
        EXPECT_EQ(seen(boxes[1]), box(second, "エラー", state().mainWindow));
        EXPECT_EQ(eventsSince(from, EventKind::DialogEnded).size(), 1u);
        EXPECT_STREQ(state().hexagramBuffer, "");
        EXPECT_EQ(readyFlags(state()), (Flags{1, 0, 0, 1, 0}));
    }
    answerMessageBoxes({MessageAnswer::Yes});
    command(kCommandOutput);
    EXPECT_EQ(eventsOf(EventKind::MessageBox).size(), 4u);
    EXPECT_TRUE(eventsOf(EventKind::Beep).empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder()));
}

using AvoidanceDialog = test::Scenario;

std::string avoidanceSentence(const std::string& s) {
    return sjis("符使式奇門遁甲の天地盤で「" + s + s + "」の日盤か時盤を多用して下さい。\n" +
                "年月時柱に「" + s + "」があると一層効果的です。\n但し、「" + s +
                "」が命造中の喜神と干合する場合は使えません。\n");
}

TEST_F(AvoidanceDialog, TheMethodFollowsTheRunningStemAndTheLastIsWritten) {
    copyText(state().person.name, sjis("太郎"));
    const struct {
        const char* running;
        std::string text;
        bool beeps;
    } cases[] = {
        {"甲午", sjis("本年(大運)の天運は凶でないので避凶法はありません。\n"), false},
        {"辛未", avoidanceSentence("壬"), true},
        {"戊辰", avoidanceSentence("丁"), true},
        {"庚午", avoidanceSentence("癸"), true},
    };
    for (const auto& c : cases) {
        const std::size_t from = events().size();
        whenDialogOpens("ZOUMEIDLG", enter("甲子", c.running));
        command(kCommandAvoidance);
        const auto boxes = eventsSince(from, EventKind::MessageBox);
        ASSERT_EQ(boxes.size(), 1u) << c.running;
        EXPECT_EQ(seen(boxes[0]), std::tuple(c.text, sjis("避凶造命法"), state().mainWindow));
        EXPECT_EQ(eventsSince(from, EventKind::Beep).size(), c.beeps ? 1u : 0u) << c.running;
        EXPECT_EQ(state().avoidanceBuffer, c.text);
    }
    EXPECT_STREQ(state().outputFileName, sjis("太郎庚午年造命開運法.TXT").c_str());
    EXPECT_EQ(readyFlags(state()), (Flags{1, 1, 0, 0, 0}));
    answerMessageBoxes({MessageAnswer::Yes});
    command(kCommandOutput);
    EXPECT_EQ(eventsOf(EventKind::MessageBox).back().text,
              sjis("｢避凶造命法｣をファイルに出力しますか？"));
    EXPECT_EQ(readFile(folder() / u8"太郎庚午年造命開運法.TXT"), avoidanceSentence("癸"));
}

TEST_F(AvoidanceDialog, AnEmptyFieldClosesTheDialogAndLeavesTheReadyTextAlone) {
    for (const auto& [base, running] : {std::pair{"", "庚午"}, std::pair{"甲子", ""}}) {
        copyText(state().avoidanceBuffer, "earlier");
        copyText(state().outputFileName, "keep.TXT");
        state().outputReady = 0;
        state().fortuneReady = 1;
        const std::size_t from = events().size();
        whenDialogOpens("ZOUMEIDLG", enter(base, running));
        command(kCommandAvoidance);
        const auto boxes = eventsSince(from, EventKind::MessageBox);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(seen(boxes[0]), box("データエラー", "エラー", windowOf("ZOUMEIDLG")));
        EXPECT_EQ(eventsSince(from, EventKind::DialogEnded).size(), 1u);
        EXPECT_STREQ(state().avoidanceBuffer, "");
        EXPECT_STREQ(state().outputFileName, "keep.TXT");
        EXPECT_EQ(readyFlags(state()), (Flags{0, 0, 1, 0, 0}));
    }
    EXPECT_TRUE(eventsOf(EventKind::ChildButtonCreated).empty());
}

TEST_F(AvoidanceDialog, AMistypedRunningPillarIsToldAfterTheBaseWasRead) {
    whenDialogOpens("ZOUMEIDLG", enter("丙寅", "甲丑"));
    command(kCommandAvoidance);
    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(seen(boxes[0]), box(kBadRunning, "エラー", state().mainWindow));
    EXPECT_EQ(state().judgementKey.baseStemNo, 3);
    EXPECT_EQ(state().judgementKey.baseBranchNo, 3);
    EXPECT_STREQ(state().avoidanceBuffer, "");
    EXPECT_TRUE(eventsOf(EventKind::Beep).empty());
}

}  // namespace
}  // namespace quorvel
