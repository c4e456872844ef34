// The whole road of a consultation: a person typed or picked from DATA.CSV, the chart panel, the
// judgement and its file, and every refusal on the way.
#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "common/fixed_text.h"
#include "judgement/judgement.h"
#include "platform/files.h"
#include "resources/command_ids.h"
#include "tests/scenarios/birth_entry.h"
#include "tests/scenarios/scenario.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using platform::MessageAnswer;
using platform::script::EventKind;
using platform::script::eventsOf;
using platform::script::ScriptedDialog;
using platform::script::whenDialogOpens;
using test::sjis;

using Road = test::Scenario;

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

// The text of a control in the n-th dialog still open.
std::string openDialogsText(int id, std::size_t n) {
    const auto open = platform::script::openDialogs();
    return n < open.size() ? open[n]->text(id) : std::string();
}

TEST_F(Road, FromTheBirthDialogToTheResultFile) {
    whenDialogOpens("BIRTHDLG", [](ScriptedDialog& d) {
        typeBirth(d, {"太郎", kMale, "1965", "3", "15", "10"});
    });
    whenDialogOpens("PANELDLG", [](ScriptedDialog& d) {
        EXPECT_EQ(d.text(1023), sjis("戊辰"));
        EXPECT_EQ(d.text(1028), sjis("乙亥"));
        EXPECT_EQ(d.text(1042), "33");
        d.click(1023);
        d.click(1028);
        d.click(platform::kIdOk);
    });
    whenDialogOpens("HANDAN", [](ScriptedDialog& d) {
        d.click(1067);
        d.click(platform::kIdOk);
    });
    platform::script::answerMessageBoxes({MessageAnswer::Yes});
    command(kCommandBirthData);

    EXPECT_EQ(readFile(folder() / "DATA.CSV"), sjis("太郎,1,0,1965,3,15,10,\n"));
    EXPECT_EQ(readFile(folder() / u8"太郎本人配偶者乙亥運.TXT"), judgementOf("戊辰", "乙亥"));
    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, sjis("｢幸運の判断｣をファイルに出力しますか？"));
    EXPECT_EQ(eventsOf(EventKind::Beep).size(), 1u);
    EXPECT_EQ(eventsOf(EventKind::ChildButtonCreated).size(), 1u);
    EXPECT_EQ(platform::script::openDialogs().size(), 1u);  // the panel stays
    EXPECT_TRUE(eventsOf(EventKind::HelpRequested).empty());
}

// Every refusal keeps the dialog with what was typed and puts the focus in the box at fault.
TEST_F(Road, TheBirthDialogRefusesWhatCannotBeAChart) {
    const struct {
        Typed typed;
        const char* message;
        int focus;  // 0: left where it was
    } cases[] = {
        {{"太郎", 0, "1965", "3", "15", "10"}, "男性か女性を指定して下さい", 0},
        {{"太,郎", kMale, "1965", "3", "15", "10"}, "氏名にカンマや制御文字は使えません", kName},
        {{"太郎", kMale, "1899", "3", "0", "10"}, "データエラー", kDay},  // before the year
        {{"太郎", kMale, "", "3", "15", "10"}, "データエラー", kYear},
        {{"太郎", kMale, "1965年", "3", "15", "10"}, "データエラー", kYear},
        {{"太郎", kMale, "1965", "13", "1", "10"}, "データエラー", kMonth},
        {{"太郎", kMale, "1965", "-3", "1", "10"}, "データエラー", kMonth},
        {{"太郎", kMale, "1965", "2", "30", "10"}, "データエラー", kDay},
        {{"太郎", kMale, "1900", "3", "15", "10"}, "年データを確認して下さい", kYear},
        {{"太郎", kMale, "2101", "3", "15", "10"}, "年データを確認して下さい", kYear},
        {{"太郎", kMale, "１９００", "3", "15", "10"}, "年データを確認して下さい", kYear},
        {{"太郎", kMale, "1965", "3", "15", ""}, "時刻データを確認して下さい", kHour},
        {{"太郎", kMale, "1965", "3", "15", "-1"}, "時刻データを確認して下さい", kHour},
        {{"太郎", kMale, "1965", "3", "15", "ab"}, "時刻データを確認して下さい", kHour},
        {{"太郎", kMale, "1965", "3", "15", "10時"}, "時刻データを確認して下さい", kHour},
        {{"太郎", kFemale, "1965", "3", "15", "24"}, "時刻データを確認して下さい", kHour},
    };
    std::size_t boxesBefore = 0;
    for (const auto& c : cases) {
        state().maleMark = state().femaleMark = 0;
        std::string hourAfter;
        int focus = -1;
        whenDialogOpens("BIRTHDLG", [&](ScriptedDialog& d) {
            typeBirth(d, c.typed);
            hourAfter = d.text(kHour);
            focus = d.focus();
        });
        command(kCommandBirthData);
        SCOPED_TRACE(c.message);
        const auto boxes = eventsOf(EventKind::MessageBox);
        ASSERT_EQ(boxes.size(), boxesBefore + 1);
        EXPECT_EQ(boxes.back().text, sjis(c.message));
        EXPECT_EQ(boxes.back().caption, sjis("エラー"));
        EXPECT_EQ(eventsOf(EventKind::DialogLeftOpen).size(), boxes.size());  // it stays
        EXPECT_EQ(hourAfter, sjis(c.typed.hour));
        EXPECT_EQ(focus, c.focus);
        boxesBefore = boxes.size();
    }
    EXPECT_TRUE(eventsOf(EventKind::ChildButtonCreated).empty());
    EXPECT_FALSE(std::filesystem::exists(folder() / "DATA.CSV"));
    // A refused entry is still the current person: the dialog opens with it.
    EXPECT_EQ(state().person.hour, 24);
    EXPECT_EQ(state().person.sex, Sex::Female);
}

