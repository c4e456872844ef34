#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

// Older C libraries name the field of a timer's thread only by its inner name.
#ifndef sigev_notify_thread_id
#define sigev_notify_thread_id _sigev_un._tid
#endif

namespace quorvel::platform {

namespace {

namespace fs = std::filesystem;

// As many links as Linux itself follows before giving up with ELOOP.
constexpr int kMaxLinkHops = 40;

// Where the file will be: the name itself, or the file a chain of links names. Only the last
// part needs resolving; the system follows links among the folders above it.
std::optional<fs::path> followLinks(fs::path path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        std::error_code error;
        const fs::path link = fs::read_symlink(path, error);
        if (error) {
            return std::nullopt;
        }
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return std::nullopt;
}

// Reading the mask means setting it; the program runs on one thread, so nothing else creates a
// file in between.
mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

struct Target {
    fs::path path;  // the file itself, never a link
    std::optional<struct stat> existing;
    fs::path folder() const { return path.has_parent_path() ? path.parent_path() : fs::path("."); }
};

std::optional<Target> findTarget(const char* name) {
    if (name[0] == '\0') {
        return std::nullopt;
    }
    std::optional<fs::path> path = followLinks(name);
    if (!path) {
        return std::nullopt;
    }
    Target target{*path, std::nullopt};
    struct stat info {};
    if (::stat(target.path.c_str(), &info) == 0) {
        target.existing = info;
    } else if (errno != ENOENT) {
        return std::nullopt;
    }
    return target;
}

// A file its owner may not write counts as read-only even for root, who could write it anyway:
// root ignores the mode bits, and a replacing rename would ignore them for everybody.
bool mayReplace(const Target& target) {
    if (!target.existing) {
        return true;
    }
    return S_ISREG(target.existing->st_mode) && (target.existing->st_mode & S_IWUSR) != 0 &&
           ::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Saved data is only as safe as the entry naming it; a failure here changes nothing we could undo.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Gives the new file what the old one had, or what a plainly created file would get. Failures
// are ignored: only root may give a file away, and some file systems (FAT) keep no modes at all.
void matchAttributes(int fd, const Target& target) {
    if (target.existing) {
        [[maybe_unused]] const int owned =
            ::fchown(fd, target.existing->st_uid, target.existing->st_gid);
        ::fchmod(fd, target.existing->st_mode & 07777);
    } else {
        ::fchmod(fd, 0666 & ~currentUmask());
    }
}

// Temporaries carry a name of their own, whatever file they stand in for, so that a name near
// the system's limit still leaves room for one and a later write can tell which are ours.
constexpr std::string_view kTemporaryPrefix = ".quorvel.";
constexpr std::size_t kRandomLength = 6;
constexpr std::string_view kPartSuffix = ".part";  // still being written
constexpr std::string_view kNewSuffix = ".new";    // whole, about to take the file's place
// A named temporary this old has lost its writer; a younger one may still be in use.
constexpr time_t kStaleSeconds = 60 * 60;

bool isTemporaryName(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix)) {
        return false;
    }
    name.remove_prefix(kTemporaryPrefix.size());
    if (name.size() < kRandomLength) {
        return false;
    }
    for (const char c : name.substr(0, kRandomLength)) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) {
            return false;
        }
    }
    name.remove_prefix(kRandomLength);
    return name == kPartSuffix || name == kNewSuffix;
}

