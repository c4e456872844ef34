// The casebook of a large practice: a note saved and a consultation kept on this machine's disk
// (target: under 20 ms each, every one a synced transaction), and the person list of 100,000
// persons, every one with a note and a consultation, read in bulk, resolved against the data
// file and searched through names and notes (target: under 200 ms to the list, 50 ms a search).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "records/casebook_view.h"
#include "records/person_list.h"
#include "store/quorvel_store.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPersons = 100000;

std::string lineOf(int i) {
    return "Yamada" + std::to_string(i) + (i % 2 == 0 ? ",1,0," : ",0,1,") +
           std::to_string(1930 + i % 80) + ",3,15,10,";
}

// A folder on the disk the program runs from, not a memory file system.
struct Folder {
    fs::path path = fs::current_path() / ("casebook-bench-" + std::to_string(::getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

void BM_NoteSaved(benchmark::State& state) {
    const Folder folder;
    quorvel::QuorvelStore store = quorvel::QuorvelStore::open(folder.path.string());
    int n = 0;
    for (auto _ : state) {
        const std::string note = "consultation " + std::to_string(++n) + ": moving house";
        if (store.saveNote(lineOf(n % 100), note) != quorvel::StoreWrite::Done) {
            state.SkipWithError("the note was not saved");
        }
    }
}
BENCHMARK(BM_NoteSaved)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_ConsultationKept(benchmark::State& state) {
    const Folder folder;
    quorvel::QuorvelStore store = quorvel::QuorvelStore::open(folder.path.string());
    quorvel::HistoryEntry entry;
    entry.kind = quorvel::HistoryKind::Judgement;
    entry.text = std::string(2000, 'x');
    for (auto _ : state) {
        if (store.addHistory(lineOf(1), entry) != quorvel::StoreWrite::Done) {
            state.SkipWithError("the consultation was not kept");
        }
    }
}
BENCHMARK(BM_ConsultationKept)->Unit(benchmark::kMillisecond)->Iterations(50);

// 100,000 persons in the data file and in the store, each with a note and a consultation, and
// every hundredth corrected; made once, with SQLite directly in one transaction.
struct Practice {
    Folder folder;
    quorvel::PersonList list;
    Practice() {
        std::string text;
        for (int i = 0; i < kPersons; ++i) {
            text += lineOf(i) + "\r\n";
        }
        quorvel::parsePersonList(text, list);
        {
            quorvel::QuorvelStore store = quorvel::QuorvelStore::open(folder.path.string());
            store.saveNote(lineOf(0), "made");
        }
        sqlite3* db = nullptr;
        sqlite3_open((folder.path / "QUORVEL.DB").string().c_str(), &db);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* person = nullptr;
        sqlite3_stmt* line = nullptr;
        sqlite3_stmt* history = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO persons (id, note, last_consulted) VALUES (?1, ?2, "
                           "'2025-05-20T10:00:00')",
                           -1, &person, nullptr);
        sqlite3_prepare_v2(db,
                           "INSERT OR REPLACE INTO person_lines (line, person, version, "
                           "supersedes) VALUES (?1, ?2, ?3, ?4)",
                           -1, &line, nullptr);
        sqlite3_prepare_v2(db,
                           "INSERT INTO history (person, made, kind, source, pillar, year, "
                           "month, day, file, shown) VALUES (?1, '2025-05-20T10:00:00', "
                           "'judgement', 'none', '', 0, 0, 0, '', 'text')",
                           -1, &history, nullptr);
        sqlite3_exec(db, "DELETE FROM persons; DELETE FROM person_lines", nullptr, nullptr,
                     nullptr);
        for (int i = 0; i < kPersons; ++i) {
            // Every hundredth line corrects the one before it.
            const bool correction = i % 100 == 1;
            const int id = correction ? i - 1 : i;
            const std::string key = lineOf(i);
            const std::string note = "client " + std::to_string(i) + " asked about work";
            if (!correction) {
                sqlite3_bind_int(person, 1, id + 1);
                sqlite3_bind_text(person, 2, note.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_step(person);
                sqlite3_reset(person);
                sqlite3_bind_int(history, 1, id + 1);
                sqlite3_step(history);
                sqlite3_reset(history);
            }
            const std::string previous = lineOf(i - 1);
            sqlite3_bind_blob(line, 1, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int(line, 2, id + 1);
            sqlite3_bind_int(line, 3, correction ? 1 : 0);
            if (correction) {
                sqlite3_bind_blob(line, 4, previous.data(), static_cast<int>(previous.size()),
                                  SQLITE_TRANSIENT);
            } else {
                sqlite3_bind_null(line, 4);
            }
            sqlite3_step(line);
            sqlite3_reset(line);
        }
        sqlite3_finalize(person);
        sqlite3_finalize(line);
        sqlite3_finalize(history);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
};

Practice& practice() {
    static Practice made;
    return made;
}

void BM_CasebookToList(benchmark::State& state) {
    const Practice& p = practice();
    std::size_t superseded = 0;
    for (auto _ : state) {
        const quorvel::QuorvelStore store = quorvel::QuorvelStore::open(p.folder.path.string());
        const quorvel::Casebook casebook = store.casebook();
        const quorvel::CasebookView view = quorvel::viewCasebook(p.list, casebook);
        superseded = view.supersededCount;
        benchmark::DoNotOptimize(view.persons.data());
    }
    state.counters["superseded"] = static_cast<double>(superseded);
}
BENCHMARK(BM_CasebookToList)->Unit(benchmark::kMillisecond);

void BM_CasebookRead(benchmark::State& state) {
    const Practice& p = practice();
    for (auto _ : state) {
        const quorvel::QuorvelStore store = quorvel::QuorvelStore::open(p.folder.path.string());
        const quorvel::Casebook casebook = store.casebook();
        benchmark::DoNotOptimize(casebook.lines.data());
    }
}
BENCHMARK(BM_CasebookRead)->Unit(benchmark::kMillisecond);

void BM_StoreOpened(benchmark::State& state) {
    const Practice& p = practice();
    for (auto _ : state) {
        const quorvel::QuorvelStore store = quorvel::QuorvelStore::open(p.folder.path.string());
        benchmark::DoNotOptimize(store.openStatus());
    }
}
BENCHMARK(BM_StoreOpened)->Unit(benchmark::kMillisecond);

void BM_SearchNamesAndNotes(benchmark::State& state, const char* word) {
    const Practice& p = practice();
    const quorvel::Casebook casebook =
        quorvel::QuorvelStore::open(p.folder.path.string()).casebook();
    const quorvel::CasebookView view = quorvel::viewCasebook(p.list, casebook);
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<std::size_t> hits = quorvel::searchPersonsAndNotes(p.list, view, word);
        found = hits.size();
        benchmark::DoNotOptimize(hits.data());
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK_CAPTURE(BM_SearchNamesAndNotes, name_part, "DA123")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchNamesAndNotes, note_word, "client 4242 ")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
