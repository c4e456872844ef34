#include "records/person_list.h"

#include <algorithm>

#include "common/fixed_text.h"
#include "common/search_fold.h"
#include "common/sjis_utf8.h"
#include "platform/files.h"
#include "records/record_texts.h"

namespace quorvel {

namespace {

bool allDigits(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

}  // namespace

void parsePersonList(std::string_view text, PersonList& list) {
    list = PersonList{};
    // A person is a large entry: growing the list step by step would move them all many times.
    list.persons.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        PersonEntry entry;
        if (line.find('\0') != std::string_view::npos || !parseRecordLine(line, entry.slot)) {
            list.skippedLines.push_back(lineNumber);
            continue;
        }
        entry.line = lineNumber;
        entry.key = line;
        entry.searchName = foldForSearch(sjisToUtf8(fieldText(entry.slot.nameText)));
        list.persons.push_back(std::move(entry));
    }
}

PersonFileStatus readPersonList(const char* path, PersonList& list, WhenMissing whenMissing) {
    list = PersonList{};
    const platform::LockedFile file(path, platform::LockedFile::Mode::Read);
    if (file.status() == platform::FileOpen::Missing) {
        if (whenMissing == WhenMissing::Create) {
            platform::createEmptyFile(path);
        }
        return PersonFileStatus::Missing;
    }
    if (file.status() != platform::FileOpen::Opened) {
        return PersonFileStatus::Unreadable;
    }
    const long long size = file.size();
    if (size < 0) {
        return PersonFileStatus::Unreadable;
    }
    if (static_cast<unsigned long long>(size) > kPersonFileLimit) {
        return PersonFileStatus::TooLarge;
    }
    // One byte more than the size, so that a file grown since reads as too large, not cut.
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const long n = file.readAt(got, text.data() + got, text.size() - got);
        if (n < 0) {
            return PersonFileStatus::Unreadable;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    if (got > static_cast<std::size_t>(size)) {
        return PersonFileStatus::Unreadable;
    }
    text.resize(got);
    parsePersonList(text, list);
    return PersonFileStatus::Read;
}

std::string_view personFileMessage(PersonFileStatus status) {
    switch (status) {
        case PersonFileStatus::Read:
            return {};
        case PersonFileStatus::Missing:
            return text::missingFileMessage;
        case PersonFileStatus::TooLarge:
            return text::largeFileMessage;
        case PersonFileStatus::Unreadable:
            break;
    }
    return text::unreadableFileMessage;
}

std::vector<std::size_t> searchPersons(const PersonList& list, std::string_view sjisWord) {
    const std::string word = foldForSearch(sjisToUtf8(sjisWord));
    std::vector<std::size_t> found;
    const bool byYear = allDigits(word);
    const int year = byYear ? recordNumber(word) : 0;
    for (std::size_t i = 0; i < list.persons.size(); ++i) {
        const PersonEntry& person = list.persons[i];
        const bool match = byYear ? allDigits(fieldText(person.slot.yearText)) &&
                                        recordNumber(fieldText(person.slot.yearText)) == year
                                  : person.searchName.find(word) != std::string::npos;
        if (match) {
            found.push_back(i);
        }
    }
    return found;
}

}  // namespace quorvel
