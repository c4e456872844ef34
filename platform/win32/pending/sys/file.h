#pragma once
// Until the file seam of platform/files.h reaches this build, the data file's reader and appender
// compile here unchanged against these few POSIX calls, made of their Windows counterparts.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>

// Every open of the data file is binary: its line ends are the file's own.
#ifndef O_CLOEXEC
#define O_CLOEXEC O_BINARY
#endif

inline constexpr int LOCK_EX = 2;

// The whole file, exclusively; released when the descriptor is closed.
inline int flock(int fd, int /*operation*/) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    OVERLAPPED from{};
    if (handle == INVALID_HANDLE_VALUE ||
        !LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &from)) {
        errno = EIO;
        return -1;
    }
    return 0;
}

inline long pread(int fd, void* buffer, std::size_t size, long offset) {
    if (_lseek(fd, offset, SEEK_SET) < 0) {
        return -1;
    }
    return _read(fd, buffer, static_cast<unsigned>(size));
}

inline int fdatasync(int fd) {
    return _commit(fd);
}

// The whole line in one call, as POSIX takes a size_t.
inline long write(int fd, const void* buffer, std::size_t size) {
    return _write(fd, buffer, static_cast<unsigned>(size));
}
