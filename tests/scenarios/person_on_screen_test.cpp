// Sequences that once gave a silent wrong result: a chart, a file name or a record about another
// person than the one on screen.
#include "common/fixed_text.h"
#include "judgement/judgement.h"
#include "resources/command_ids.h"
#include "tests/scenarios/birth_entry.h"
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

using PersonOnScreen = test::Scenario;

using test::judgementOf;
using test::kDay;
using test::kFemale;
using test::kHour;
using test::kMale;
using test::kMonth;
using test::kName;
using test::kYear;
using test::typeBirth;
using test::Typed;

// The panel of the person entered, left open.
ScriptedDialog& enterPerson(const Typed& typed) {
    whenDialogOpens("BIRTHDLG", [typed](ScriptedDialog& d) { typeBirth(d, typed); });
    platform::script::sendCommand(kCommandBirthData);
    return *openDialogs().back();
}

TEST_F(PersonOnScreen, ASexNoButtonShowsIsNeverUsed) {
    enterPerson({"太郎", kMale, "1965", "3", "15", "10"});
    whenDialogOpens("DATADLG", [](ScriptedDialog& d) { d.click(platform::kIdCancel); });
    command(kCommandOpenDataFile);  // clears the person, sex included
    bool shownChecked = true;
    bool stays = false;
    int focusBefore = 0;
    whenDialogOpens("BIRTHDLG", [&](ScriptedDialog& d) {
        shownChecked = d.isChecked(kMale) || d.isChecked(kFemale);
        focusBefore = d.focus();
        typeBirth(d, {"花子", 0, "1972", "5", "7", "23"});
        stays = !d.ended();
    });
    command(kCommandBirthData);
    EXPECT_FALSE(shownChecked);
    EXPECT_TRUE(stays);
    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, sjis("男性か女性を指定して下さい"));
    EXPECT_EQ(focusBefore, 0);
    EXPECT_EQ(readFile(folder() / "DATA.CSV"), sjis("太郎,1,0,1965,3,15,10,\n"));
}

TEST_F(PersonOnScreen, TwoPanelsEachJudgeTheirOwnPerson) {
    // 太郎 1965-03-15 at 10: day 戊辰, luck 戊寅 丁丑 丙子 乙亥 甲戌 …
    ScriptedDialog& taro = enterPerson({"太郎", kMale, "1965", "3", "15", "10"});
    ScriptedDialog& hanako = enterPerson({"花子", kFemale, "1972", "5", "7", "23"});
    ASSERT_EQ(openDialogs().size(), 2u);
    const std::string hanakoDay = hanako.text(1023);
    ASSERT_NE(hanakoDay, sjis("戊辰"));

    taro.click(1023);
    taro.click(1028);
    EXPECT_EQ(taro.text(101), sjis("戊辰"));
    EXPECT_EQ(taro.text(102), sjis("乙亥"));
    whenDialogOpens("HANDAN", [](ScriptedDialog& d) {
        d.click(1067);
        d.click(platform::kIdOk);
    });
    answerMessageBoxes({MessageAnswer::Yes});
    taro.click(platform::kIdOk);
    EXPECT_EQ(readFile(folder() / u8"太郎本人配偶者乙亥運.TXT"), judgementOf("戊辰", "乙亥"));
    EXPECT_STREQ(state().outputFileName, sjis("太郎本人配偶者乙亥運.TXT").c_str());

    // A pillar typed on 花子's panel after 太郎's relation was chosen keeps 花子's own (none).
    hanako.type(101, hanakoDay);
    hanako.type(102, sjis("甲子"));
    whenDialogOpens("HANDAN", [](ScriptedDialog& d) { d.click(platform::kIdOk); });
    hanako.click(platform::kIdOk);
    EXPECT_STREQ(state().outputFileName, sjis("花子甲子運.TXT").c_str());
}

TEST_F(PersonOnScreen, TwoDataFileDialogsEachOpenTheirOwnChoice) {
    writeFile(folder() / "DATA.CSV", sjis("太郎,1,0,1965,3,15,10,\n花子,0,1,1972,5,7,23,\n"));
    command(kCommandOpenDataFile);
    command(kCommandOpenDataFile);
    auto dialogs = openDialogs();
    ASSERT_EQ(dialogs.size(), 2u);
    dialogs[0]->click(1021);
    dialogs[1]->click(1022);
    std::string name;
    std::string day;
    whenDialogOpens("PANELDLG", [&](ScriptedDialog& d) {
        name = d.text(110);
        day = d.text(1023);
    });
    dialogs[0]->click(platform::kIdOk);
    EXPECT_EQ(name, sjis("太郎"));
    EXPECT_EQ(day, sjis("戊辰"));
    EXPECT_TRUE(eventsOf(EventKind::MessageBox).empty());
}

TEST_F(PersonOnScreen, AnUnreadableFileStillClearsThePerson) {
    enterPerson({"太郎", kMale, "1965", "3", "15", "10"});
    std::filesystem::remove(folder() / "DATA.CSV");
    std::filesystem::create_directory(folder() / "DATA.CSV");
    command(kCommandOpenDataFile);
    ASSERT_EQ(eventsOf(EventKind::MessageBox).size(), 1u);
    EXPECT_EQ(state().person.name[0], '\0');
    EXPECT_EQ(state().person.sex, Sex::Unset);
}

