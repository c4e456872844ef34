#include "store/quorvel_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <regex>

#include "store/schema.h"
#include "tests/store/store_folder.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

class Store : public test::StoreFolder {};

BirthDetails bornIn(const Birthplace& place) {
    return BirthDetails{place};
}

TEST_F(Store, AMissingFileIsMadeAtTheFirstWriteOnly) {
    QuorvelStore store = QuorvelStore::open(folder());
    EXPECT_EQ(store.openStatus(), StoreOpen::Missing);
    EXPECT_TRUE(store.problem().empty());
    EXPECT_FALSE(store.birthDetails("taro,1,0,1965,3,15,10,"));
    EXPECT_FALSE(store.rules());
    EXPECT_FALSE(store.setting("window.size"));
    EXPECT_TRUE(entries().empty());

    ASSERT_TRUE(store.saveBirthDetails("taro,1,0,1965,3,15,10,", bornIn(prefectureBirthplace(40))));
    EXPECT_EQ(entries(), std::vector<std::string>{"QUORVEL.DB"});
    EXPECT_EQ(store.birthDetails("taro,1,0,1965,3,15,10,"), bornIn(prefectureBirthplace(40)));

    const QuorvelStore again = QuorvelStore::open(folder());
    EXPECT_EQ(again.openStatus(), StoreOpen::Ok);
    EXPECT_EQ(again.birthDetails("taro,1,0,1965,3,15,10,"), bornIn(prefectureBirthplace(40)));
}

TEST_F(Store, AFolderThatIsNotThereFailsTheWriteAndNothingElse) {
    QuorvelStore store = QuorvelStore::open(path("none").string());
    EXPECT_EQ(store.openStatus(), StoreOpen::Missing);
    EXPECT_FALSE(store.saveSetting("window.size", "640x480"));
    EXPECT_FALSE(store.setting("window.size"));
}

// Every kind of birthplace comes back as it went in, each under its own line, however the line
// ends; an identical line is the same person, whose details a second save replaces.
TEST_F(Store, DetailsComeBackUnderTheirLineWhateverItsEnd) {
    const struct {
        std::string line;
        Birthplace place;
    } people[] = {
        {"taro,1,0,1965,3,15,10,", prefectureBirthplace(1)},
        {"hanako,0,1,1972,5,7,23,", prefectureBirthplace(40)},
        {"jiro,1,0,1950,8,1,11:10,", prefectureBirthplace(kOkinawa)},
        {"saburo,1,0,1948,5,2,0,", typedBirthplace(kFirstTypedLongitude)},
        {"shiro,1,0,1949,4,3,1,", typedBirthplace(130.4181)},
        {"goro,1,0,1951,9,9,0,", typedBirthplace(kLastTypedLongitude)},
        {"nobody,0,1,1980,1,1,不明,", Birthplace{}},
        // Shift-JIS names, one with 0x5C as a trail byte (表), as DATA.CSV holds them.
        {sjis("表示子,0,1,1990,12,31,23,"), prefectureBirthplace(13)},
        {sjis("山田一郎,1,0,1901,2,4,5,"), typedBirthplace(141.35)},
    };
    {
        QuorvelStore store = QuorvelStore::open(folder());
        for (const auto& person : people) {
            ASSERT_TRUE(store.saveBirthDetails(person.line + "\r\n", bornIn(person.place)))
                << person.line;
        }
    }
    const QuorvelStore store = QuorvelStore::open(folder());
    ASSERT_EQ(store.openStatus(), StoreOpen::Ok);
    for (const auto& person : people) {
        for (const char* end : {"", "\n", "\r\n"}) {
            EXPECT_EQ(store.birthDetails(person.line + end), bornIn(person.place))
                << person.line << " ending in " << std::string(end).size() << " bytes";
        }
    }
    // Another person is another line, however close.
    EXPECT_FALSE(store.birthDetails("taro,1,0,1965,3,15,10"));
    EXPECT_FALSE(store.birthDetails("taro,1,0,1965,3,15,10, "));
    EXPECT_FALSE(store.birthDetails(""));

    QuorvelStore writer = QuorvelStore::open(folder());
    ASSERT_TRUE(writer.saveBirthDetails(people[0].line + "\n", bornIn(typedBirthplace(125.5))));
    EXPECT_EQ(writer.birthDetails(people[0].line), bornIn(typedBirthplace(125.5)));
    EXPECT_EQ(writer.birthDetails(people[1].line), bornIn(people[1].place));
    EXPECT_FALSE(writer.saveBirthDetails("\r\n", bornIn(prefectureBirthplace(1))));
}

