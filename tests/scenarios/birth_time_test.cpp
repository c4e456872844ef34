// The birth as it really was, through the dialogs: minutes, an unknown hour, the birthplace and
// the rules (命式の流儀) in force, down to the panel, the 命式表 and DATA.CSV.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/shell.h"
#include "calendar/chart_rules.h"
#include "resources/command_ids.h"
#include "tests/scenarios/birth_entry.h"
#include "tests/scenarios/scenario.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using platform::script::EventKind;
using platform::script::eventsOf;
using platform::script::openDialogs;
using platform::script::ScriptedDialog;
using platform::script::whenDialogOpens;
using test::kHour;
using test::kMale;
using test::sjis;
using test::typeBirth;
using test::Typed;

constexpr int kHourUnknown = 1055;
constexpr int kPlace = 1056;
constexpr int kLongitude = 1057;
constexpr int kPanelReading = 1070;
constexpr int kClassic = 1101, kPrecise = 1102, kCustom = 1103;
constexpr int kSummerTime = 1111, kSolarTime = 1112, kDayChange = 1113, kTerms = 1114;
constexpr int kHiddenTable = 1115, kCountTermDay = 1116;

using BirthTime = test::Scenario;

// Opens 命式の流儀, does `actions` and presses ＯＫ.
void chooseRules(const std::function<void(ScriptedDialog&)>& actions) {
    whenDialogOpens("RYUGI", [actions](ScriptedDialog& d) {
        actions(d);
        d.click(platform::kIdOk);
    });
    platform::script::sendCommand(kCommandChartRules);
}

// Types the person, chooses the birthplace (a prefecture by name, 経度を入力 with degrees, or
// nothing), ticks 時刻不明 when the hour is null, then 実行.
void enter(const Typed& typed, const char* place = nullptr, const char* degrees = nullptr) {
    whenDialogOpens("BIRTHDLG", [=](ScriptedDialog& d) {
        if (typed.hour == nullptr) {
            d.click(kHourUnknown);
        }
        if (place != nullptr) {
            EXPECT_TRUE(d.chooseListItem(kPlace, sjis(place))) << place;
        }
        if (degrees != nullptr) {
            d.type(kLongitude, sjis(degrees));
        }
        Typed t = typed;
        t.hour = typed.hour != nullptr ? typed.hour : "";
        typeBirth(d, t);
    });
    platform::script::sendCommand(kCommandBirthData);
}

std::vector<std::string> messages() {
    std::vector<std::string> texts;
    for (const auto& e : eventsOf(EventKind::MessageBox)) {
        texts.push_back(e.text);
    }
    return texts;
}

// The four pillar buttons of a panel, year to hour.
std::string pillars(const ScriptedDialog& panel) {
    return panel.text(1021) + " " + panel.text(1022) + " " + panel.text(1023) + " " +
           panel.text(1024);
}