TEST_F(Road, EdgesOfTheAcceptedRangeAndNumbersAsTheInputMethodTypesThem) {
    const Typed accepted[] = {
        {"一", kMale, "1901", "1", "1", "0"},
        {"二", kFemale, "2000", "12", "31", "23"},
        {"三", kMale, "1904", "2", "29", "０"},
        {"四", kMale, "１９６５", "３", "１５", "１０"},
        {"五", kFemale, " 1972　", "　５", "7 ", "　２３ "},
    };
    for (const Typed& t : accepted) {
        whenDialogOpens("BIRTHDLG", [&t](ScriptedDialog& d) { typeBirth(d, t); });
        command(kCommandBirthData);
    }
    EXPECT_EQ(readFile(folder() / "DATA.CSV"),
              sjis("一,1,0,1901,1,1,0,\n二,0,1,2000,12,31,23,\n三,1,0,1904,2,29,0,\n"
                   "四,1,0,1965,3,15,10,\n五,0,1,1972,5,7,23,\n"));
    EXPECT_EQ(platform::script::openDialogs().size(), 5u);
    EXPECT_EQ(openDialogsText(1023, 3), sjis("戊辰"));  // 1965-03-15 at 10, not at 0
    EXPECT_EQ(openDialogsText(1024, 3), sjis("丁巳"));
    EXPECT_TRUE(eventsOf(EventKind::MessageBox).empty());
}

TEST_F(Road, AnEmptyNameOrARecordAlreadyHeldIsNotStoredAgain) {
    const Typed entries[] = {
        {"", kMale, "1965", "3", "15", "10"},
        {"太郎", kMale, "1965", "3", "15", "10"},
        {"太郎", kMale, "1965", "3", "15", "10"},
        {"太郎", kMale, "1965", "3", "15", "11"},
    };
    for (const Typed& t : entries) {
        whenDialogOpens("BIRTHDLG", [&t](ScriptedDialog& d) { typeBirth(d, t); });
        command(kCommandBirthData);
    }
    EXPECT_EQ(readFile(folder() / "DATA.CSV"),
              sjis("太郎,1,0,1965,3,15,10,\n太郎,1,0,1965,3,15,11,\n"));
}

TEST_F(Road, AFailedAppendIsToldBeforeThePanelOpens) {
    std::filesystem::create_directory(folder() / "DATA.CSV");
    whenDialogOpens("BIRTHDLG", [](ScriptedDialog& d) {
        typeBirth(d, {"太郎", kMale, "1965", "3", "15", "10"});
    });
    command(kCommandBirthData);
    const auto& events = platform::script::events();
    const auto box = std::find_if(events.begin(), events.end(),
                                  [](const auto& e) { return e.kind == EventKind::MessageBox; });
    ASSERT_NE(box, events.end());
    EXPECT_EQ(box->text, sjis("データファイルに保存できませんでした"));
    const auto panel = std::find_if(events.begin(), events.end(), [](const auto& e) {
        return e.kind == EventKind::DialogOpened && e.name == "PANELDLG";
    });
    ASSERT_NE(panel, events.end());
    EXPECT_LT(box - events.begin(), panel - events.begin());
}

TEST_F(Road, APersonPickedFromTheDataFile) {
    writeFile(folder() / "DATA.CSV",
              sjis("花子,0,1,1972,5,7,23,\r\n太郎,1,0,1965,3,15,10,\r\n両,1,1,1970,1,1,0,\r\n"
                   "壊,1,0,1965,2,30,10,\r\n"));
    copyText(state().person.name, sjis("前の人"));
    whenDialogOpens("DATADLG", [](ScriptedDialog& d) {
        EXPECT_EQ(d.text(1022), sjis("太郎        男  1965年3月15日10時生まれ"));
        EXPECT_EQ(d.text(1023), sjis("両          1970年1月1日0時生まれ"));
        EXPECT_EQ(d.text(1025), "");
        d.click(platform::kIdOk);  // nothing chosen yet
        d.click(1023);             // both marks: no sex
        d.click(platform::kIdOk);
        d.click(1024);  // no such day
        d.click(platform::kIdOk);
        d.click(1025);  // an empty slot
        EXPECT_EQ(d.text(103), sjis("年月日時"));
        d.click(platform::kIdOk);
        d.pressF1();
        d.click(1022);
        EXPECT_EQ(d.text(101), sjis("太郎"));
        EXPECT_EQ(d.text(102), sjis("男"));
        EXPECT_EQ(d.text(103), sjis("1965年3月15日10時"));
        d.click(platform::kIdOk);
    });
    whenDialogOpens("PANELDLG", [](ScriptedDialog& d) {
        EXPECT_EQ(d.text(110), sjis("太郎"));
        EXPECT_EQ(d.text(1023), sjis("戊辰"));
    });
    command(kCommandOpenDataFile);

    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, sjis("データが選択されていません"));
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(boxes[i].text, sjis("データが誤っています"));
    }
    EXPECT_EQ(eventsOf(EventKind::HelpRequested).size(), 1u);
    EXPECT_EQ(state().person.year, 1965);
    EXPECT_TRUE(state().recordListLoaded);
    EXPECT_TRUE(eventsOf(EventKind::ChildButtonCreated).empty());  // no output check here
}

