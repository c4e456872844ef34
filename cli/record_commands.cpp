#include "cli/record_commands.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "cli/chart_command.h"
#include "cli/output_text.h"
#include "common/fixed_text.h"
#include "records/record_texts.h"

namespace quorvel::cli {

namespace {

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

// Reads up to the size of the buffer; -1 on a read error.
long readHead(int fd, char (&buffer)[kRecordReadLimit]) {
    std::size_t got = 0;
    while (got < sizeof buffer) {
        const ssize_t n = ::read(fd, buffer + got, sizeof buffer - got);
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

bool lockShared(int fd) {
    while (::flock(fd, LOCK_SH) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

void tell(std::FILE* err, std::string_view sjisText, bool sjisOutput) {
    const std::string text = forOutput(sjisText, sjisOutput) + "\n";
    std::fwrite(text.data(), 1, text.size(), err);
}

// 0, or the exit status after telling why there is no list.
int readOrTell(const RecordOptions& options, RecordList& list, std::FILE* err) {
    switch (readStoredRecords(options.file.c_str(), list)) {
        case StoredRecords::Read:
            return 0;
        case StoredRecords::Missing:
            tell(err, text::missingFileMessage, options.sjisOutput);
            return 2;
        case StoredRecords::Unreadable:
            break;
    }
    tell(err, text::unreadableFileMessage, options.sjisOutput);
    return 2;
}

}  // namespace

StoredRecords readStoredRecords(const char* path, RecordList& list) {
    list = RecordList{};
    const Descriptor file(::open(path, O_RDONLY | O_CLOEXEC));
    if (file.fd() < 0) {
        return errno == ENOENT ? StoredRecords::Missing : StoredRecords::Unreadable;
    }
    // Shared: an append takes the file exclusively, so a half-written line is never seen.
    if (!lockShared(file.fd())) {
        return StoredRecords::Unreadable;
    }
    static char buffer[kRecordReadLimit];
    const long got = readHead(file.fd(), buffer);
    if (got < 0) {
        return StoredRecords::Unreadable;
    }
    parseRecordList(std::string_view(buffer, static_cast<std::size_t>(got)), list);
    return StoredRecords::Read;
}

bool recordBirth(const RecordSlot& slot, BirthInput& birth) {
    const std::string_view sex = fieldText(slot.sexText);
    if (fieldText(slot.label).empty() || (sex != text::maleSexText && sex != text::femaleSexText)) {
        return false;
    }
    birth.sex = sex == text::maleSexText ? Sex::Male : Sex::Female;
    birth.year = recordNumber(fieldText(slot.yearText));
    birth.month = recordNumber(fieldText(slot.monthText));
    birth.day = recordNumber(fieldText(slot.dayText));
    birth.hour = recordNumber(fieldText(slot.hourText));
    return true;
}

int runRecordsCommand(const RecordOptions& options, OutputStream& out, std::FILE* err) {
    static RecordList list;
    if (const int status = readOrTell(options, list, err); status != 0) {
        return status;
    }
    std::string lines;
    for (int n = 0; n < kRecordSlotCount; ++n) {
        const std::string_view label = fieldText(list.slots[n].label);
        if (!label.empty()) {
            lines += std::to_string(n + 1) + '\t' + forOutput(label, options.sjisOutput) + '\n';
        }
    }
    out.write(lines);
    return 0;
}

int runRecordChartCommand(const RecordOptions& options, OutputStream& out, std::FILE* err) {
    static RecordList list;
    if (const int status = readOrTell(options, list, err); status != 0) {
        return status;
    }
    BirthInput birth;
    if (options.number < 1 || options.number > kRecordSlotCount ||
        !recordBirth(list.slots[options.number - 1], birth)) {
        tell(err, text::badRecordMessage, options.sjisOutput);
        return 2;
    }
    const ChartTexts texts = makeChartTexts(options.sjisOutput);
    if (const InputProblem problem = checkComputable(birth); problem != InputProblem::None) {
        std::fprintf(err, "%s\n", problemMessage(problem, texts).c_str());
        return 2;
    }
    writeChart(birth, options.json, texts, out);
    return 0;
}

}  // namespace quorvel::cli