TEST_F(BirthTime, MinutesBirthplaceAndRulesReachThePanelAndTheFile) {
    const struct {
        const char* what;
        bool precise;
        Typed typed;
        const char* place;
        const char* degrees;
        const char* line;  // DATA.CSV
        const char* pillars;
        const char* reading;  // the panel's box, CR LF between lines
    } cases[] = {
        {"the classic rules read the clock as it was given",
         false,
         {"甲", kMale, "1990", "5", "20", "10:20"},
         "福岡県",
         nullptr,
         "甲,1,0,1990,5,20,10:20,\n",
         "庚午 辛巳 乙酉 辛巳",
         "命式の流儀：古典(夏時刻は考慮しない、日本標準時、23時は翌日の子の刻、節入りは暦表の時刻)"
         "\r\n"
         "標準時 10時20分"},
        {"精密 in Fukuoka: 18 minutes behind 135°E",
         true,
         {"乙", kMale, "1990", "5", "20", "10:20"},
         "福岡県",
         nullptr,
         "乙,1,0,1990,5,20,10:20,\n",
         "庚午 辛巳 乙酉 辛巳",
         "命式の流儀：精密(夏時刻を標準時に直す、地方平均時、23時は翌日の子の刻、節入りは分単位)"
         "\r\n"
         "標準時 10時20分 / 地方平均時 10時1分"},
        {"精密 in summer time: the clock an hour ahead, the hour pillar another",
         true,
         {"丙", kMale, "1950", "8", "1", "１１：１０"},
         "福岡県",
         nullptr,
         "丙,1,0,1950,8,1,11:10,\n",
         "庚寅 癸未 戊辰 丁巳",  // the clock's 11時 would be 戊午
         "命式の流儀：精密(夏時刻を標準時に直す、地方平均時、23時は翌日の子の刻、節入りは分単位)"
         "\r\n"
         "時計の時刻 11時10分 / 標準時 10時10分 / 地方平均時 9時51分"},
        {"a typed longitude, 10時20分 as the input method writes it",
         true,
         {"丁", kMale, "1990", "5", "20", "10時20分"},
         "経度を入力",
         "１３９．７",
         "丁,1,0,1990,5,20,10:20,\n",
         "庚午 辛巳 乙酉 辛巳",
         "命式の流儀：精密(夏時刻を標準時に直す、地方平均時、23時は翌日の子の刻、節入りは分単位)"
         "\r\n"
         "標準時 10時20分 / 地方平均時 10時38分"},
        {"no birthplace: no solar time, and a notice says why",
         true,
         {"戊", kMale, "1990", "5", "20", "10:20"},
         "指定なし",
         nullptr,
         "戊,1,0,1990,5,20,10:20,\n",
         "庚午 辛巳 乙酉 辛巳",
         "命式の流儀：精密(夏時刻を標準時に直す、地方平均時、23時は翌日の子の刻、節入りは分単位)"
         "\r\n"
         "標準時 10時20分\r\n"
         "出生地が指定されていないため、地方時の補正はしていません"},
    };
    std::string file;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        chooseRules([&c](ScriptedDialog& d) { d.click(c.precise ? kPrecise : kClassic); });
        enter(c.typed, c.place, c.degrees);
        EXPECT_TRUE(messages().empty());
        ASSERT_FALSE(openDialogs().empty());
        const ScriptedDialog& panel = *openDialogs().back();
        EXPECT_EQ(pillars(panel), sjis(c.pillars));
        EXPECT_EQ(panel.text(kPanelReading), sjis(c.reading));
        file += sjis(c.line);
        EXPECT_EQ(readFile(folder() / "DATA.CSV"), file);

        // The 命式表 of the panel's person says the same.
        ASSERT_TRUE(openDialogs().back()->chooseFromContextMenu(kCommandFullChart));
        const ScriptedDialog& chart = *openDialogs().back();
        EXPECT_EQ(chart.text(127), sjis(c.reading));
        EXPECT_EQ(chart.tableRows(120)[0][1] + chart.tableRows(120)[2][1],
                  std::string(sjis(c.pillars)).substr(sjis("庚午 辛巳 乙酉 ").size()));
    }
}

TEST_F(BirthTime, AnUnknownHourHasThreePillarsEverywhere) {
    enter({"時不明", kMale, "1990", "5", "20", nullptr});
    ASSERT_EQ(openDialogs().size(), 1u);
    ScriptedDialog& panel = *openDialogs().back();
    EXPECT_EQ(pillars(panel), sjis("庚午 辛巳 乙酉 不明"));
    EXPECT_EQ(readFile(folder() / "DATA.CSV"), sjis("時不明,1,0,1990,5,20,不明,\n"));
    EXPECT_NE(panel.text(kPanelReading).find(sjis("生まれた時刻は不明です")), std::string::npos);

    // 不明 is no pillar: its button tells so and leaves the judgement as it was.
    panel.click(1023);
    panel.click(1024);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{sjis("生まれた時刻が不明のため、時柱はありません")}));
    EXPECT_EQ(panel.text(101), sjis("乙酉"));
    EXPECT_EQ(panel.text(65535), sjis("自分,配偶者"));

    ASSERT_TRUE(panel.chooseFromContextMenu(kCommandFullChart));
    const ScriptedDialog& chart = *openDialogs().back();
    EXPECT_EQ(chart.text(110), sjis("時不明  男  1990年5月20日時刻不明"));
    // No hour, no hour column: the day pillar stands at the left.
    EXPECT_EQ(chart.tableHeadings(120),
              (std::vector<std::string>{"", sjis("日柱"), sjis("月柱"), sjis("年柱")}));
    const auto& rows = chart.tableRows(120);
    ASSERT_EQ(rows.size(), 8u);
    for (const auto& row : rows) {
        EXPECT_EQ(row.size(), 4u);
    }
    EXPECT_EQ(rows[0][1], sjis("乙"));

    // Chosen again from the file, the person keeps the unknown hour.
    whenDialogOpens("DATADLG", [](ScriptedDialog& d) {
        EXPECT_EQ(d.text(1021), sjis("時不明        男  1990年5月20日時刻不明"));
        d.click(1021);
        EXPECT_EQ(d.text(103), sjis("1990年5月20日時刻不明"));
        d.click(platform::kIdOk);
    });
    command(kCommandOpenDataFile);
    EXPECT_EQ(pillars(*openDialogs().back()), sjis("庚午 辛巳 乙酉 不明"));

    // The dialog opens on the current person: 時刻不明 ticked, the hour box empty and disabled.
    whenDialogOpens("BIRTHDLG", [](ScriptedDialog& d) {
        EXPECT_TRUE(d.isChecked(kHourUnknown));
        EXPECT_EQ(d.text(kHour), "");
        EXPECT_FALSE(d.isEnabled(kHour));
        d.type(kHour, "10");  // nothing reaches a disabled box
        EXPECT_EQ(d.text(kHour), "");
        d.click(kHourUnknown);
        EXPECT_TRUE(d.isEnabled(kHour));
        EXPECT_EQ(d.focus(), kHour);
        d.click(platform::kIdCancel);
    });
    command(kCommandBirthData);
}