// What a killed write left: a whole new text that never took its place goes at once (it has a
// name only between the link and the rename), a named temporary once no writer can be at it.
void removeLeftTemporaries(const fs::path& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        struct stat info {};
        if (!isTemporaryName(name) ||
            ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
            continue;
        }
        if (name.ends_with(kNewSuffix) || now - info.st_mtime >= kStaleSeconds) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

std::string randomLetters() {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string letters;
    for (std::size_t i = 0; i < kRandomLength; ++i) {
        letters += kLetters[pick(random)];
    }
    return letters;
}

// The folder takes no new file: only then may the file be rewritten in place.
bool folderRefuses(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

enum class Outcome { Written, FolderRefuses, Unsupported, Failed };

// A name for the unnamed file behind `fd`. Through /proc any user may do it; without /proc only
// a process allowed to name any open file can.
bool linkUnnamed(int fd, const std::string& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return true;
    }
    return errno == ENOENT && ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

// Gives a whole unnamed file its place: the file's own name when there was no file, otherwise a
// fresh name renamed over the old file, which stays whole until that rename.
bool nameUnnamed(int fd, const Target& target) {
    if (!target.existing) {
        return linkUnnamed(fd, target.path.string());
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string fresh = (target.folder() / (std::string(kTemporaryPrefix) +
                                                      randomLetters() + std::string(kNewSuffix)))
                                      .string();
        if (!linkUnnamed(fd, fresh)) {
            if (errno == EEXIST) {
                continue;
            }
            return false;
        }
        if (::rename(fresh.c_str(), target.path.c_str()) != 0) {
            ::unlink(fresh.c_str());
            return false;
        }
        return true;
    }
    return false;
}

// The new text goes into a file without a name until it is whole: a crash before leaves nothing.
Outcome replaceThroughUnnamed(const Target& target, std::string_view text) {
    const int fd = ::open(target.folder().c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        // Kernels without O_TMPFILE take it for O_DIRECTORY and answer EISDIR.
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
            return Outcome::Unsupported;
        }
        return folderRefuses(errno) ? Outcome::FolderRefuses : Outcome::Failed;
    }
    matchAttributes(fd, target);
    const bool written = writeAll(fd, text) && ::fsync(fd) == 0 && nameUnnamed(fd, target);
    ::close(fd);
    if (!written) {
        return Outcome::Failed;
    }
    syncFolder(target.folder());
    return Outcome::Written;
}

// Where the file system has no unnamed files: a named temporary, renamed over the file.
Outcome replaceThroughNamed(const Target& target, std::string_view text) {
    std::string path =
        (target.folder() / (std::string(kTemporaryPrefix) + "XXXXXX" + std::string(kPartSuffix)))
            .string();
    const int fd = ::mkostemps(path.data(), static_cast<int>(kPartSuffix.size()), O_CLOEXEC);
    if (fd < 0) {
        return folderRefuses(errno) ? Outcome::FolderRefuses : Outcome::Failed;
    }
    matchAttributes(fd, target);
    const bool written = writeAll(fd, text) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || ::rename(path.c_str(), target.path.c_str()) != 0) {
        ::unlink(path.c_str());
        return Outcome::Failed;
    }
    syncFolder(target.folder());
    return Outcome::Written;
}

