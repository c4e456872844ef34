#pragma once
// Every person of the data file: `quorvel-cli records --all` and `quorvel-cli review`.
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/output_stream.h"
#include "cli/record_commands.h"

namespace quorvel::cli {

// A JSON string of an output-encoded text: quotes, backslashes and control bytes escaped, the
// trail bytes of Shift-JIS characters left alone.
std::string jsonText(std::string_view text, bool sjisOutput);

// One line per person: its record number, its line in the file and its button label (or one
// JSON object each); the skipped lines on standard error. Returns the exit status.
int runAllRecordsCommand(const RecordOptions& options, OutputStream& out, std::FILE* err);

struct ReviewOptions {
    RecordOptions records;  // the file, --json and --sjis
    std::string year;
};

// The yearly review of every person of the file, the warned first. Returns the exit status.
int runReviewCommand(const ReviewOptions& options, OutputStream& out, std::FILE* err);

}  // namespace quorvel::cli
