#pragma once
// The few file operations that differ by system: replacing a file whole, and the data file held
// under a lock. Paths are UTF-8. One side is linked: platform/posix or platform/win32.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvel::platform {

// Replaces the file `path` names with exactly `bytes`; false if nothing was written, and then
// the old file is as it was. A link is followed: it stays a link to the file that changed. The
// file keeps its mode and owner; a read-only file, a folder or a device is refused. The new text
// is written beside the old file and put in its place at once; only where the folder takes no
// new file is a writable file rewritten in place.
bool replaceFile(const char* path, std::string_view bytes);

// How long an open waits for another program's lock before it gives up.
inline constexpr int kLockWaitMilliseconds = 3000;

enum class FileOpen { Opened, Missing, Unusable };

// A plain file held open under a lock until this goes: shared for reading, exclusive for
// appending. Anything else (a pipe, a device, a folder) is Unusable, as is a file whose lock is
// not had within kLockWaitMilliseconds; opening never waits on the other end of a pipe.
class LockedFile {
  public:
    enum class Mode { Read, Append };  // Append creates a missing file

    LockedFile(const char* path, Mode mode);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    FileOpen status() const { return status_; }
    // Up to `size` bytes from `offset`, fewer only at the end; -1 on a read error.
    long readAt(std::uint64_t offset, char* buffer, std::size_t size) const;
    // The length in bytes; -1 when it cannot be told.
    long long size() const;
    // One write at the end, then its data synced; false unless all of it arrived.
    bool append(std::string_view bytes);

  private:
    std::intptr_t handle_ = -1;
    FileOpen status_ = FileOpen::Unusable;
};

// Makes an empty file where there is none; false if it is there already or cannot be made.
bool createEmptyFile(const char* path);

// Gives a file a name no entry has yet; false if `to` exists or the file could not be renamed.
bool renameToNewName(const char* from, const char* to);

}  // namespace quorvel::platform
