// The casebook members of QuorvelStore: a person's lines, hidden mark, note and history.
#include <algorithm>
#include <array>

#include "store/quorvel_store.h"
#include "store/rows.h"
#include "store/statement.h"

namespace quorvel {

namespace {

using store::Statement;

constexpr std::array<std::string_view, 4> kSourceWords = {"none", "luck", "calendar", "typed"};

std::string_view sourceWord(PeriodSource source) {
    const auto index = static_cast<std::size_t>(source);
    return index < kSourceWords.size() ? kSourceWords[index] : kSourceWords[0];
}

PeriodSource sourceOf(std::string_view word) {
    const auto found = std::find(kSourceWords.begin(), kSourceWords.end(), word);
    return found == kSourceWords.end() ? PeriodSource::None
                                       : static_cast<PeriodSource>(found - kSourceWords.begin());
}

// The person a line stands for; 0 when the store has not seen the line.
std::int64_t personOf(sqlite3* db, std::string_view key) {
    Statement select(db, "SELECT person FROM person_lines WHERE line = ?1");
    return select.bindBlob(1, key).step() == SQLITE_ROW ? select.integer64(0) : 0;
}

// The person of a line, made (with the line as its first version) when there is none; 0 when it
// could not be made.
std::int64_t keptPerson(sqlite3* db, std::string_view key) {
    if (const std::int64_t person = personOf(db, key); person != 0) {
        return person;
    }
    if (!Statement(db, "INSERT INTO persons DEFAULT VALUES").run()) {
        return 0;
    }
    const std::int64_t person = sqlite3_last_insert_rowid(db);
    Statement line(db, "INSERT INTO person_lines (line, person, version) VALUES (?1, ?2, 0)");
    return line.bindBlob(1, key).bindInteger(2, person).run() ? person : 0;
}

std::string noteOf(sqlite3* db, std::int64_t person) {
    Statement select(db, "SELECT note FROM persons WHERE id = ?1");
    return select.bindInteger(1, person).step() == SQLITE_ROW ? select.text(0) : std::string();
}

bool saveNoteIn(sqlite3* db, std::int64_t person, std::string_view utf8) {
    Statement update(db, "UPDATE persons SET note = ?2 WHERE id = ?1");
    return update.bindInteger(1, person).bind(2, utf8).run();
}

// The casebook of one line: the line's own columns, then its person's.
constexpr std::string_view kLineColumns =
    "SELECT l.line, l.person, l.version, l.supersedes, p.hidden, p.note, p.last_consulted "
    "FROM person_lines l JOIN persons p ON p.id = l.person WHERE l.line = ?1";

struct PersonRow {
    std::int64_t id = 0;
    bool hidden = false;
    std::string note;
    std::string lastConsultation;
};

}  // namespace

StoreWrite QuorvelStore::supersede(std::string_view oldLine, std::string_view newLine,
                                   const BirthDetails& newDetails) {
    const std::string_view oldKey = personKey(oldLine);
    const std::string_view newKey = personKey(newLine);
    if (oldKey.empty() || newKey.empty() || oldKey == newKey) {
        return lastWrite_ = StoreWrite::Refused;
    }
    return write([&](sqlite3* db) {
        const std::int64_t person = keptPerson(db, oldKey);
        if (person == 0) {
            return StoreWrite::Failed;
        }
        if (const std::int64_t other = personOf(db, newKey); other != 0 && other != person) {
            return StoreWrite::Refused;
        }
        Statement newest(db, "SELECT max(version) FROM person_lines WHERE person = ?1");
        if (newest.bindInteger(1, person).step() != SQLITE_ROW) {
            return StoreWrite::Failed;
        }
        Statement upsert(db,
                         "INSERT INTO person_lines (line, person, version, supersedes) "
                         "VALUES (?1, ?2, ?3, ?4) ON CONFLICT (line) DO UPDATE SET "
                         "version = excluded.version, supersedes = excluded.supersedes");
        upsert.bindBlob(1, newKey)
            .bindInteger(2, person)
            .bind(3, newest.integer(0) + 1)
            .bindBlob(4, oldKey);
        return store::done(upsert.run() && store::saveDetailsIn(db, newKey, newDetails));
    });
}

StoreWrite QuorvelStore::setHidden(std::string_view line, bool hidden) {
    const std::string_view key = personKey(line);
    if (key.empty()) {
        return lastWrite_ = StoreWrite::Refused;
    }
    return write([&](sqlite3* db) {
        const std::int64_t person = keptPerson(db, key);
        Statement update(db, "UPDATE persons SET hidden = ?2 WHERE id = ?1");
        return store::done(person != 0 &&
                           update.bindInteger(1, person).bind(2, hidden ? 1 : 0).run());
    });
}

std::string QuorvelStore::note(std::string_view line) const {
    Statement select(db_,
                     "SELECT p.note FROM persons p JOIN person_lines l ON l.person = p.id "
                     "WHERE l.line = ?1");
    return select.bindBlob(1, personKey(line)).step() == SQLITE_ROW ? select.text(0)
                                                                    : std::string();
}

StoreWrite QuorvelStore::saveNote(std::string_view line, std::string_view utf8) {
    const std::string_view key = personKey(line);
    if (key.empty() || checkNote(utf8) != NoteCheck::Ok) {
        return lastWrite_ = StoreWrite::Refused;
    }
    return write([&](sqlite3* db) {
        // No person is made to be given no note.
        const std::int64_t person = utf8.empty() ? personOf(db, key) : keptPerson(db, key);
        if (person == 0) {
            return store::done(utf8.empty());
        }
        return store::done(saveNoteIn(db, person, utf8));
    });
}

StoreWrite QuorvelStore::appendNote(std::string_view line, std::string_view utf8) {
    const std::string_view key = personKey(line);
    if (key.empty() || checkNote(utf8) != NoteCheck::Ok) {
        return lastWrite_ = StoreWrite::Refused;
    }
    if (utf8.empty()) {
        return lastWrite_ = StoreWrite::Done;
    }
    return write([&](sqlite3* db) {
        const std::int64_t person = keptPerson(db, key);
        if (person == 0) {
            return StoreWrite::Failed;
        }
        std::string note = noteOf(db, person);
        if (!note.empty() && !note.ends_with('\n')) {
            note += '\n';
        }
        note += utf8;
        if (checkNote(note) != NoteCheck::Ok) {
            return StoreWrite::Refused;
        }
        return store::done(saveNoteIn(db, person, note));
    });
}

StoreWrite QuorvelStore::addHistory(std::string_view line, const HistoryEntry& entry) {
    const std::string_view key = personKey(line);
    if (key.empty() || historyKindWord(entry.kind).empty()) {
        return lastWrite_ = StoreWrite::Refused;
    }
    const std::string when = entry.when.empty() ? historyTimeNow() : entry.when;
    return write([&](sqlite3* db) {
        const std::int64_t person = keptPerson(db, key);
        Statement insert(db,
                         "INSERT INTO history (person, made, kind, source, pillar, year, month, "
                         "day, file, shown) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
        insert.bindInteger(1, person)
            .bind(2, when)
            .bind(3, historyKindWord(entry.kind))
            .bind(4, sourceWord(entry.period.source))
            .bindBlob(5, entry.period.pillar)
            .bind(6, entry.period.year)
            .bind(7, entry.period.month)
            .bind(8, entry.period.day)
            .bind(9, entry.file)
            .bindBlob(10, entry.text);
        Statement last(db,
                       "UPDATE persons SET last_consulted = ?2 WHERE id = ?1 AND "
                       "(last_consulted IS NULL OR last_consulted < ?2)");
        return store::done(person != 0 && insert.run() &&
                           last.bindInteger(1, person).bind(2, when).run());
    });
}

std::vector<HistoryEntry> QuorvelStore::history(std::string_view line) const {
    Statement select(db_,
                     "SELECT id, made, kind, source, pillar, year, month, day, file, shown "
                     "FROM history WHERE person = "
                     "(SELECT person FROM person_lines WHERE line = ?1) "
                     "ORDER BY made DESC, id DESC");
    select.bindBlob(1, personKey(line));
    std::vector<HistoryEntry> entries;
    while (select.step() == SQLITE_ROW) {
        // A kind a newer Quorvel records is left out rather than shown as another.
        const std::optional<HistoryKind> kind = historyKindOf(select.text(2));
        if (!kind) {
            continue;
        }
        HistoryEntry& entry = entries.emplace_back();
        entry.id = select.integer64(0);
        entry.when = select.text(1);
        entry.kind = *kind;
        entry.period.source = sourceOf(select.text(3));
        entry.period.pillar = select.text(4);
        entry.period.year = select.integer(5);
        entry.period.month = select.integer(6);
        entry.period.day = select.integer(7);
        entry.file = select.text(8);
        entry.text = select.text(9);
    }
    return entries;
}

StoreWrite QuorvelStore::erase(std::string_view line) {
    const std::string_view key = personKey(line);
    if (key.empty()) {
        return lastWrite_ = StoreWrite::Refused;
    }
    return write([&](sqlite3* db) {
        const std::int64_t person = personOf(db, key);
        if (person == 0) {
            return StoreWrite::Done;
        }
        Statement history(db, "DELETE FROM history WHERE person = ?1");
        Statement last(db, "UPDATE persons SET last_consulted = NULL WHERE id = ?1");
        return store::done(saveNoteIn(db, person, "") && history.bindInteger(1, person).run() &&
                           last.bindInteger(1, person).run());
    });
}

std::optional<CasebookLine> QuorvelStore::casebookLine(std::string_view line) const {
    Statement select(db_, kLineColumns);
    if (select.bindBlob(1, personKey(line)).step() != SQLITE_ROW) {
        return std::nullopt;
    }
    CasebookLine kept;
    kept.key = select.text(0);
    kept.person = select.integer64(1);
    kept.version = select.integer(2);
    kept.supersedes = select.text(3);
    kept.hidden = select.integer(4) != 0;
    kept.note = select.text(5);
    kept.lastConsultation = select.text(6);
    return kept;
}

// Two plain scans joined here, each table read in the order it is stored: persons by id, lines by
// their bytes, which is the order find() needs.
Casebook QuorvelStore::casebook() const {
    std::vector<PersonRow> persons;
    Statement people(db_, "SELECT id, hidden, note, last_consulted FROM persons ORDER BY id");
    while (people.step() == SQLITE_ROW) {
        persons.push_back(
            {people.integer64(0), people.integer(1) != 0, people.text(2), people.text(3)});
    }
    Casebook casebook;
    Statement lines(db_,
                    "SELECT line, person, version, supersedes FROM person_lines ORDER BY line");
    while (lines.step() == SQLITE_ROW) {
        const std::int64_t id = lines.integer64(1);
        const auto person = std::lower_bound(
            persons.begin(), persons.end(), id,
            [](const PersonRow& row, std::int64_t wanted) { return row.id < wanted; });
        if (person == persons.end() || person->id != id) {
            continue;  // a line of no person: nothing is kept of it
        }
        CasebookLine& kept = casebook.lines.emplace_back();
        kept.key = lines.text(0);
        kept.person = id;
        kept.version = lines.integer(2);
        kept.supersedes = lines.text(3);
        kept.hidden = person->hidden;
        kept.note = person->note;
        kept.lastConsultation = person->lastConsultation;
    }
    // SQLite orders blobs as find() compares them; sorted again only should that ever differ.
    const auto byKey = [](const CasebookLine& a, const CasebookLine& b) { return a.key < b.key; };
    if (!std::is_sorted(casebook.lines.begin(), casebook.lines.end(), byKey)) {
        std::sort(casebook.lines.begin(), casebook.lines.end(), byKey);
    }
    return casebook;
}

}  // namespace quorvel
