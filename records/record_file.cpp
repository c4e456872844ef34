#include "records/record_file.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "common/fixed_text.h"
#include "consultation/consultation_texts.h"
#include "platform/files.h"
#include "records/record_texts.h"

namespace quorvel {

namespace {

// The next field of a line, up to its comma (dropped); false when the line has no comma left.
bool nextField(std::string_view line, std::size_t& at, std::string_view& field) {
    const std::size_t comma = line.find(',', at);
    if (comma == std::string_view::npos) {
        return false;
    }
    field = line.substr(at, comma - at);
    at = comma + 1;
    return true;
}

}  // namespace

bool parseRecordLine(std::string_view line, RecordSlot& slot) {
    std::size_t at = 0;
    std::string_view name, year, month, day, hour;
    if (!nextField(line, at, name)) {
        return false;
    }
    // The two one-digit marks stand by position: at p and p + 2, the year from p + 4.
    if (at + 4 > line.size()) {
        return false;
    }
    const char male = line[at];
    const char female = line[at + 2];
    at += 4;
    if (!nextField(line, at, year) || !nextField(line, at, month) || !nextField(line, at, day) ||
        !nextField(line, at, hour)) {
        return false;
    }
    copyText(slot.nameText, cutSjis(name, sizeof slot.nameText - 1));
    if (male == '1' && female == '0') {
        copyText(slot.sexText, text::maleSexText);
    } else if (male == '0' && female == '1') {
        copyText(slot.sexText, text::femaleSexText);
    }
    copyText(slot.yearText, cutSjis(year, 4));
    copyText(slot.monthText, cutSjis(month, sizeof slot.monthText - 1));
    copyText(slot.dayText, cutSjis(day, sizeof slot.dayText - 1));
    copyText(slot.hourText, cutSjis(hour, sizeof slot.hourText - 1));
    buildRecordLabel(slot);
    return true;
}

namespace {

// The first kRecordReadLimit bytes into a shared buffer; false on a read error.
bool readHead(const platform::LockedFile& file, std::string_view& head) {
    static char buffer[kRecordReadLimit];
    const long got = file.readAt(0, buffer, sizeof buffer);
    if (got < 0) {
        return false;
    }
    head = std::string_view(buffer, static_cast<std::size_t>(got));
    return true;
}

}  // namespace

void formatRecordLine(const BirthRecord& record, char (&line)[kRecordLineSize]) {
    const std::string_view name = fieldText(record.name);
    char hour[16];
    if (record.hour == kHourUnknown) {
        std::snprintf(hour, sizeof hour, "%.*s", static_cast<int>(text::unknownHourField.size()),
                      text::unknownHourField.data());
    } else if (record.minute != kMinutesUnknown) {
        std::snprintf(hour, sizeof hour, "%d:%02d", record.hour, record.minute);
    } else {
        std::snprintf(hour, sizeof hour, "%d", record.hour);
    }
    std::snprintf(line, sizeof line, "%.*s,%d,%d,%d,%d,%d,%s,\n", static_cast<int>(name.size()),
                  name.data(), record.sex == Sex::Male ? 1 : 0, record.sex == Sex::Female ? 1 : 0,
                  record.year, record.month, record.day, hour);
}

void readHourField(std::string_view field, std::int32_t& hour, std::int32_t& minute) {
    minute = kMinutesUnknown;
    if (field == text::unknownHourField) {
        hour = kHourUnknown;
        return;
    }
    hour = recordNumber(field);
    const std::size_t colon = field.find(':');
    if (colon != std::string_view::npos && colon > 0 && field.size() == colon + 3 &&
        field.find_first_not_of("0123456789") == colon) {
        const int mm = (field[colon + 1] - '0') * 10 + (field[colon + 2] - '0');
        if (field[colon + 1] >= '0' && field[colon + 1] <= '9' && field[colon + 2] >= '0' &&
            field[colon + 2] <= '9' && mm <= 59) {
            minute = mm;
        }
    }
}

void parseRecordList(std::string_view text, RecordList& list) {
    list = RecordList{};
    // The file is read into a zero-filled buffer: a zero byte ends the text.
    text = text.substr(0, text.find('\0'));
    int taken = 0;
    while (!text.empty() && taken < kRecordSlotCount) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (parseRecordLine(line, list.slots[taken])) {
            ++taken;
        } else {
            list.slots[taken] = RecordSlot{};
        }
    }
}

