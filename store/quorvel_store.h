#pragma once
// QUORVEL.DB beside DATA.CSV: what a person's DATA.CSV line cannot hold, and the desktop
// program's settings. The file may be missing, damaged or written by a newer Quorvel; none of
// that ever stops a consultation: reads then find nothing, and the caller reports problem().
// Plain values in and out; no SQL above this layer.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calendar/birthplace.h"
#include "calendar/chart_rules.h"
#include "store/casebook.h"

struct sqlite3;

namespace quorvel {

inline constexpr std::string_view kStoreFileName = "QUORVEL.DB";

// What is kept of a person beyond the seven fields of the DATA.CSV line.
struct BirthDetails {
    Birthplace birthplace;  // not known(): none given
    friend bool operator==(const BirthDetails&, const BirthDetails&) = default;
};

enum class StoreOpen {
    Ok,        // read and written as usual
    Missing,   // no file yet: reads find nothing, the first write makes it
    SetAside,  // the file was damaged and now bears the name problem() gives; on as Missing
    Newer,     // from a newer Quorvel: what this one knows is read, nothing is ever written
    Failed,    // could not be opened (or damaged, and could not be renamed): nothing is read or
               // written
};

// The person a DATA.CSV line stands for: its bytes without the line end ("\n" or "\r\n"), so a
// file saved again with CR LF keeps every detail. Identical lines are one person.
std::string_view personKey(std::string_view dataCsvLine);

// Owns the connection to one folder's QUORVEL.DB. Every write is one transaction, committed with
// a rollback journal and synchronous=FULL: a crash leaves the file as before or after it.
class QuorvelStore {
  public:
    // Opens `folder`/QUORVEL.DB (a UTF-8 path; "" for the working folder). A missing file is not
    // made here. A damaged one (not a database, or one SQLite finds corrupt) is renamed to
    // QUORVEL.DB.damaged-YYYYMMDD-HHMMSS (-2, -3 … when taken), never deleted.
    static QuorvelStore open(std::string_view folder);
    ~QuorvelStore();
    QuorvelStore(QuorvelStore&& other) noexcept;
    QuorvelStore& operator=(QuorvelStore&& other) noexcept;
    QuorvelStore(const QuorvelStore&) = delete;
    QuorvelStore& operator=(const QuorvelStore&) = delete;

    StoreOpen openStatus() const { return status_; }
    // For SetAside, Newer and Failed a short Shift-JIS text for the user (standard error, a
    // message box) that names the file and what became of it; empty otherwise.
    std::string_view problem() const { return problem_; }

    // The details kept under the line (see personKey); nullopt when there are none.
    std::optional<BirthDetails> birthDetails(std::string_view dataCsvLine) const;
    // The details of every line in one read, sorted by the line's bytes (as std::string orders
    // them): a list of many persons asks once, not once a person. Empty without a file.
    std::vector<std::pair<std::string, BirthDetails>> allBirthDetails() const;
    // Replaces the details of the person; false when nothing could be written.
    bool saveBirthDetails(std::string_view dataCsvLine, const BirthDetails& details);

    // The desktop program's 命式の流儀; nullopt when never saved. A rule the file names with a
    // word this program does not know reads as its default.
    std::optional<ChartRules> rules() const;
    bool saveRules(const ChartRules& rules);

    // Any other setting, by a key of lower-case ASCII words ("window.size"); values are text.
    std::optional<std::string> setting(std::string_view key) const;
    bool saveSetting(std::string_view key, std::string_view value);

    // --- The casebook (store/casebook.h). Every line argument is a DATA.CSV line with or
    // without its line end. A write to a line the store has not seen makes it a person.

    // Records that `newLine` (already appended to DATA.CSV) corrects `oldLine`: the new line joins
    // the old one's person, so the note, the history and the hidden mark go with it, and takes
    // `newDetails` as its birth details, as the person's newest version, recorded as correcting
    // `oldLine` (the caller names the line the user saw: the current one). A line the person had
    // before becomes its newest again. Refused when either line is empty, both are the same, or
    // the new line is already another person's.
    StoreWrite supersede(std::string_view oldLine, std::string_view newLine,
                         const BirthDetails& newDetails);

    // 非表示 and 表示に戻す: for the whole person, whichever of its lines is named.
    StoreWrite setHidden(std::string_view line, bool hidden);

    // The person's note (UTF-8); empty when none. Saving an empty note removes it; a note
    // checkNote refuses is Refused and nothing changes. appendNote adds a line to the end.
    std::string note(std::string_view line) const;
    StoreWrite saveNote(std::string_view line, std::string_view utf8);
    StoreWrite appendNote(std::string_view line, std::string_view utf8);

    // One consultation made for the person; entry.id is ignored, an empty `when` is now.
    StoreWrite addHistory(std::string_view line, const HistoryEntry& entry);
    // The person's history, newest first (by `when`, then the order of adding).
    std::vector<HistoryEntry> history(std::string_view line) const;

    // 消去: the person's note and history, for good (their bytes are overwritten in the file).
    // The lines, their corrections, birth details and hidden mark stay.
    StoreWrite erase(std::string_view line);

    // What the store keeps of `line`; nullopt for a line it has never seen.
    std::optional<CasebookLine> casebookLine(std::string_view line) const;
    // Every line the store knows in one read (see Casebook); empty without a file.
    Casebook casebook() const;

    // The outcome of the last write of any kind (saveBirthDetails and the others included).
    StoreWrite lastWrite() const { return lastWrite_; }

    // A consistent copy of the file at `path` (a new file; an existing one is replaced) through
    // SQLite's online backup, while other programs may use it. Done with no file written when
    // there is no store yet (nothing to copy).
    StoreWrite backupTo(std::string_view path) const;

    // Replaces `folder`/QUORVEL.DB by the copy at `backupPath` (one backupTo made): the copy is
    // checked first (a database this program can read), the current file renamed to
    // QUORVEL.DB.before-restore-YYYYMMDD-HHMMSS, then the copy written in its place. No store
    // of the folder may be open meanwhile. Refused for a copy that is not a readable store.
    static RestoreOutcome restore(std::string_view folder, std::string_view backupPath);

  private:
    explicit QuorvelStore(std::string path) : path_(std::move(path)) {}
    void inspect();
    void setAside();
    void fail(std::string_view text);
    void close();
    StoreWrite write(const std::function<StoreWrite(sqlite3*)>& body);
    StoreWrite writeOnce(const std::function<StoreWrite(sqlite3*)>& body);

    std::string path_;
    sqlite3* db_ = nullptr;
    StoreOpen status_ = StoreOpen::Missing;
    std::string problem_;
    StoreWrite lastWrite_ = StoreWrite::Done;
};

}  // namespace quorvel
