// The writers alone, for the crash test: everything is read and prepared before a getppid()
// call that marks where the writing begins, so the test kills only inside the writer.
//   crash_writer output NAME TEXT_FILE     writes the text of TEXT_FILE as the result NAME
//   crash_writer append DATA_FILE NAME     appends the record of NAME (if not already there)
//   crash_writer appends DATA_FILE PREFIX N  appends N records PREFIX-0 ... PREFIX-(N-1)
//   crash_writer person NAME                 enters the person NAME with a birthplace: the line
//                                            in DATA.CSV, then the details in QUORVEL.DB
//   crash_writer details NAME...             tells what QUORVEL.DB holds of each (none, right,
//                                            wrong), after how it opened (ok, missing, ...)
//   crash_writer casebook-setup              the folder every casebook case starts from: taro
//                                            in DATA.CSV with a note and one consultation
//   crash_writer note|history|correct        one casebook change to taro: a new note, a second
//                                            consultation, a correction (the line, then the
//                                            database)
//   crash_writer casebook KIND               tells whether QUORVEL.DB holds taro's casebook as
//                                            before KIND (old), after it (new), or what is wrong
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/fixed_text.h"
#include "consultation/output_file.h"
#include "records/person_append.h"
#include "records/record_file.h"
#include "store/quorvel_store.h"

