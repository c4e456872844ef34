#pragma once
// Every person of the data file: `quorvel-cli records --all` and `quorvel-cli review`.
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/output_stream.h"
#include "cli/record_commands.h"
#include "records/person_list.h"

namespace quorvel::cli {

// A JSON string of an output-encoded text: quotes, backslashes and control bytes escaped, the
// trail bytes of Shift-JIS characters left alone.
std::string jsonText(std::string_view text, bool sjisOutput);

// The data file's persons; 0, or the exit status after telling why there are none. Lines that
// hold no person are told on `err`.
int readPersonsOrTell(const RecordOptions& options, PersonList& list, std::FILE* err);

// The keys `records --all --json` gives a person (record, line, name, sex, year, month, day, hour,
// minute), without the braces.
std::string recordJsonFields(std::size_t index, const PersonEntry& person, bool sjisOutput);
// Its line of `records --all`: record number, file line and label, tab-separated, no line end.
std::string recordTextLine(std::size_t index, const PersonEntry& person, bool sjisOutput);

// One line per person: its record number, its line in the file and its button label (or one
// JSON object each); the skipped lines on standard error. Only the current version of each
// person is listed, under its own number, and not a hidden one unless options.withHidden (then
// marked 非表示, "hidden":true). Returns the exit status.
int runAllRecordsCommand(const RecordOptions& options, OutputStream& out, std::FILE* err);

struct ReviewOptions {
    RecordOptions records;  // the file, --json and --sjis
    std::string year;
};

// The yearly review of every person of the file, the warned first. Returns the exit status.
int runReviewCommand(const ReviewOptions& options, OutputStream& out, std::FILE* err);

}  // namespace quorvel::cli
