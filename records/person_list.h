#pragma once
// Every person of the data file, not only the ten the data file dialog offers: each with the
// line it stands on, the lines that hold no person, and a search over them.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "consultation/record_list.h"
#include "records/record_file.h"

namespace quorvel {

// A larger file is refused unread: it would hold about a million persons.
inline constexpr std::size_t kPersonFileLimit = std::size_t{32} << 20;

struct PersonEntry {
    int line = 0;            // 1-based, in the file
    RecordSlot slot;         // the fields cut as the dialog cuts them, with its button's caption
    std::string searchName;  // the name in UTF-8, folded once for every later search
    std::string key;         // the line's bytes without its line end: the person in QUORVEL.DB
};

struct PersonList {
    std::vector<PersonEntry> persons;  // file order: record number n is persons[n - 1]
    std::vector<int> skippedLines;     // lines that hold no whole record; blank lines are not
};

// Every record of the text, read line by line as the dialog reads its ten. A line holding a zero
// byte is skipped rather than cut there.
void parsePersonList(std::string_view text, PersonList& list);

enum class PersonFileStatus { Read, Missing, Unreadable, TooLarge };

// The whole of `path` into the list, which is empty unless Read.
PersonFileStatus readPersonList(const char* path, PersonList& list,
                                WhenMissing whenMissing = WhenMissing::Create);

// Shift-JIS: the refusal for a status other than Read.
std::string_view personFileMessage(PersonFileStatus status);

// The indices of the persons a Shift-JIS search word finds, in file order. A word of digits only
// (full-width ones too) is a birth year; any other word is part of the name, compared without
// regard to case or width. An empty word finds everyone.
std::vector<std::size_t> searchPersons(const PersonList& list, std::string_view sjisWord);

}  // namespace quorvel