void buildRecordLabel(RecordSlot& slot) {
    const std::string_view parts[] = {
        fieldText(slot.nameText),  text::labelSpacing,
        fieldText(slot.sexText),   text::labelSexSpacing,
        fieldText(slot.yearText),  text::yearUnit,
        fieldText(slot.monthText), text::monthUnit,
        fieldText(slot.dayText),   text::dayUnit,
    };
    copyText(slot.label, {});
    for (const std::string_view part : parts) {
        appendText(slot.label, part);
    }
    // 10時生まれ as always; 10時20分生まれ with minutes; 時刻不明 without an hour.
    const std::string_view field = fieldText(slot.hourText);
    appendText(slot.label, hourCaption(field));
    if (field != text::unknownHourField) {
        appendText(slot.label, text::bornSuffix);
    }
}

std::string hourCaption(std::string_view hourField) {
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    readHourField(hourField, hour, minute);
    if (hour == kHourUnknown) {
        return std::string(text::unknownHourLabel);
    }
    if (minute == kMinutesUnknown) {
        return std::string(hourField) + std::string(text::hourUnit);
    }
    return std::string(hourField.substr(0, hourField.find(':'))) + std::string(text::hourUnit) +
           std::to_string(minute) + std::string(text::minuteUnit);
}

bool slotHoldsRecord(const RecordSlot& slot, const BirthRecord& record) {
    // Compared as the reader sees the record's own line, cuts included.
    char line[kRecordLineSize];
    formatRecordLine(record, line);
    RecordSlot written;
    return parseRecordLine(fieldText(line), written) &&
           fieldText(written.label) == fieldText(slot.label) &&
           fieldText(written.nameText) == fieldText(slot.nameText);
}

RecordFileStatus readRecordList(const char* path, RecordList& list, WhenMissing whenMissing) {
    list = RecordList{};
    const platform::LockedFile file(path, platform::LockedFile::Mode::Read);
    if (file.status() == platform::FileOpen::Missing) {
        if (whenMissing == WhenMissing::Create) {
            platform::createEmptyFile(path);
        }
        return RecordFileStatus::Missing;
    }
    std::string_view head;
    if (file.status() != platform::FileOpen::Opened || !readHead(file, head)) {
        return RecordFileStatus::Unreadable;
    }
    parseRecordList(head, list);
    return RecordFileStatus::Read;
}

AppendResult appendRecordLine(const char* path, const BirthRecord& record) {
    platform::LockedFile file(path, platform::LockedFile::Mode::Append);
    std::string_view head;
    if (file.status() != platform::FileOpen::Opened || !readHead(file, head)) {
        return AppendResult::Failed;
    }
    static RecordList held;
    parseRecordList(head, held);
    for (const RecordSlot& slot : held.slots) {
        if (slotHoldsRecord(slot, record)) {
            return AppendResult::Duplicate;
        }
    }
    char line[kRecordLineSize];
    formatRecordLine(record, line);
    // A file saved without a final line feed gets one in the same write, so the new record never
    // joins its last line.
    const long long size = file.size();
    char last = '\n';
    if (size < 0 ||
        (size > 0 && file.readAt(static_cast<std::uint64_t>(size - 1), &last, 1) != 1)) {
        return AppendResult::Failed;
    }
    char text[1 + kRecordLineSize] = "\n";
    const std::size_t length = strnlen(line, sizeof line);
    std::memcpy(text + 1, line, length);
    const std::string_view bytes(last == '\n' ? text + 1 : text,
                                 last == '\n' ? length : length + 1);
    return file.append(bytes) ? AppendResult::Appended : AppendResult::Failed;
}

int recordNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ') {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > INT_MAX) {
            return 0;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace quorvel
