// The writers alone, for the crash test: everything is read and prepared before a getppid()
// call that marks where the writing begins, so the test kills only inside the writer.
//   crash_writer output NAME TEXT_FILE     writes the text of TEXT_FILE as the result NAME
//   crash_writer append DATA_FILE NAME     appends the record of NAME (if not already there)
//   crash_writer appends DATA_FILE PREFIX N  appends N records PREFIX-0 ... PREFIX-(N-1)
//   crash_writer person NAME                 enters the person NAME with a birthplace: the line
//                                            in DATA.CSV, then the details in QUORVEL.DB
//   crash_writer details NAME...             tells what QUORVEL.DB holds of each (none, right,
//                                            wrong), after how it opened (ok, missing, ...)
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

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
    std::fprintf(stderr,
                 "usage: crash_writer output NAME TEXT_FILE | append DATA_FILE NAME | "
                 "appends DATA_FILE PREFIX N | person NAME | details NAME...\n");
    return 2;
}