TEST_F(BirthTime, WhatCannotBeABirthIsRefusedWithTheFocusOnItsBox) {
    const struct {
        Typed typed;
        bool summerTime;
        const char* place;
        const char* degrees;
        const char* message;
        int focus;
    } cases[] = {
        {{"甲", kMale, "1990", "5", "20", "10:60"},
         false,
         nullptr,
         nullptr,
         "時刻データを確認して下さい",
         kHour},
        {{"甲", kMale, "1990", "5", "20", "24:00"},
         false,
         nullptr,
         nullptr,
         "時刻データを確認して下さい",
         kHour},
        {{"甲", kMale, "1990", "5", "20", "10:"},
         false,
         nullptr,
         nullptr,
         "時刻データを確認して下さい",
         kHour},
        {{"甲", kMale, "1990", "5", "20", "10時20秒"},
         false,
         nullptr,
         nullptr,
         "時刻データを確認して下さい",
         kHour},
        {{"甲", kMale, "1990", "5", "20", "10:20"},
         false,
         "経度を入力",
         "",
         "経度は東経120度から155度までの数で入力して下さい(例：130.42)",
         kLongitude},
        {{"甲", kMale, "1990", "5", "20", "10:20"},
         false,
         "経度を入力",
         "119.9",
         "経度は東経120度から155度までの数で入力して下さい(例：130.42)",
         kLongitude},
        {{"甲", kMale, "1990", "5", "20", "10:20"},
         false,
         "経度を入力",
         "東経130",
         "経度は東経120度から155度までの数で入力して下さい(例：130.42)",
         kLongitude},
        // The first Sunday of summer time had no 0時台: its clock went from 23:59 to 1:00.
        {{"甲", kMale, "1948", "5", "2", "0:30"},
         true,
         nullptr,
         nullptr,
         "夏時刻が始まった日のこの時刻は存在しません",
         kHour},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        chooseRules([&c](ScriptedDialog& d) {
            d.click(kClassic);
            d.chooseListItem(kSummerTime, c.summerTime ? 1 : 0);
        });
        const std::size_t before = messages().size();
        int focus = 0;
        whenDialogOpens("BIRTHDLG", [&](ScriptedDialog& d) {
            if (c.place != nullptr) {
                d.chooseListItem(kPlace, sjis(c.place));
                d.type(kLongitude, sjis(c.degrees));
            }
            typeBirth(d, c.typed);
            focus = d.focus();
            EXPECT_FALSE(d.ended());
        });
        command(kCommandBirthData);
        ASSERT_EQ(messages().size(), before + 1);
        EXPECT_EQ(messages().back(), sjis(c.message));
        EXPECT_EQ(focus, c.focus);
    }
    EXPECT_TRUE(openDialogs().empty());
    EXPECT_FALSE(std::filesystem::exists(folder() / "DATA.CSV"));
    // Under the classic rules the same clock reading is a birth like any other.
    chooseRules([](ScriptedDialog& d) { d.click(kClassic); });
    enter({"乙", kMale, "1948", "5", "2", "0:30"});
    EXPECT_EQ(openDialogs().size(), 1u);
}

