#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <functional>

#include "records/casebook_view.h"
#include "store/quorvel_store.h"
#include "tests/store/store_folder.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

class Casebook : public test::StoreFolder {};

std::string line(const char* name) {
    return std::string(name) + ",1,0,1965,3,15,10,";
}

PersonList listOf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) {
        text += l + "\r\n";
    }
    PersonList list;
    parsePersonList(text, list);
    return list;
}

std::string repeated(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

struct Standing {
    int supersededBy;
    int supersedes;
    bool hidden;
    std::string note;
};

// Corrections made in order, then the data file as it stands afterwards: each record's current
// version, what it corrected, its hidden mark and the note its person carries.
TEST_F(Casebook, CorrectionChainsFollowTheLinesTheFileStillHolds) {
    using Step = std::function<StoreWrite(QuorvelStore&)>;
    const auto correct = [](const char* from, const char* to) -> Step {
        return [=](QuorvelStore& s) { return s.supersede(line(from), line(to), BirthDetails{}); };
    };
    const auto hide = [](const char* name, bool hidden) -> Step {
        return [=](QuorvelStore& s) { return s.setHidden(line(name) + "\n", hidden); };
    };
    const auto note = [](const char* name, const char* text) -> Step {
        return [=](QuorvelStore& s) { return s.saveNote(line(name), text); };
    };
    const struct {
        const char* name;
        std::vector<Step> steps;
        std::vector<std::string> file;
        std::vector<Standing> expected;
        std::size_t superseded;
    } cases[] = {
        {"corrected once, the note carried",
         {note("a", "asked about work"), correct("a", "b")},
         {line("a"), line("x"), line("b")},
         {{3, 0, false, "asked about work"}, {0, 0, false, ""}, {0, 1, false, "asked about work"}},
         1},
        {"corrected twice: both earlier lines point at the newest",
         {correct("a", "b"), note("b", "n"), correct("b", "c")},
         {line("a"), line("b"), line("c")},
         {{3, 0, false, "n"}, {3, 1, false, "n"}, {0, 2, false, "n"}},
         2},
        {"a corrected person hidden through its old line",
         {correct("a", "b"), hide("a", true)},
         {line("a"), line("b")},
         {{2, 0, true, ""}, {0, 1, true, ""}},
         1},
        {"hidden, then shown again through its new line",
         {correct("a", "b"), hide("a", true), hide("b", false)},
         {line("a"), line("b")},
         {{2, 0, false, ""}, {0, 1, false, ""}},
         1},
        {"the corrected line edited by hand: the old line is current again, with the note",
         {correct("a", "b"), note("b", "n")},
         {line("a"), line("b2")},
         {{0, 0, false, "n"}, {0, 0, false, ""}},
         0},
        {"the newest of three edited away: the middle one is current",
         {correct("a", "b"), correct("b", "c")},
         {line("a"), line("b"), line("c2")},
         {{2, 0, false, ""}, {0, 1, false, ""}, {0, 0, false, ""}},
         1},
        {"corrected back to the first line, appended again: both copies current",
         {correct("a", "b"), correct("b", "a")},
         {line("a"), line("b"), line("a")},
         {{0, 2, false, ""}, {3, 1, false, ""}, {0, 2, false, ""}},
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clear();
        QuorvelStore store = QuorvelStore::open(folder());
        for (const Step& step : c.steps) {
            ASSERT_EQ(step(store), StoreWrite::Done);
        }
        const PersonList list = listOf(c.file);
        const quorvel::Casebook book = QuorvelStore::open(folder()).casebook();
        const CasebookView view = viewCasebook(list, book);
        ASSERT_EQ(view.persons.size(), c.expected.size());
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            SCOPED_TRACE("record " + std::to_string(i + 1));
            const PersonStanding& s = view.persons[i];
            EXPECT_EQ(s.supersededBy, c.expected[i].supersededBy);
            EXPECT_EQ(s.supersedes, c.expected[i].supersedes);
            EXPECT_EQ(s.hidden, c.expected[i].hidden);
            EXPECT_EQ(store.note(c.file[i]), c.expected[i].note);
            EXPECT_EQ(s.hasNote, !c.expected[i].note.empty());
            EXPECT_EQ(showsPerson(view, i, true), c.expected[i].supersededBy == 0);
        }
        EXPECT_EQ(view.supersededCount, c.superseded);
    }
}

TEST_F(Casebook, ACorrectionThatWouldJoinTwoPersonsIsRefused) {
    QuorvelStore store = QuorvelStore::open(folder());
    ASSERT_EQ(store.saveNote(line("x"), "another person"), StoreWrite::Done);
    EXPECT_EQ(store.supersede(line("a"), line("x"), BirthDetails{}), StoreWrite::Refused);
    EXPECT_EQ(store.supersede(line("a"), line("a") + "\r\n", BirthDetails{}), StoreWrite::Refused);
    EXPECT_EQ(store.supersede(line("a"), "\n", BirthDetails{}), StoreWrite::Refused);
    EXPECT_EQ(store.lastWrite(), StoreWrite::Refused);
    // Nothing of the refused correction was kept: a stays a line of no person.
    EXPECT_FALSE(store.casebookLine(line("a")));
    // The birthplace the correction gives goes with the new line only.
    const BirthDetails fukuoka{prefectureBirthplace(40)};
    ASSERT_EQ(store.saveBirthDetails(line("a"), BirthDetails{prefectureBirthplace(1)}), true);
    ASSERT_EQ(store.supersede(line("a"), line("b"), fukuoka), StoreWrite::Done);
    EXPECT_EQ(store.birthDetails(line("b")), fukuoka);
    EXPECT_EQ(store.birthDetails(line("a")), BirthDetails{prefectureBirthplace(1)});
}

TEST(NoteCheck, TakesWellFormedUtf8UpToTheLimit) {
    const struct {
        const char* name;
        std::string note;
        NoteCheck expected;
    } cases[] = {
        {"empty", "", NoteCheck::Ok},
        {"4000 three-byte characters", repeated("\xE3\x81\x82", 4000), NoteCheck::Ok},
        {"4000 four-byte characters", repeated("\xF0\x9F\x98\x80", 4000), NoteCheck::Ok},
        {"4001 three-byte characters", repeated("\xE3\x81\x82", 4001), NoteCheck::TooLong},
        {"4001 characters", std::string(4001, 'x'), NoteCheck::TooLong},
        {"a lone continuation byte", "a\x80", NoteCheck::NotUtf8},
        {"an overlong slash", "\xC0\xAF", NoteCheck::NotUtf8},
        {"an overlong three-byte form", "\xE0\x80\xAF", NoteCheck::NotUtf8},
        {"a surrogate", "\xED\xA0\x80", NoteCheck::NotUtf8},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", NoteCheck::NotUtf8},
        {"cut short at the end", "ok\xE3\x81", NoteCheck::NotUtf8},
        {"Shift-JIS", sjis("鑑定"), NoteCheck::NotUtf8},
        {"a zero byte", std::string("a\0b", 3), NoteCheck::NotUtf8},
        {"line ends and tabs", "one\r\ntwo\tthree\n", NoteCheck::Ok},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checkNote(c.note), c.expected) << c.name;
    }
}

