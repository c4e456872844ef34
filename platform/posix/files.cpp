#include "platform/files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

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

// A private name in the file's own folder, so the rename stays within one file system and
// nothing already there is reused or followed.
struct Temporary {
    std::string path;
    int fd = -1;
};

std::optional<Temporary> createTemporary(const Target& target) {
    Temporary temporary{
        (target.folder() / ("." + target.path.filename().string() + ".XXXXXX")).string()};
    temporary.fd = ::mkostemp(temporary.path.data(), O_CLOEXEC);
    if (temporary.fd < 0) {
        return std::nullopt;
    }
    return temporary;
}

bool fillAndClose(int fd, std::string_view text) {
    const bool written = writeAll(fd, text) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && written;
}

enum class Outcome { Written, NoTemporary, Failed };

Outcome replaceThroughTemporary(const Target& target, std::string_view text) {
    const std::optional<Temporary> temporary = createTemporary(target);
    if (!temporary) {
        return Outcome::NoTemporary;
    }
    matchAttributes(temporary->fd, target);
    if (!fillAndClose(temporary->fd, text) ||
        ::rename(temporary->path.c_str(), target.path.c_str()) != 0) {
        ::unlink(temporary->path.c_str());
        return Outcome::Failed;
    }
    syncFolder(target.folder());
    return Outcome::Written;
}

// Not atomic: a failure midway leaves the file cut short. Only for where nothing else can work.
bool rewriteInPlace(const Target& target, std::string_view text) {
    const int fd = ::open(target.path.c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC);
    return fd >= 0 && fillAndClose(fd, text);
}

bool lockExclusive(int fd) {
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool replaceFile(const char* path, std::string_view bytes) {
    const std::optional<Target> target = findTarget(path);
    if (!target || !mayReplace(*target)) {
        return false;
    }
    switch (replaceThroughTemporary(*target, bytes)) {
        case Outcome::Written:
            return true;
        case Outcome::NoTemporary:
            return target->existing && rewriteInPlace(*target, bytes);
        case Outcome::Failed:
            return false;
    }
    return false;
}

LockedFile::LockedFile(const char* path, Mode mode) {
    const int fd = mode == Mode::Read ? ::open(path, O_RDONLY | O_CLOEXEC)
                                      : ::open(path, O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        status_ = errno == ENOENT ? FileOpen::Missing : FileOpen::Unusable;
        return;
    }
    handle_ = fd;
    status_ = lockExclusive(fd) ? FileOpen::Opened : FileOpen::Unusable;
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
    return true;
}

}  // namespace quorvel::platform