TEST_F(PersonOnScreen, AnAppendNeverJoinsALine) {
    for (const char* before :
         {"花子,0,1,1972,5,7,23,", "花子,0,1,1972,5,7,23,\r\n春子,0,1,1948,8,12,6,"}) {
        writeFile(folder() / "DATA.CSV", sjis(before));
        enterPerson({"次郎", kMale, "1990", "5", "20", "10"});
        EXPECT_EQ(readFile(folder() / "DATA.CSV"),
                  sjis(before) + sjis("\n次郎,1,0,1990,5,20,10,\n"));
        std::string listed;
        whenDialogOpens("DATADLG", [&listed](ScriptedDialog& d) {
            for (int id = 1021; id <= 1030; ++id) {
                if (d.text(id).starts_with(sjis("次郎"))) {
                    listed = d.text(id);
                }
            }
            d.click(platform::kIdCancel);
        });
        command(kCommandOpenDataFile);
        EXPECT_EQ(listed, sjis("次郎        男  1990年5月20日10時生まれ"));
    }
}

TEST_F(PersonOnScreen, TheListIsTheFileAsItIsNow) {
    whenDialogOpens("DATADLG", [](ScriptedDialog& d) { d.click(platform::kIdCancel); });
    command(kCommandOpenDataFile);  // no file yet: told, and an empty one is made
    ASSERT_EQ(eventsOf(EventKind::MessageBox).size(), 1u);
    enterPerson({"太郎", kMale, "1965", "3", "15", "10"});
    std::string first;
    whenDialogOpens("DATADLG", [&first](ScriptedDialog& d) { first = d.text(1021); });
    command(kCommandOpenDataFile);
    EXPECT_EQ(first, sjis("太郎        男  1965年3月15日10時生まれ"));
}

TEST_F(PersonOnScreen, ANameIsStoredWholeOrRefused) {
    // A character Shift-JIS cannot hold: told, nothing stored, the dialog stays on the name.
    int focus = 0;
    bool stays = false;
    whenDialogOpens("BIRTHDLG", [&](ScriptedDialog& d) {
        d.click(kFemale);
        d.typeUnicode(kName, "花😀子");
        d.type(kYear, "1972");
        d.type(kMonth, "5");
        d.type(kDay, "7");
        d.type(kHour, "23");
        d.click(platform::kIdOk);
        focus = d.focus();
        stays = !d.ended();
    });
    command(kCommandBirthData);
    auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, sjis("氏名に使えない文字があります"));
    EXPECT_TRUE(stays);
    EXPECT_EQ(focus, kName);
    EXPECT_FALSE(std::filesystem::exists(folder() / "DATA.CSV"));

    // Seventeen full-width characters: the box takes fifteen as they are typed, and those are
    // what is stored and shown.
    std::string kept;
    whenDialogOpens("BIRTHDLG", [&kept](ScriptedDialog& d) {
        d.type(kName, sjis("一二三四五六七八九十壱弐参肆伍陸漆"));
        kept = d.text(kName);
        d.click(kMale);
        d.type(kYear, "1965");
        d.type(kMonth, "3");
        d.type(kDay, "15");
        d.type(kHour, "10");
        d.click(platform::kIdOk);
    });
    command(kCommandBirthData);
    ScriptedDialog* panel = openDialogs().back();
    EXPECT_EQ(kept, sjis("一二三四五六七八九十壱弐参肆伍"));
    EXPECT_EQ(panel->text(110), kept);
    EXPECT_EQ(readFile(folder() / "DATA.CSV"), kept + sjis(",1,0,1965,3,15,10,\n"));

    // A name of blanks is no name: not stored, and files start with the relation.
    enterPerson({"　 　", kMale, "1972", "5", "7", "23"});
    EXPECT_EQ(readFile(folder() / "DATA.CSV"), kept + sjis(",1,0,1965,3,15,10,\n"));
    EXPECT_EQ(state().person.name[0], '\0');
    EXPECT_EQ(openDialogs().back()->text(110), "");
}

TEST_F(PersonOnScreen, TypedPillarsNeverTakeAPanelsRelation) {
    ScriptedDialog& panel = enterPerson({"山田", kMale, "1965", "3", "15", "10"});
    panel.click(1023);  // 自分,配偶者
    whenDialogOpens("INPUTDLG", [](ScriptedDialog& d) {
        d.type(101, sjis("甲子"));
        d.type(102, sjis("丙午"));
        d.click(platform::kIdOk);
    });
    whenDialogOpens("HANDAN", [](ScriptedDialog& d) {
        d.click(1067);
        d.click(platform::kIdOk);
    });
    answerMessageBoxes({MessageAnswer::Yes});
    command(kCommandStemBranchInput);
    EXPECT_TRUE(std::filesystem::exists(folder() / u8"山田丙午運.TXT"));
    EXPECT_FALSE(std::filesystem::exists(folder() / u8"山田本人配偶者丙午運.TXT"));
}

}  // namespace
}  // namespace quorvel
