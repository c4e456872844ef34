#include <unistd.h>

#include "app/app_texts.h"
#include "common/fixed_text.h"
#include "dialogs/result_dialog.h"
#include "resources/command_ids.h"
#include "tests/scenarios/scenario.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using platform::MessageAnswer;
using platform::script::EventKind;
using platform::script::eventsOf;
using test::sjis;

using Shell = test::Scenario;

TEST_F(Shell, TheMainWindowExistsAndTheExitCommandEndsIt) {
    EXPECT_EQ(state().mainWindow, platform::script::mainWindow());
    EXPECT_NE(state().instance, nullptr);
    command(12345);  // unknown: ignored
    EXPECT_TRUE(platform::script::events().empty());
    command(kCommandExit);
    EXPECT_TRUE(platform::script::mainWindowDestroyed());
}

TEST_F(Shell, OnlyTheLowSixteenBitsOfACommandCount) {
    command((1 << 16) | kCommandSymbolMeaning);
    EXPECT_EQ(eventsOf(EventKind::MessageBox).size(), 1u);
}

TEST_F(Shell, SymbolMeaningsTwiceChangeNothing) {
    command(kCommandSymbolMeaning);
    command(kCommandSymbolMeaning);
    const auto& events = platform::script::events();
    ASSERT_EQ(events.size(), 4u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(events[2 * i].kind, EventKind::Beep);  // the beep comes first
        EXPECT_EQ(events[2 * i + 1].kind, EventKind::MessageBox);
        EXPECT_EQ(events[2 * i + 1].text, text::symbolMeaningText);
        EXPECT_EQ(events[2 * i + 1].caption, sjis("記号の意味"));
        EXPECT_EQ(events[2 * i + 1].window, state().mainWindow);
    }
    EXPECT_EQ(state().outputReady, 0);
    EXPECT_TRUE(eventsOf(EventKind::ChildButtonCreated).empty());
}

TEST_F(Shell, DisclosureMakesItsTextReadyAndShowsTheButtonOnce) {
    state().fortuneReady = 1;
    command(kCommandDisclosure);
    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, text::disclosureText);
    EXPECT_EQ(boxes[0].caption, sjis("Quorvel運命逆転法"));
    EXPECT_EQ(state().outputReady, 1);
    EXPECT_EQ(state().disclosureReady, 1);
    EXPECT_EQ(state().fortuneReady, 0);
    EXPECT_STREQ(state().outputFileName, sjis("秘伝の開示.DOC").c_str());

    command(kCommandDisclosure);
    state().outputReady = 0;  // a later cancelled dialog: the button stays all the same
    command(kCommandHexagram);
    const auto buttons = eventsOf(EventKind::ChildButtonCreated);
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0].text, sjis("ファイル出力(&O)"));
    EXPECT_EQ(buttons[0].value, kCommandOutput);
    EXPECT_EQ(buttons[0].window, state().mainWindow);
}

TEST_F(Shell, NoButtonWithoutAResult) {
    for (int id : {kCommandStemBranchInput, kCommandBirthData, kCommandHexagram, kCommandAvoidance,
                   kCommandSymbolMeaning, kCommandAbout, kCommandOpenDataFile}) {
        platform::script::whenDialogOpens("ABOUTBOX",
                                          [](auto& dialog) { dialog.click(platform::kIdOk); });
        command(id);
    }
    EXPECT_TRUE(eventsOf(EventKind::ChildButtonCreated).empty());
    // A chart computed earlier makes the next checked command show it.
    state().outputReady = 1;
    command(kCommandOpenDataFile);  // modeless: no check
    EXPECT_TRUE(eventsOf(EventKind::ChildButtonCreated).empty());
    command(kCommandBirthData);
    EXPECT_EQ(eventsOf(EventKind::ChildButtonCreated).size(), 1u);
}

TEST_F(Shell, AboutBoxClosesByOkOrEscape) {
    const struct {
        void (*act)(platform::script::ScriptedDialog&);
    } cases[] = {
        {[](platform::script::ScriptedDialog& d) { d.pressEscape(); }},
        {[](platform::script::ScriptedDialog& d) { d.click(platform::kIdOk); }},
        {[](platform::script::ScriptedDialog& d) { d.pressEnter(); }},
    };
    for (const auto& c : cases) {
        platform::script::reset();
        char name[] = "quorvel";
        char* argv[] = {name, nullptr};
        runApplication(state(), 1, argv);
        platform::script::whenDialogOpens("ABOUTBOX", c.act);
        command(kCommandAbout);
        const auto ended = eventsOf(EventKind::DialogEnded);
        ASSERT_EQ(ended.size(), 1u);
        EXPECT_EQ(ended[0].name, "ABOUTBOX");
        EXPECT_EQ(ended[0].value, 1);
        EXPECT_TRUE(eventsOf(EventKind::DialogLeftOpen).empty());
    }
}

TEST_F(Shell, HelpOpensForTheMainWindow) {
    command(kCommandHelpContents);
    const auto requests = eventsOf(EventKind::HelpRequested);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].window, state().mainWindow);
    EXPECT_EQ(requests[0].text, "");  // the contents
}

// F1 opens the help at the topic about the window it is pressed in; in the main window, at the
// contents. (The help file holds every topic named: see tests/texts.)
TEST_F(Shell, F1OpensTheHelpAtTheWindowsOwnTopic) {
    copyText(state().person.name, sjis("山田"));
    state().person.sex = Sex::Male;
    state().person.year = 1990;
    state().person.month = 5;
    state().person.day = 20;
    state().person.hour = 10;
    const auto modal = [](const char* dialog) {
        platform::script::whenDialogOpens(dialog, [](platform::script::ScriptedDialog& d) {
            d.pressF1();
            d.pressEscape();  // the result dialog stays: Enter closes it
            d.pressEnter();
        });
    };
    const struct {
        int command;  // 0: F1 in the main window
        const char* dialog;
        const char* topic;
    } cases[] = {
        {0, "", ""},
        {kCommandStemBranchInput, "INPUTDLG", "干支入力"},
        {kCommandHexagram, "HIDENDLG", "奥義：人運の判断"},
        {kCommandAvoidance, "ZOUMEIDLG", "避凶造命法"},
        {kCommandFullChart, "MEISHIKI", "命式表の見方"},
        {kCommandFortuneCalendar, "UNSEIREKI", "運勢暦の見方"},
        {kCommandOpenDataFile, "DATADLG", "データファイルを開く"},  // forgets the person
        {kCommandPersonList, "JINBUTSU", "人物一覧"},
        {kCommandChartRules, "RYUGI", "命式の流儀"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dialog);
        const std::size_t before = eventsOf(EventKind::HelpRequested).size();
        if (c.command == 0) {
            platform::script::pressF1OnMainWindow();
        } else if (c.command == kCommandStemBranchInput || c.command == kCommandHexagram ||
                   c.command == kCommandAvoidance || c.command == kCommandChartRules) {
            modal(c.dialog);
            command(c.command);
        } else {
            command(c.command);
            platform::script::openDialogs().back()->pressF1();
        }
        const auto requests = eventsOf(EventKind::HelpRequested);
        ASSERT_EQ(requests.size(), before + 1);
        EXPECT_EQ(requests.back().text, sjis(c.topic));
    }
    // The result dialog, reached from a judgement.
    modal("HANDAN");
    runResultDialog(state(), state().mainWindow, "");
    EXPECT_EQ(eventsOf(EventKind::HelpRequested).back().text, sjis("幸運の判断"));
}

}  // namespace
}  // namespace quorvel
