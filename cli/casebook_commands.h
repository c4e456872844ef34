#pragma once
// What QUORVEL.DB keeps of a person, from a terminal: `quorvel-cli person …` and
// `quorvel-cli history N`. N is a record number as `records --all` shows it.
#include <cstdio>
#include <optional>
#include <string>

#include "cli/output_stream.h"
#include "cli/record_commands.h"
#include "cli/rule_options.h"

namespace quorvel::cli {

enum class PersonAction { Show, Note, Hide, Unhide, Erase, Correct, History };

struct PersonOptions {
    RecordOptions record;                   // --file, N, --json, --sjis
    std::optional<std::string> setNote;     // person note --set TEXT (UTF-8)
    std::optional<std::string> appendNote;  // person note --append TEXT
    std::string sex, date, hour;            // person correct: the corrected birth
    std::optional<std::string> name;        // and its name, UTF-8; the old one when not given
    RuleOptions place;                      // --place / --longitude; the old one when not given
};

// Runs one action on record `options.record.number`. Returns the exit status: 2 for a refused
// record or argument, 1 for a change that could not be saved.
int runPersonCommand(PersonAction action, const PersonOptions& options, OutputStream& out,
                     std::FILE* err);

}  // namespace quorvel::cli