TEST_F(BirthTime, TheRulesDialogMovesBetweenPresetsAndSingleRules) {
    const struct {
        const char* what;
        std::function<void(ScriptedDialog&)> actions;
        ChartRules rules;
        int preset;
    } cases[] = {
        {"精密", [](ScriptedDialog& d) { d.click(kPrecise); }, preciseRules(DayChangeRule::Split),
         kPrecise},
        {"精密 keeps the day change chosen",
         [](ScriptedDialog& d) {
             d.chooseListItem(kDayChange, 1);
             d.click(kPrecise);
         },
         preciseRules(DayChangeRule::At23), kPrecise},
        {"古典 turns every rule back, the day change too",
         [](ScriptedDialog& d) {
             d.chooseListItem(kDayChange, 2);
             d.click(kPrecise);
             d.click(kClassic);
         },
         kClassicRules, kClassic},
        {"one rule changed makes no preset",
         [](ScriptedDialog& d) {
             d.click(kClassic);
             d.chooseListItem(kTerms, 1);
         },
         {SummerTimeRule::Ignore, SolarTimeRule::Clock, DayChangeRule::Split, TermRule::Exact},
         kCustom},
        {"the rules that make 精密 are 精密, however chosen",
         [](ScriptedDialog& d) {
             d.click(kClassic);
             d.chooseListItem(kSummerTime, 1);
             d.chooseListItem(kSolarTime, 1);
             d.chooseListItem(kTerms, 1);
         },
         preciseRules(DayChangeRule::Split), kPrecise},
        {"the hidden-stem table and the term day are no part of a preset",
         [](ScriptedDialog& d) {
             d.chooseListItem(kHiddenTable, 2);
             d.click(kCountTermDay);
             d.click(kPrecise);
         },
         {SummerTimeRule::Apply, SolarTimeRule::Mean, DayChangeRule::Split, TermRule::Exact,
          HiddenTable::Sanmei, true},
         kPrecise},
        {"古典 keeps them",
         [](ScriptedDialog&) {},
         {SummerTimeRule::Ignore, SolarTimeRule::Clock, DayChangeRule::Split, TermRule::Table,
          HiddenTable::Sanmei, true},
         kClassic},
        {"and they turn back one by one",
         [](ScriptedDialog& d) {
             d.chooseListItem(kHiddenTable, 0);
             d.click(kCountTermDay);
         },
         kClassicRules, kClassic},
        {"地方真太陽時",
         [](ScriptedDialog& d) { d.chooseListItem(kSolarTime, 2); },
         {SummerTimeRule::Ignore, SolarTimeRule::True, DayChangeRule::Split, TermRule::Table},
         kCustom},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int checked = 0;
        chooseRules([&](ScriptedDialog& d) {
            d.click(kClassic);
            c.actions(d);
            for (const int id : {kClassic, kPrecise, kCustom}) {
                checked = d.isChecked(id) ? id : checked;
            }
        });
        EXPECT_EQ(state().rules, c.rules);
        EXPECT_EQ(checked, c.preset);
    }
    // Opened again, it shows the rules in force; cancelled, it leaves them.
    whenDialogOpens("RYUGI", [](ScriptedDialog& d) {
        EXPECT_EQ(d.listItems(kSolarTime),
                  (std::vector<std::string>{sjis("日本標準時"), sjis("地方平均時"),
                                            sjis("地方真太陽時")}));
        EXPECT_EQ(d.selectedListItem(kSolarTime), 2);
        EXPECT_TRUE(d.isChecked(kCustom));
        d.click(kPrecise);
        d.pressEscape();
    });
    command(kCommandChartRules);
    EXPECT_EQ(state().rules.solarTime, SolarTimeRule::True);
    EXPECT_EQ(state().rules.terms, TermRule::Table);
}

// The program started again in the same folder: a new state, a new main window.
std::unique_ptr<ConsultationState> restart() {
    platform::script::reset();
    auto state = std::make_unique<ConsultationState>();
    char name[] = "quorvel";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(runApplication(*state, 1, argv), 0);
    return state;
}

