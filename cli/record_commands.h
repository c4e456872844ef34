#pragma once
// The records of the data file: `quorvel-cli records` and `quorvel-cli chart --record N`.
#include <cstdio>
#include <string>

#include "cli/birth_input.h"
#include "cli/output_stream.h"
#include "cli/rule_options.h"
#include "consultation/record_list.h"
#include "records/record_file.h"
#include "store/quorvel_store.h"

namespace quorvel::cli {

// The birth a slot holds, its numbers read as the dialog reads them; false for an empty slot or
// one whose sex is neither 男 nor 女. The numbers may still be beyond the calendar.
bool recordBirth(const RecordSlot& slot, BirthInput& birth);

struct RecordOptions {
    std::string file = std::string(kRecordFileName);
    int number = 0;  // chart --record: a record number of `records --all`
    bool json = false;
    bool full = false;
    bool sjisOutput = false;
    RuleOptions rules;        // chart --record: how the birth is read
    bool withHidden = false;  // records --all --hidden: the hidden persons too
};

// QUORVEL.DB beside the data file; a damaged, unusable or newer one is told on `err` (the command
// goes on without it, or reading only what it knows).
QuorvelStore openStoreBeside(const RecordOptions& options, std::FILE* err);

// What a record number stands for besides its birth.
struct RecordStanding {
    std::string key;       // the line's bytes: the person in QUORVEL.DB
    int supersededBy = 0;  // the record number of its current version; 0 when current
};

// The birth of record `options.number`, computable; 0, or the exit status after telling why not.
// A corrected line is read as it stands, its 訂正済み: N told on `err`.
int readRecordBirth(const RecordOptions& options, BirthInput& birth, std::FILE* err);
// The same, with the record's name (Shift-JIS).
int readRecordPerson(const RecordOptions& options, BirthInput& birth, std::string& name,
                     std::FILE* err, RecordStanding* standing = nullptr);

// Adds a consultation to the history of the person whose line is `key`, in the store beside
// options.file; one that cannot be kept is told, and the command's result stands.
void rememberConsultation(const RecordOptions& options, std::string_view key,
                          const HistoryEntry& entry, std::FILE* err);

// 訂正済み: N, in the output encoding, for a line whose person was corrected as record N.
std::string supersededText(int supersededBy, bool sjisOutput);

// One line per filled slot: its number, a tab and its button label. Returns the exit status.
int runRecordsCommand(const RecordOptions& options, OutputStream& out, std::FILE* err);
// The chart of the record in slot `options.number`. Returns the exit status.
int runRecordChartCommand(const RecordOptions& options, OutputStream& out, std::FILE* err);

}  // namespace quorvel::cli