TEST_F(Casebook, NotesAndHistoryComeBackAndEraseLeavesNoTrace) {
    const std::string taro = sjis("表示子,0,1,1990,12,31,23,");
    const std::string secret = "the client's private matter";
    QuorvelStore store = QuorvelStore::open(folder());
    ASSERT_EQ(store.saveNote(taro, secret), StoreWrite::Done);
    ASSERT_EQ(store.appendNote(taro + "\r\n", "a second line"), StoreWrite::Done);
    EXPECT_EQ(store.note(taro), secret + "\na second line");
    // A refused note changes nothing.
    EXPECT_EQ(store.saveNote(taro, std::string(4001, 'x')), StoreWrite::Refused);
    EXPECT_EQ(store.appendNote(taro, std::string(4000, 'x')), StoreWrite::Refused);
    EXPECT_EQ(store.note(taro), secret + "\na second line");

    HistoryEntry report;
    report.when = "2025-05-20T10:30:00";
    report.kind = HistoryKind::Report;
    report.file = "/home/user/鑑定書.html";
    HistoryEntry judgement;
    judgement.when = report.when;  // the same second: the later one comes first
    judgement.kind = HistoryKind::Judgement;
    judgement.period = {PeriodSource::Year, sjis("甲子"), 2025, 5, 20};
    judgement.text = sjis("表の運勢\\は") + secret;
    HistoryEntry older = judgement;
    older.when = "2024-01-02T03:04:05";
    older.kind = HistoryKind::Compat;
    older.period = {PeriodSource::Luck, sjis("庚午"), 0, 0, 0};
    for (const HistoryEntry* entry : {&report, &older, &judgement}) {
        ASSERT_EQ(store.addHistory(taro, *entry), StoreWrite::Done);
    }
    std::vector<HistoryEntry> history = QuorvelStore::open(folder()).history(taro + "\n");
    ASSERT_EQ(history.size(), 3u);
    for (HistoryEntry& entry : history) {
        EXPECT_NE(entry.id, 0);
        entry.id = 0;
    }
    EXPECT_EQ(history, (std::vector<HistoryEntry>{judgement, report, older}));
    EXPECT_EQ(periodText(judgement.period), sjis("2025年5月20日 甲子"));
    EXPECT_EQ(periodText(older.period), sjis("大運 庚午"));
    EXPECT_EQ(store.casebookLine(taro)->lastConsultation, report.when);

    ASSERT_EQ(store.setHidden(taro, true), StoreWrite::Done);
    ASSERT_EQ(store.erase(taro), StoreWrite::Done);
    EXPECT_EQ(store.note(taro), "");
    EXPECT_TRUE(store.history(taro).empty());
    EXPECT_TRUE(store.casebookLine(taro)->hidden);
    // Erased for good: not left in the file's free pages, nor in a journal beside it.
    EXPECT_EQ(entries(), std::vector<std::string>{"QUORVEL.DB"});
    EXPECT_EQ(read(path("QUORVEL.DB")).find(secret), std::string::npos);
}

