#pragma once
// The casebook kept in QUORVEL.DB: what a practitioner knows of a person beyond the DATA.CSV
// line. A person is one or more lines: the line first entered and each correction of it, all
// sharing one note, one history and one hidden mark. Lines are named by their bytes (personKey);
// a line the store has never seen is a person of its own with nothing kept.
// Plain values in and out; QuorvelStore's casebook members take and give these.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// A note holds at most this many characters (Unicode code points, not bytes).
inline constexpr std::size_t kNoteCharacterLimit = 4000;

enum class NoteCheck { Ok, TooLong, NotUtf8 };

// Whether `utf8` may be kept as a note; the store refuses what this refuses.
NoteCheck checkNote(std::string_view utf8);
// Shift-JIS: why a note was refused; empty for Ok.
std::string_view noteCheckMessage(NoteCheck check);

// The outcome of every casebook write. Each write is one transaction: on anything but Done the
// file is as it was.
enum class StoreWrite {
    Done,
    Refused,   // the input itself was refused (a note too long, an unknown line, a loop)
    Busy,      // another Quorvel held the file past the busy timeout
    ReadOnly,  // a file of a newer Quorvel, or one that could not be opened
    Failed,    // the disk or SQLite failed
};

// Shift-JIS: what to tell the user of an outcome other than Done; empty for Done.
std::string_view storeWriteMessage(StoreWrite outcome);

// What a history entry records; each has the word the command line and JSON use.
enum class HistoryKind : std::uint8_t {
    Judgement,   // "judgement": 天運・地運・人運 of a period
    Hexagram,    // "hexagram": 人運の判断
    Avoidance,   // "avoidance": 避凶造命法
    Report,      // "report": 鑑定書
    OutputFile,  // "output": a result file written
    Compat,      // "compat": a compatibility reading of two persons
};

std::string_view historyKindWord(HistoryKind kind);
std::optional<HistoryKind> historyKindOf(std::string_view word);
// Shift-JIS: the kind as a list shows it (運勢判断, 鑑定書, …).
std::string_view historyKindLabel(HistoryKind kind);

// Where the pillar of an entry came from.
enum class PeriodSource : std::uint8_t {
    None,   // no period (a report of the whole chart)
    Luck,   // a ten-year luck pillar
    Year,   // the 運勢暦: a year, month or day, as far as `year`, `month`, `day` are non-zero
    Typed,  // a pillar typed in, not taken from the calendar
};

struct HistoryPeriod {
    PeriodSource source = PeriodSource::None;
    std::string pillar;  // Shift-JIS, e.g. 庚午; empty with None
    int year = 0;        // with Year: the calendar year; 0 otherwise
    int month = 0;       // 1-12 when a month or day of the 運勢暦, else 0
    int day = 0;         // 1-31 when a day, else 0
    friend bool operator==(const HistoryPeriod&, const HistoryPeriod&) = default;
};

// Shift-JIS: the period as a list shows it: 2024年5月20日 甲子, 2024年 甲辰, 大運 庚午, 甲子; empty
// with None.
std::string periodText(const HistoryPeriod& period);

struct HistoryEntry {
    std::int64_t id = 0;  // given by the store; 0 in an entry to be added
    std::string when;     // local time, "YYYY-MM-DDTHH:MM:SS"
    HistoryKind kind = HistoryKind::Judgement;
    HistoryPeriod period;
    std::string file;  // the file written, as the user named it (UTF-8); empty when none
    std::string text;  // the text as shown, Shift-JIS, so a past reading can be shown again
    friend bool operator==(const HistoryEntry&, const HistoryEntry&) = default;
};

// The local time now as HistoryEntry::when spells it.
std::string historyTimeNow();

// What the store keeps about one line, as the bulk read gives it.
struct CasebookLine {
    std::string key;               // the line's bytes (personKey)
    std::int64_t person = 0;       // lines of one person share this number
    int version = 0;               // 0 the line first kept; each correction one more
    std::string supersedes;        // the key this line corrected; empty for the first
    bool hidden = false;           // the person is retired (非表示)
    std::string note;              // the person's note, UTF-8; empty when none
    std::string lastConsultation;  // the newest history entry's `when`; empty when none
};

// Every line the store knows, sorted by key, for the person list: one read however many
// persons the file holds. Which line of a person is current depends on which of its lines the
// data file still holds; records/casebook_view.h works that out.
struct Casebook {
    std::vector<CasebookLine> lines;
    // The line kept under `key`, or null: a binary search of `lines`.
    const CasebookLine* find(std::string_view key) const;
};

// What a restore did with the store file that stood before it.
struct RestoreOutcome {
    StoreWrite outcome = StoreWrite::Failed;
    std::string asideName;  // the name the previous QUORVEL.DB now bears; empty when none was
};

}  // namespace quorvel
