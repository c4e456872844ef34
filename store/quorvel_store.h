#pragma once
// QUORVEL.DB beside DATA.CSV: what a person's DATA.CSV line cannot hold, and the desktop
// program's settings. The file may be missing, damaged or written by a newer Quorvel; none of
// that ever stops a consultation: reads then find nothing, and the caller reports problem().
// Plain values in and out; no SQL above this layer.
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "calendar/birthplace.h"
#include "calendar/chart_rules.h"

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
    // Replaces the details of the person; false when nothing could be written.
    bool saveBirthDetails(std::string_view dataCsvLine, const BirthDetails& details);

    // The desktop program's 命式の流儀; nullopt when never saved. A rule the file names with a
    // word this program does not know reads as its default.
    std::optional<ChartRules> rules() const;
    bool saveRules(const ChartRules& rules);

    // Any other setting, by a key of lower-case ASCII words ("window.size"); values are text.
    std::optional<std::string> setting(std::string_view key) const;
    bool saveSetting(std::string_view key, std::string_view value);

  private:
    explicit QuorvelStore(std::string path) : path_(std::move(path)) {}
    void inspect();
    void setAside();
    void fail(std::string_view text);
    void close();
    template <typename Body>
    bool write(Body&& body);

    std::string path_;
    sqlite3* db_ = nullptr;
    StoreOpen status_ = StoreOpen::Missing;
    std::string problem_;
};

}  // namespace quorvel