TEST_F(BirthTime, TheRulesAndTheBirthplaceOutliveTheRun) {
    chooseRules([](ScriptedDialog& d) {
        d.click(kPrecise);
        d.chooseListItem(kDayChange, 1);
    });
    enter({"甲", kMale, "1990", "5", "20", "10:20"}, "福岡県");
    enter({"乙", kMale, "1990", "5", "20", "10:20"}, "経度を入力", "141.35");
    enter({"丙", kMale, "1990", "5", "20", "10:20"}, "指定なし");
    ASSERT_TRUE(messages().empty());
    EXPECT_TRUE(std::filesystem::exists(folder() / "QUORVEL.DB"));

    const auto again = restart();
    EXPECT_EQ(again->rules, preciseRules(DayChangeRule::At23));
    EXPECT_TRUE(messages().empty());
    // Each person chosen from the file comes back with the birthplace entered.
    const struct {
        int button;
        const char* times;
        const char* placeShown;
    } cases[] = {
        {1021, "標準時 10時20分 / 地方平均時 10時1分", "福岡県"},
        {1022, "標準時 10時20分 / 地方平均時 10時45分", "東経141.35度"},
        {1023, "標準時 10時20分", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.times);
        whenDialogOpens("DATADLG", [&c](ScriptedDialog& d) {
            d.click(c.button);
            d.click(platform::kIdOk);
        });
        platform::script::sendCommand(kCommandOpenDataFile);
        ScriptedDialog& panel = *openDialogs().back();
        const std::string reading = panel.text(kPanelReading);
        EXPECT_NE(reading.find(sjis(c.times)), std::string::npos);
        EXPECT_EQ(reading.find(sjis("地方平均時 10時1分")) != std::string::npos, c.button == 1021);
        ASSERT_TRUE(panel.chooseFromContextMenu(kCommandFullChart));
        const std::string person = openDialogs().back()->text(110);
        EXPECT_EQ(c.placeShown != nullptr ? person.ends_with(sjis(c.placeShown))
                                          : person.ends_with(sjis("生まれ")),
                  true)
            << person;
        // The birth data dialog opens on the chosen person, birthplace and all.
        whenDialogOpens("BIRTHDLG", [&c](ScriptedDialog& d) {
            EXPECT_EQ(d.text(kHour), "10:20");
            EXPECT_EQ(d.selectedListItem(kPlace), c.button == 1021   ? 40
                                                  : c.button == 1022 ? 48
                                                                     : 0);
            EXPECT_EQ(d.text(kLongitude), c.button == 1022 ? "141.35" : "");
            EXPECT_EQ(d.isEnabled(kLongitude), c.button == 1022);
            d.click(platform::kIdCancel);
        });
        platform::script::sendCommand(kCommandBirthData);
    }
    // The person list reads the birthplace back too.
    whenDialogOpens("JINBUTSU", [](ScriptedDialog& d) { d.chooseRow(120, 0); });
    platform::script::sendCommand(kCommandPersonList);
    EXPECT_NE(openDialogs().back()->text(kPanelReading).find(sjis("地方平均時 10時1分")),
              std::string::npos);
    EXPECT_TRUE(messages().empty());
}

TEST_F(BirthTime, ADamagedDatabaseIsToldSetAsideAndTheConsultationGoesOn) {
    writeFile(folder() / "QUORVEL.DB", "this is no database, though it has its name");
    const auto again = restart();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("QUORVEL.DB"), std::string::npos);
    EXPECT_EQ(again->rules, kClassicRules);
    bool setAside = false;
    for (const auto& entry : std::filesystem::directory_iterator(folder())) {
        setAside = setAside || entry.path().filename().string().starts_with("QUORVEL.DB.damaged-");
    }
    EXPECT_TRUE(setAside);
    // The consultation goes on, and the next write makes a new file.
    enter({"甲", kMale, "1990", "5", "20", "10:20"}, "福岡県");
    EXPECT_EQ(messages().size(), 1u);
    ASSERT_EQ(openDialogs().size(), 1u);
    EXPECT_EQ(openDialogs().back()->text(1024), sjis("辛巳"));
    EXPECT_TRUE(std::filesystem::exists(folder() / "QUORVEL.DB"));
}

}  // namespace
}  // namespace quorvel