// Reads (into `text`, already sized) or writes all of `text` from the start of the file.
template <typename Transfer, typename Text>
bool transferAll(Transfer transfer, int fd, Text& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n =
            transfer(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Room for `size` bytes without changing the file's length, so a kill leaves it as it was. Where
// the file system cannot reserve, the writing itself finds out.
bool reserve(int fd, std::size_t size) {
    if (size == 0 || ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0) {
        return true;
    }
    return errno == EOPNOTSUPP;
}

// Not atomic, so only where the folder takes no new file. The room is reserved first and the old
// text kept, so a full disk or a failed write leaves the old text; only a crash in the middle of
// the writing can leave old and new mixed.
bool rewriteInPlace(const Target& target, std::string_view text) {
    const int fd = ::open(target.path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool written = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    std::string old(written ? static_cast<std::size_t>(info.st_size) : 0, '\0');
    written = written && transferAll(::pread, fd, old) && reserve(fd, text.size());
    if (written &&
        !(transferAll(::pwrite, fd, text) &&
          ::ftruncate(fd, static_cast<off_t>(text.size())) == 0 && ::fdatasync(fd) == 0)) {
        transferAll(::pwrite, fd, old);
        [[maybe_unused]] const int cut = ::ftruncate(fd, static_cast<off_t>(old.size()));
        ::fdatasync(fd);
        written = false;
    }
    return ::close(fd) == 0 && written;
}

// The signal that ends a wait for a lock. Its handler does nothing and stays installed, so a
// signal still on its way when the wait is over harms nothing.
int wakeSignal() {
    static const int signal = [] {
        struct sigaction action {};
        action.sa_handler = [](int) {};
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;  // no SA_RESTART: the waiting call returns EINTR
        ::sigaction(SIGRTMAX, &action, nullptr);
        return SIGRTMAX;
    }();
    return signal;
}

// Waits in the system for the lock, which hands it to a waiter as soon as it is free (asking
// again and again would find it free only by chance while another program appends in a loop),
// and a timer of this thread's own ends the wait after kLockWaitMilliseconds. The timer repeats,
// in case it rings just before the wait begins.
bool lockWithin(int fd, int operation) {
    if (::flock(fd, operation | LOCK_NB) == 0) {
        return true;
    }
    if (errno != EWOULDBLOCK) {
        return false;
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kLockWaitMilliseconds);
    sigevent event{};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = wakeSignal();
    event.sigev_notify_thread_id = ::gettid();
    timer_t timer{};
    if (::timer_create(CLOCK_MONOTONIC, &event, &timer) != 0) {
        return false;
    }
    sigset_t wake, previous;
    sigemptyset(&wake);
    sigaddset(&wake, event.sigev_signo);
    ::pthread_sigmask(SIG_UNBLOCK, &wake, &previous);
    constexpr long kMillisecond = 1000 * 1000;
    const itimerspec ring{
        {0, 10 * kMillisecond},
        {kLockWaitMilliseconds / 1000, kLockWaitMilliseconds % 1000 * kMillisecond}};
    bool locked = false;
    if (::timer_settime(timer, 0, &ring, nullptr) == 0) {
        while (!(locked = ::flock(fd, operation) == 0)) {
            if (errno != EINTR || std::chrono::steady_clock::now() >= deadline) {
                break;
            }
        }
    }
    ::timer_delete(timer);
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return locked;
}

fs::path folderOf(const char* path) {
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

}  // namespace

bool replaceFile(const char* path, std::string_view bytes) {
    const std::optional<Target> target = findTarget(path);
    if (!target || !mayReplace(*target)) {
        return false;
    }
    removeLeftTemporaries(target->folder());
    Outcome outcome = replaceThroughUnnamed(*target, bytes);
    if (outcome == Outcome::Unsupported) {
        outcome = replaceThroughNamed(*target, bytes);
    }
    switch (outcome) {
        case Outcome::Written:
            return true;
        case Outcome::FolderRefuses:
            return target->existing && rewriteInPlace(*target, bytes);
        case Outcome::Unsupported:
        case Outcome::Failed:
            return false;
    }
    return false;
}

LockedFile::LockedFile(const char* path, Mode mode) {
    // Never waits for the other end of a pipe: what is not a plain file is refused below.
    constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
    constexpr int kAppendFlags = O_RDWR | O_APPEND | O_NONBLOCK | O_CLOEXEC;
    int fd = ::open(path, mode == Mode::Read ? kReadFlags : kAppendFlags);
    if (fd < 0 && errno == ENOENT && mode == Mode::Append) {
        fd = ::open(path, kAppendFlags | O_CREAT | O_EXCL, 0666);
        if (fd >= 0) {
            syncFolder(folderOf(path));
        } else if (errno == EEXIST) {
            fd = ::open(path, kAppendFlags);
        }
    }
    if (fd < 0) {
        status_ = errno == ENOENT ? FileOpen::Missing : FileOpen::Unusable;
        return;
    }
    handle_ = fd;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return;
    }
    status_ = lockWithin(fd, mode == Mode::Read ? LOCK_SH : LOCK_EX) ? FileOpen::Opened
                                                                     : FileOpen::Unusable;
}

LockedFile::~LockedFile() {
    if (handle_ >= 0) {
        ::close(static_cast<int>(handle_));
    }
}

long LockedFile::readAt(std::uint64_t offset, char* buffer, std::size_t size) const {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(static_cast<int>(handle_), buffer + got, size - got,
                                  static_cast<off_t>(offset + got));
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

long long LockedFile::size() const {
    struct stat info {};
    return ::fstat(static_cast<int>(handle_), &info) == 0 ? static_cast<long long>(info.st_size)
                                                          : -1;
}

bool LockedFile::append(std::string_view bytes) {
    const int fd = static_cast<int>(handle_);
    // One write at the end (O_APPEND): the bytes arrive whole or the append has failed.
    ssize_t written = -1;
    do {
        written = ::write(fd, bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    return written == static_cast<ssize_t>(bytes.size()) && ::fdatasync(fd) == 0;
}

bool createEmptyFile(const char* path) {
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    syncFolder(folderOf(path));
    return true;
}

bool renameToNewName(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) {
        syncFolder(folderOf(to));
        return true;
    }
    // File systems that cannot refuse to replace: a look first, harmless in a folder only this
    // program renames into.
    if ((errno != EINVAL && errno != ENOSYS) || ::access(to, F_OK) == 0 || errno != ENOENT ||
        ::rename(from, to) != 0) {
        return false;
    }
    syncFolder(folderOf(to));
    return true;
}

}  // namespace quorvel::platform