TEST_F(Road, TheFileIsReadAtEveryOpeningAndANewOpeningStartsWithNothingChosen) {
    writeFile(folder() / "DATA.CSV", sjis("太郎,1,0,1965,3,15,10,\n"));
    whenDialogOpens("DATADLG", [](ScriptedDialog& d) { d.click(1021); });
    command(kCommandOpenDataFile);
    whenDialogOpens("BIRTHDLG", [](ScriptedDialog& d) {
        EXPECT_EQ(d.text(kName), sjis("太郎"));  // the picked record
        EXPECT_EQ(d.text(kMonth), "3");
        EXPECT_TRUE(d.isChecked(kMale));
        typeBirth(d, {"花子", kFemale, "1972", "5", "7", "23"});
    });
    command(kCommandBirthData);
    whenDialogOpens("DATADLG", [](ScriptedDialog& d) {
        EXPECT_EQ(d.text(1022), sjis("花子        女  1972年5月7日23時生まれ"));  // entered since
        d.click(platform::kIdOk);
    });
    command(kCommandOpenDataFile);
    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, sjis("データが選択されていません"));
    EXPECT_EQ(state().person.name[0], '\0');
    EXPECT_EQ(state().person.sex, Sex::Unset);
}

TEST_F(Road, AMissingOrUnreadableDataFileIsTold) {
    command(kCommandOpenDataFile);
    auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, sjis("データファイルがありません"));
    EXPECT_TRUE(std::filesystem::exists(folder() / "DATA.CSV"));

    state().recordListLoaded = false;  // as in a new run
    std::filesystem::remove(folder() / "DATA.CSV");
    std::filesystem::create_directory(folder() / "DATA.CSV");
    command(kCommandOpenDataFile);
    boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, sjis("データファイルを読めませんでした"));
}

#ifndef _WIN32
TEST_F(Road, APipeOrALockHeldElsewhereIsToldWithinSeconds) {
    const std::filesystem::path data = folder() / "DATA.CSV";
    ASSERT_EQ(::mkfifo(data.c_str(), 0666), 0);
    ::alarm(5);  // ends the test program instead of waiting for ever
    command(kCommandOpenDataFile);
    ::alarm(0);

    std::filesystem::remove(data);
    writeFile(data, sjis("太郎,1,0,1965,3,15,10,\n"));
    const int held = ::open(data.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    state().recordListLoaded = false;  // as in a new run
    ::alarm(5);
    command(kCommandOpenDataFile);
    ::alarm(0);
    whenDialogOpens("BIRTHDLG", [](ScriptedDialog& d) {
        typeBirth(d, {"花子", kFemale, "1972", "5", "7", "23"});
    });
    ::alarm(5);
    command(kCommandBirthData);
    ::alarm(0);
    ::close(held);

    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, sjis("データファイルを読めませんでした"));
    EXPECT_EQ(boxes[1].text, sjis("データファイルを読めませんでした"));
    EXPECT_EQ(boxes[2].text, sjis("データファイルに保存できませんでした"));
    EXPECT_EQ(readFile(data), sjis("太郎,1,0,1965,3,15,10,\n"));
}
#else
// Windows has no named pipes in the working folder; a lock another handle holds is the case.
TEST_F(Road, ALockHeldElsewhereIsToldWithinSeconds) {
    const std::filesystem::path data = folder() / "DATA.CSV";
    writeFile(data, sjis("太郎,1,0,1965,3,15,10,\n"));
    const platform::LockedFile held(data.string().c_str(), platform::LockedFile::Mode::Append);
    ASSERT_EQ(held.status(), platform::FileOpen::Opened);
    command(kCommandOpenDataFile);
    whenDialogOpens("BIRTHDLG", [](ScriptedDialog& d) {
        typeBirth(d, {"花子", kFemale, "1972", "5", "7", "23"});
    });
    command(kCommandBirthData);

    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, sjis("データファイルを読めませんでした"));
    EXPECT_EQ(boxes[1].text, sjis("データファイルに保存できませんでした"));
}
#endif

}  // namespace
}  // namespace quorvel