TEST_F(Store, RulesAndSettingsComeBackAsSaved) {
    const ChartRules cases[] = {
        kClassicRules,
        preciseRules(DayChangeRule::Split),
        preciseRules(DayChangeRule::At23),
        preciseRules(DayChangeRule::At0),
        {SummerTimeRule::Ignore, SolarTimeRule::True, DayChangeRule::At23, TermRule::Table},
        {SummerTimeRule::Apply, SolarTimeRule::Clock, DayChangeRule::Split, TermRule::Exact,
         HiddenTable::Sanmei, true},
        {SummerTimeRule::Ignore, SolarTimeRule::Clock, DayChangeRule::Split, TermRule::Table,
         HiddenTable::Simplified, false},
    };
    for (const ChartRules& rules : cases) {
        {
            QuorvelStore store = QuorvelStore::open(folder());
            ASSERT_TRUE(store.saveRules(rules));
        }
        const QuorvelStore store = QuorvelStore::open(folder());
        EXPECT_EQ(store.rules(), rules) << ruleWord(rules.solarTime) << ruleWord(rules.dayChange);
    }

    QuorvelStore store = QuorvelStore::open(folder());
    ASSERT_TRUE(store.saveSetting("window.size", "640x480"));
    ASSERT_TRUE(store.saveSetting("window.size", ""));
    EXPECT_EQ(store.setting("window.size"), "");
    // A word a later Quorvel may write reads as the default of its rule alone.
    ASSERT_TRUE(store.saveSetting("rules.solar_time", "sidereal"));
    ChartRules expected = cases[std::size(cases) - 1];  // the last saved
    expected.solarTime = SolarTimeRule::Clock;
    EXPECT_EQ(store.rules(), expected);
}

// A file of this program's with one person and one setting; its bytes.
std::string aStoreFile(const std::string& folder) {
    {
        QuorvelStore store = QuorvelStore::open(folder);
        EXPECT_TRUE(
            store.saveBirthDetails("taro,1,0,1965,3,15,10,", bornIn(typedBirthplace(130.5))));
        EXPECT_TRUE(store.saveSetting("rules.terms", "exact"));
    }
    return test::StoreFolder::read(std::filesystem::path(folder) / "QUORVEL.DB");
}

enum class Afterwards { SetAside, Untouched };

// What open does with a file it cannot use as it is, and that the caller goes on all the same:
// a damaged file is renamed, never deleted, and a new one made at the next write; a file from a
// newer program is read as far as this one understands it and never written.
TEST_F(Store, AFileThatCannotBeUsedIsReportedAndTheCallerGoesOn) {
    const std::regex asideName(R"(QUORVEL\.DB\.damaged-\d{8}-\d{6}(-\d+)?)");
    const struct {
        const char* name;
        std::string (*damage)(std::string file);
        StoreOpen status;
        Afterwards afterwards;
    } cases[] = {
        {"not a database",
         [](std::string) { return std::string(5000, 'x') + "an earlier program's notes\n"; },
         StoreOpen::SetAside, Afterwards::SetAside},
        {"a few bytes", [](std::string) { return std::string("SQLite"); }, StoreOpen::SetAside,
         Afterwards::SetAside},
        {"cut after its first page", [](std::string file) { return file.substr(0, 4096 + 300); },
         StoreOpen::SetAside, Afterwards::SetAside},
        {"a page overwritten",
         [](std::string file) { return file.replace(4096, 4096, std::string(4096, '\xA5')); },
         StoreOpen::SetAside, Afterwards::SetAside},
        {"a newer schema",
         [](std::string file) {
             // user_version: four bytes, most significant first, at offset 60 of the header.
             file[63] = static_cast<char>(store::kSchemaVersion + 1);
             return file;
         },
         StoreOpen::Newer, Afterwards::Untouched},
    };
    const std::filesystem::path db = path("QUORVEL.DB");
    const std::string good = aStoreFile(folder());
    ASSERT_GT(good.size(), 3 * 4096u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clear();
        const std::string bad = c.damage(good);
        write(db, bad);

        QuorvelStore store = QuorvelStore::open(folder());
        EXPECT_EQ(store.openStatus(), c.status);
        EXPECT_EQ(std::string(store.problem(), 0, 10), "QUORVEL.DB");
        const bool newer = c.status == StoreOpen::Newer;
        // What the newer file holds in the tables this program knows is read.
        EXPECT_EQ(store.birthDetails("taro,1,0,1965,3,15,10,").has_value(), newer);
        EXPECT_EQ(store.setting("rules.terms").has_value(), newer);
        const bool written =
            store.saveBirthDetails("jiro,1,0,1901,1,1,0,", bornIn(prefectureBirthplace(2)));
        EXPECT_EQ(written, !newer);

        const std::vector<std::string> names = entries();
        if (c.afterwards == Afterwards::Untouched) {
            EXPECT_EQ(names, std::vector<std::string>{"QUORVEL.DB"});
            EXPECT_EQ(read(db), bad);
            continue;
        }
        ASSERT_EQ(names.size(), 2u);
        EXPECT_EQ(names[0], "QUORVEL.DB");
        EXPECT_TRUE(std::regex_match(names[1], asideName)) << names[1];
        EXPECT_EQ(read(path(names[1])), bad);
        EXPECT_NE(store.problem().find(names[1]), std::string_view::npos);
        const QuorvelStore made = QuorvelStore::open(folder());
        EXPECT_EQ(made.openStatus(), StoreOpen::Ok);
        EXPECT_EQ(made.birthDetails("jiro,1,0,1901,1,1,0,"), bornIn(prefectureBirthplace(2)));
        EXPECT_FALSE(made.birthDetails("taro,1,0,1965,3,15,10,"));
    }
}

