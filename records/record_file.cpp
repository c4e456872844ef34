#include "records/record_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

#include "common/fixed_text.h"
#include "consultation/consultation_texts.h"
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

// One line into a slot; false for a line without its seven fields.
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

// Reads from the start of the file, at most kRecordReadLimit bytes; -1 on a read error.
long readHead(int fd, char (&buffer)[kRecordReadLimit]) {
    std::size_t got = 0;
    while (got < sizeof buffer) {
        const ssize_t n = pread(fd, buffer + got, sizeof buffer - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return -1;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    return static_cast<long>(got);
}

bool lockExclusive(int fd) {
    while (flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

// An open file descriptor, closed (and so unlocked) on every way out.
class OpenFile {
  public:
    explicit OpenFile(int fd) : fd_(fd) {}
    ~OpenFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

}  // namespace

void formatRecordLine(const BirthRecord& record, char (&line)[kRecordLineSize]) {
    const std::string_view name = fieldText(record.name);
    std::snprintf(line, sizeof line, "%.*s,%d,%d,%d,%d,%d,%d,\n", static_cast<int>(name.size()),
                  name.data(), record.sex == Sex::Male ? 1 : 0, record.sex == Sex::Female ? 1 : 0,
                  record.year, record.month, record.day, record.hour);
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
        fieldText(slot.hourText),  text::hourUnit,
        text::bornSuffix,
    };
    copyText(slot.label, {});
    for (const std::string_view part : parts) {
        appendText(slot.label, part);
    }
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
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        if (whenMissing == WhenMissing::Create) {
            const int created = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (created >= 0) {
                ::close(created);
            }
        }
        return RecordFileStatus::Missing;
    }
    const OpenFile file(fd);
    if (fd < 0 || !lockExclusive(fd)) {
        return RecordFileStatus::Unreadable;
    }
    static char buffer[kRecordReadLimit];
    const long got = readHead(fd, buffer);
    if (got < 0) {
        return RecordFileStatus::Unreadable;
    }
    parseRecordList(std::string_view(buffer, static_cast<std::size_t>(got)), list);
    return RecordFileStatus::Read;
}

AppendResult appendRecordLine(const char* path, const BirthRecord& record) {
    const OpenFile file(::open(path, O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
    if (file.fd() < 0 || !lockExclusive(file.fd())) {
        return AppendResult::Failed;
    }
    static char buffer[kRecordReadLimit];
    const long got = readHead(file.fd(), buffer);
    if (got < 0) {
        return AppendResult::Failed;
    }
    static RecordList held;
    parseRecordList(std::string_view(buffer, static_cast<std::size_t>(got)), held);
    for (const RecordSlot& slot : held.slots) {
        if (slotHoldsRecord(slot, record)) {
            return AppendResult::Duplicate;
        }
    }
    char line[kRecordLineSize];
    formatRecordLine(record, line);
    const std::size_t size = strnlen(line, sizeof line);
    // One write at the end (O_APPEND): the line arrives whole or the append has failed.
    ssize_t written = -1;
    do {
        written = ::write(file.fd(), line, size);
    } while (written < 0 && errno == EINTR);
    if (written != static_cast<ssize_t>(size) || ::fdatasync(file.fd()) != 0) {
        return AppendResult::Failed;
    }
    return AppendResult::Appended;
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