namespace {

quorvel::BirthRecord person(const std::string& name, int n) {
    quorvel::BirthRecord record;
    quorvel::copyText(record.name, name);
    record.sex = n % 2 == 0 ? quorvel::Sex::Male : quorvel::Sex::Female;
    record.year = 1901 + n % 100;
    record.month = 1 + n % 12;
    record.day = 1 + n % 28;
    record.hour = n % 24;
    return record;
}

// Each person's own prefecture, so that another person's details would show as wrong.
quorvel::BirthDetails birthplaceOf(const std::string& name) {
    unsigned sum = 0;
    for (const char c : name) {
        sum += static_cast<unsigned char>(c);
    }
    return {quorvel::prefectureBirthplace(static_cast<int>(1 + sum % quorvel::kPrefectureCount))};
}

const char* openWord(quorvel::StoreOpen status) {
    switch (status) {
        case quorvel::StoreOpen::Ok:
            return "ok";
        case quorvel::StoreOpen::Missing:
            return "missing";
        case quorvel::StoreOpen::SetAside:
            return "set-aside";
        case quorvel::StoreOpen::Newer:
            return "newer";
        case quorvel::StoreOpen::Failed:
            return "failed";
    }
    return "?";
}

constexpr std::string_view kOldNote = "first consultation: moving house\nsecond line";
constexpr std::string_view kNewNote = "the note rewritten whole, longer than the note before it";

std::string lineOf(const quorvel::BirthRecord& record) {
    char line[quorvel::kRecordLineSize];
    quorvel::formatRecordLine(record, line);
    return line;
}

quorvel::HistoryEntry consultation(int n) {
    quorvel::HistoryEntry entry;
    entry.when = "2025-05-0" + std::to_string(n) + "T10:00:00";
    entry.kind = n == 1 ? quorvel::HistoryKind::Judgement : quorvel::HistoryKind::Hexagram;
    entry.period = {quorvel::PeriodSource::Year, "pillar", 2025, 5, n};
    entry.text = std::string(200 * static_cast<std::size_t>(n), static_cast<char>('a' + n));
    return entry;
}

int casebookChange(const std::string& kind) {
    const std::string taro = lineOf(person("taro", 0));
    const quorvel::BirthRecord corrected = person("taro", 1);
    const std::string correctedLine = lineOf(corrected);
    quorvel::QuorvelStore store = quorvel::QuorvelStore::open("");
    ::getppid();
    if (kind == "note") {
        return store.saveNote(taro, kNewNote) == quorvel::StoreWrite::Done ? 0 : 1;
    }
    if (kind == "history") {
        return store.addHistory(taro, consultation(2)) == quorvel::StoreWrite::Done ? 0 : 1;
    }
    if (quorvel::appendRecordLine(quorvel::kRecordFileName.data(), corrected) ==
        quorvel::AppendResult::Failed) {
        return 1;
    }
    return store.supersede(taro, correctedLine, birthplaceOf("taro")) == quorvel::StoreWrite::Done
               ? 0
               : 1;
}

// "old", "new", or what is wrong with taro's casebook after KIND.
std::string casebookState(const std::string& kind) {
    const quorvel::QuorvelStore store = quorvel::QuorvelStore::open("");
    if (store.openStatus() != quorvel::StoreOpen::Ok) {
        return std::string("the database ") + openWord(store.openStatus());
    }
    const std::string taro = lineOf(person("taro", 0));
    const std::string note = store.note(taro);
    const std::vector<quorvel::HistoryEntry> history = store.history(taro);
    const bool oneConsultation = history.size() == 1 && history[0].text == consultation(1).text;
    if (kind == "note") {
        if (!oneConsultation) {
            return "the history changed";
        }
        return note == kOldNote ? "old" : note == kNewNote ? "new" : "the note torn";
    }
    if (note != kOldNote) {
        return "the note changed";
    }
    if (kind == "history") {
        if (oneConsultation) {
            return "old";
        }
        // Each write run adds one more; each whole, the first kept.
        for (std::size_t i = 0; i + 1 < history.size(); ++i) {
            if (history[i].text != consultation(2).text ||
                history[i].period != consultation(2).period) {
                return "a consultation torn";
            }
        }
        return history.size() >= 2 && history.back().text == consultation(1).text
                   ? "new"
                   : "the first consultation lost";
    }
    const std::string corrected = lineOf(person("taro", 1));
    const std::optional<quorvel::CasebookLine> kept = store.casebookLine(corrected);
    if (!kept) {
        return oneConsultation ? "old" : "the history changed";
    }
    const std::optional<quorvel::CasebookLine> first = store.casebookLine(taro);
    const bool carried = store.note(corrected) == kOldNote && store.history(corrected).size() == 1;
    if (!first || first->person != kept->person || kept->version < 1 ||
        kept->supersedes != quorvel::personKey(taro) || !carried ||
        store.birthDetails(corrected) != birthplaceOf("taro")) {
        return "the correction torn";
    }
    return "new";
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "output" && argc == 4) {
        std::ifstream in(argv[3], std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const std::string bytes = text.str();
        ::getppid();
        return quorvel::writeOutputFile(argv[2], bytes) ? 0 : 1;
    }
    if (mode == "append" && argc == 4) {
        const quorvel::BirthRecord record = person(argv[3], 0);
        ::getppid();
        // A record a killed run had already stored counts as stored.
        return quorvel::appendRecordLine(argv[2], record) != quorvel::AppendResult::Failed ? 0 : 1;
    }
    if (mode == "appends" && argc == 5) {
        const int count = std::atoi(argv[4]);
        for (int n = 0; n < count; ++n) {
            const quorvel::BirthRecord record =
                person(std::string(argv[3]) + "-" + std::to_string(n), n);
            if (quorvel::appendRecordLine(argv[2], record) != quorvel::AppendResult::Appended) {
                return 1;
            }
        }
        return 0;
    }
    if (mode == "person" && argc == 3) {
        const quorvel::BirthRecord record = person(argv[2], 0);
        const quorvel::BirthDetails details = birthplaceOf(argv[2]);
        quorvel::QuorvelStore store = quorvel::QuorvelStore::open("");
        ::getppid();
        const quorvel::PersonAppend entry = quorvel::appendPersonWithDetails(
            quorvel::kRecordFileName.data(), store, record, details);
        return entry.line != quorvel::AppendResult::Failed && !entry.detailsLost ? 0 : 1;
    }
    if (mode == "details" && argc >= 3) {
        const quorvel::QuorvelStore store = quorvel::QuorvelStore::open("");
        std::printf("%s", openWord(store.openStatus()));
        for (int n = 2; n < argc; ++n) {
            char line[quorvel::kRecordLineSize];
            quorvel::formatRecordLine(person(argv[n], 0), line);
            const std::optional<quorvel::BirthDetails> kept = store.birthDetails(line);
            std::printf(" %s=%s", argv[n],
                        !kept                            ? "none"
                        : *kept == birthplaceOf(argv[n]) ? "right"
                                                         : "wrong");
        }
        std::printf("\n");
        return 0;
    }
    if (mode == "casebook-setup" && argc == 2) {
        const std::string taro = lineOf(person("taro", 0));
        quorvel::QuorvelStore store = quorvel::QuorvelStore::open("");
        const bool made =
            quorvel::appendRecordLine(quorvel::kRecordFileName.data(), person("taro", 0)) ==
                quorvel::AppendResult::Appended &&
            store.saveNote(taro, kOldNote) == quorvel::StoreWrite::Done &&
            store.addHistory(taro, consultation(1)) == quorvel::StoreWrite::Done;
        return made ? 0 : 1;
    }
    if ((mode == "note" || mode == "history" || mode == "correct") && argc == 2) {
        return casebookChange(mode);
    }
    if (mode == "casebook" && argc == 3) {
        std::printf("%s\n", casebookState(argv[2]).c_str());
        return 0;
    }
    std::fprintf(stderr,
                 "usage: crash_writer output NAME TEXT_FILE | append DATA_FILE NAME | "
                 "appends DATA_FILE PREFIX N | person NAME | details NAME... | casebook-setup | "
                 "note | history | correct | casebook KIND\n");
    return 2;
}