TEST_F(Store, ASecondDamagedFileTakesANameOfItsOwn) {
    for (int n = 0; n < 2; ++n) {
        write(path("QUORVEL.DB"), "damaged " + std::to_string(n) + std::string(600, '\n'));
        EXPECT_EQ(QuorvelStore::open(folder()).openStatus(), StoreOpen::SetAside);
    }
    const std::vector<std::string> names = entries();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_NE(read(path(names[0])), read(path(names[1])));
}

// Neither a folder in the file's place nor an empty file is damage: the one is left alone, the
// other is the empty database it reads as.
TEST_F(Store, WhatIsNotDamageIsNeverRenamed) {
    std::filesystem::create_directory(path("QUORVEL.DB"));
    {
        QuorvelStore store = QuorvelStore::open(folder());
        EXPECT_EQ(store.openStatus(), StoreOpen::Failed);
        EXPECT_FALSE(store.problem().empty());
        EXPECT_FALSE(store.saveSetting("window.size", "640x480"));
        EXPECT_EQ(entries(), std::vector<std::string>{"QUORVEL.DB"});
    }
    std::filesystem::remove(path("QUORVEL.DB"));
    write(path("QUORVEL.DB"), "");
    QuorvelStore store = QuorvelStore::open(folder());
    EXPECT_EQ(store.openStatus(), StoreOpen::Ok);
    EXPECT_TRUE(store.saveSetting("window.size", "640x480"));
    EXPECT_EQ(QuorvelStore::open(folder()).setting("window.size"), "640x480");
}

// One file format on every system: tools/windows.sh hands a folder to the Linux and the Windows
// test in turn (QUORVEL_STORE_EXCHANGE); whichever finds no file writes one, the other reads it.
TEST_F(Store, AFileWrittenOnTheOtherSystemReads) {
    const char* exchange = std::getenv("QUORVEL_STORE_EXCHANGE");
    if (exchange == nullptr || exchange[0] == '\0') {
        GTEST_SKIP() << "QUORVEL_STORE_EXCHANGE names no folder";
    }
    const std::string line = sjis("表示子,0,1,1990,12,31,23,");
    const ChartRules rules = preciseRules(DayChangeRule::At23);
    QuorvelStore store = QuorvelStore::open(exchange);
    if (store.openStatus() == StoreOpen::Missing) {
        ASSERT_TRUE(store.saveBirthDetails(line, bornIn(typedBirthplace(130.4181))));
        ASSERT_TRUE(
            store.saveBirthDetails("taro,1,0,1965,3,15,10,", bornIn(prefectureBirthplace(40))));
        ASSERT_TRUE(store.saveRules(rules));
        return;
    }
    ASSERT_EQ(store.openStatus(), StoreOpen::Ok);
    EXPECT_EQ(store.birthDetails(line + "\r\n"), bornIn(typedBirthplace(130.4181)));
    EXPECT_EQ(store.birthDetails("taro,1,0,1965,3,15,10,"), bornIn(prefectureBirthplace(40)));
    EXPECT_EQ(store.rules(), rules);
}

}  // namespace
}  // namespace quorvel