// A file of the first version, from before the casebook, takes it on at its first write and
// keeps what it held.
TEST_F(Casebook, AFileOfTheFirstVersionGainsTheCasebook) {
    const BirthDetails fukuoka{prefectureBirthplace(40)};
    {
        QuorvelStore store = QuorvelStore::open(folder());
        ASSERT_TRUE(store.saveBirthDetails(line("a"), fukuoka));
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path("QUORVEL.DB").string().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "DROP TABLE history; DROP TABLE person_lines; DROP TABLE persons;"
                           "PRAGMA user_version = 1",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    QuorvelStore store = QuorvelStore::open(folder());
    EXPECT_EQ(store.openStatus(), StoreOpen::Ok);
    EXPECT_EQ(store.note(line("a")), "");
    EXPECT_TRUE(store.casebook().lines.empty());
    ASSERT_EQ(store.saveNote(line("a"), "n"), StoreWrite::Done);
    const QuorvelStore again = QuorvelStore::open(folder());
    EXPECT_EQ(again.note(line("a")), "n");
    EXPECT_EQ(again.birthDetails(line("a")), fukuoka);
}

// Another program holding the file: the write waits a few seconds, then says so and changes
// nothing; a newer program's file is read and never written.
TEST_F(Casebook, ABusyOrNewerFileLosesNoNote) {
    QuorvelStore store = QuorvelStore::open(folder());
    ASSERT_EQ(store.saveNote(line("a"), "kept"), StoreWrite::Done);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path("QUORVEL.DB").string().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(store.saveNote(line("a"), "lost?"), StoreWrite::Busy);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_FALSE(storeWriteMessage(StoreWrite::Busy).empty());
    ASSERT_EQ(sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(store.note(line("a")), "kept");
    ASSERT_EQ(store.saveNote(line("a"), "saved"), StoreWrite::Done);

    ASSERT_EQ(sqlite3_exec(other, "PRAGMA user_version = 99", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(other);
    const std::string before = read(path("QUORVEL.DB"));
    QuorvelStore newer = QuorvelStore::open(folder());
    EXPECT_EQ(newer.openStatus(), StoreOpen::Newer);
    EXPECT_EQ(newer.note(line("a")), "saved");
    EXPECT_EQ(newer.saveNote(line("a"), "x"), StoreWrite::ReadOnly);
    EXPECT_EQ(newer.addHistory(line("a"), HistoryEntry{}), StoreWrite::ReadOnly);
    EXPECT_EQ(read(path("QUORVEL.DB")), before);
}

TEST_F(Casebook, ABackupRestoresAndTheReplacedFileIsKept) {
    QuorvelStore store = QuorvelStore::open(folder());
    ASSERT_EQ(store.backupTo(path("nothing.db").string()), StoreWrite::Done);
    EXPECT_FALSE(std::filesystem::exists(path("nothing.db")));
    ASSERT_EQ(store.saveNote(line("a"), "at the backup"), StoreWrite::Done);
    // Copied while another program reads it.
    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open(path("QUORVEL.DB").string().c_str(), &reader), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(reader, "BEGIN; SELECT count(*) FROM persons", nullptr, nullptr, nullptr),
        SQLITE_OK);
    std::filesystem::create_directory(path("backup"));
    const std::string copy = path("backup/QUORVEL.DB").string();
    ASSERT_EQ(store.backupTo(copy), StoreWrite::Done);
    sqlite3_exec(reader, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(reader);
    ASSERT_EQ(store.saveNote(line("a"), "after the backup"), StoreWrite::Done);
    store = QuorvelStore::open(path("elsewhere").string());  // the folder's file closed

    write(path("garbage.db"), std::string(5000, 'x'));
    EXPECT_EQ(QuorvelStore::restore(folder(), path("garbage.db").string()).outcome,
              StoreWrite::Refused);
    EXPECT_EQ(QuorvelStore::open(folder()).note(line("a")), "after the backup");

    const RestoreOutcome restored = QuorvelStore::restore(folder(), copy);
    ASSERT_EQ(restored.outcome, StoreWrite::Done);
    EXPECT_EQ(QuorvelStore::open(folder()).note(line("a")), "at the backup");
    ASSERT_TRUE(restored.asideName.starts_with("QUORVEL.DB.before-restore-"));
    EXPECT_EQ(QuorvelStore::open(folder()).openStatus(), StoreOpen::Ok);
    std::filesystem::rename(path(restored.asideName), path("old.db"));
    sqlite3* old = nullptr;
    ASSERT_EQ(sqlite3_open(path("old.db").string().c_str(), &old), SQLITE_OK);
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(old, "SELECT note FROM persons", -1, &select, nullptr);
    ASSERT_EQ(sqlite3_step(select), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(select, 0)), "after the backup");
    sqlite3_finalize(select);
    sqlite3_close(old);
}

// The list's search box finds a person by a word of the note, folded as names are.
TEST_F(Casebook, SearchFindsNamesAndNotes) {
    const std::vector<std::string> lines = {sjis("山田太郎,1,0,1965,3,15,10,"),
                                            sjis("花子,0,1,1972,5,7,23,"), line("c")};
    QuorvelStore store = QuorvelStore::open(folder());
    ASSERT_EQ(store.saveNote(lines[1], "Moving to OSAKA in spring"), StoreWrite::Done);
    ASSERT_EQ(store.saveNote(lines[2], "\xE5\xB1\xB1\xE7\x94\xB0 referred her"), StoreWrite::Done);
    const PersonList list = listOf(lines);
    const quorvel::Casebook book = store.casebook();
    const CasebookView view = viewCasebook(list, book);
    const struct {
        const char* word;
        std::vector<std::size_t> found;
    } cases[] = {
        {"osaka", {1}}, {"ＯＳＡＫＡ", {1}}, {"山田", {0, 2}}, {"1972", {1}}, {"nowhere", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(searchPersonsAndNotes(list, view, sjis(c.word)), c.found) << c.word;
    }
}

}  // namespace
}  // namespace quorvel
