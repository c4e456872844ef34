#include "platform/files.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>

namespace quorvel::platform {

namespace {

std::wstring widePath(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int length = static_cast<int>(utf8.size());
    const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, out.data(), wide);
    return out;
}

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (valid()) {
            CloseHandle(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() {
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

std::wstring folderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

struct Target {
    std::wstring path;  // the file itself, a link followed
    bool exists = false;
};

// The file a name stands for: a link is followed, so that it stays a link to the file that
// changed. A folder, a device or a read-only file is refused.
std::optional<Target> findTarget(const char* name) {
    if (name[0] == '\0') {
        return std::nullopt;
    }
    Target target{widePath(name)};
    Handle existing(CreateFileW(target.path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!existing.valid()) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? std::optional(target) : std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(existing.get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(existing.get(), &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return std::nullopt;
    }
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(
        existing.get(), final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    if (length >= final.size()) {
        final.resize(length + 1);
        length = GetFinalPathNameByHandleW(existing.get(), final.data(),
                                           static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    }
    if (length > 0 && length < final.size()) {
        final.resize(length);
        target.path = final;
    }
    target.exists = true;
    return target;
}

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// Temporaries carry the name the POSIX side gives them, so that a later write finds what a
// killed one left.
constexpr std::wstring_view kTemporaryPrefix = L".quorvel.";
constexpr std::wstring_view kPartSuffix = L".part";
constexpr ULONGLONG kStaleHundredNanoseconds = 60ULL * 60 * 10000000;  // an hour

void removeLeftTemporaries(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = folder + L"\\" + std::wstring(kTemporaryPrefix) + L"*";
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    FILETIME nowTime{};
    GetSystemTimeAsFileTime(&nowTime);
    const ULONGLONG now = (ULONGLONG{nowTime.dwHighDateTime} << 32) | nowTime.dwLowDateTime;
    do {
        const std::wstring_view name = found.cFileName;
        const ULONGLONG written = (ULONGLONG{found.ftLastWriteTime.dwHighDateTime} << 32) |
                                  found.ftLastWriteTime.dwLowDateTime;
        if (name.ends_with(kPartSuffix) && name.size() == kTemporaryPrefix.size() + 6 + 5 &&
            (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            now - written >= kStaleHundredNanoseconds) {
            DeleteFileW((folder + L"\\" + std::wstring(name)).c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::wstring randomLetters() {
    static constexpr wchar_t kLetters[] =
        L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kLetters) - 2);
    std::wstring letters;
    for (int i = 0; i < 6; ++i) {
        letters += kLetters[pick(random)];
    }
    return letters;
}

enum class Outcome { Written, FolderRefuses, Failed };

// A file held for a moment by another program is waited for this long at most (half a second).
constexpr int kPlaceAttempts = 10;
constexpr DWORD kPlaceWaitMilliseconds = 50;

// The new text is written whole and flushed beside the file, then put in its place at once.
Outcome replaceThroughTemporary(const Target& target, std::string_view bytes) {
    const std::wstring folder = folderOf(target.path);
    std::wstring temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = folder + L"\\" + std::wstring(kTemporaryPrefix) + randomLetters() +
                    std::wstring(kPartSuffix);
        created = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
        if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            const DWORD error = GetLastError();
            return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT
                       ? Outcome::FolderRefuses
                       : Outcome::Failed;
        }
    }
    Handle file(created);
    if (!file.valid()) {
        return Outcome::Failed;
    }
    const bool written = writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
    if (!file.close() || !written) {
        DeleteFileW(temporary.c_str());
        return Outcome::Failed;
    }
    // ReplaceFileW keeps the old file's attributes and security; where the system cannot (some
    // network shares), the plain move does the same job. A virus scanner or the indexer may hold
    // the file for a moment after it was written or read: such a refusal is tried again briefly.
    bool placed = false;
    for (int attempt = 0; attempt < kPlaceAttempts && !placed; ++attempt) {
        if (attempt > 0) {
            Sleep(kPlaceWaitMilliseconds);
        }
        placed =
            (target.exists && ReplaceFileW(target.path.c_str(), temporary.c_str(), nullptr,
                                           REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) ||
            MoveFileExW(temporary.c_str(), target.path.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        const DWORD error = placed ? ERROR_SUCCESS : GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION &&
            error != ERROR_ACCESS_DENIED) {
            break;
        }
    }
    if (!placed) {
        DeleteFileW(temporary.c_str());
        return Outcome::Failed;
    }
    return Outcome::Written;
}

bool readAll(HANDLE file, std::string& text) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0) {
        return false;
    }
    text.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    for (std::size_t done = 0; done < text.size();) {
        DWORD got = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1u << 30));
        if (!ReadFile(file, text.data() + done, chunk, &got, nullptr) || got == 0) {
            return false;
        }
        done += got;
    }
    return true;
}

bool rewriteFrom(HANDLE file, std::string_view bytes) {
    LARGE_INTEGER start{};
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && writeAll(file, bytes) &&
           SetEndOfFile(file) && FlushFileBuffers(file);
}

// Not atomic, so only where the folder takes no new file. The old text is kept, so a full disk
// or a failed write puts it back.
bool rewriteInPlace(const Target& target, std::string_view bytes) {
    Handle file(CreateFileW(target.path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string old;
    if (!file.valid() || !readAll(file.get(), old)) {
        return false;
    }
    if (rewriteFrom(file.get(), bytes)) {
        return file.close();
    }
    rewriteFrom(file.get(), old);
    return false;
}

}  // namespace

bool replaceFile(const char* path, std::string_view bytes) {
    const std::optional<Target> target = findTarget(path);
    if (!target) {
        return false;
    }
    removeLeftTemporaries(folderOf(target->path));
    switch (replaceThroughTemporary(*target, bytes)) {
        case Outcome::Written:
            return true;
        case Outcome::FolderRefuses:
            return target->exists && rewriteInPlace(*target, bytes);
        case Outcome::Failed:
            return false;
    }
    return false;
}

LockedFile::LockedFile(const char* path, Mode mode) {
    const std::wstring name = widePath(path);
    // Appending only: every write lands at the end, whatever another writer did meanwhile.
    const DWORD access = mode == Mode::Read ? GENERIC_READ : GENERIC_READ | FILE_APPEND_DATA;
    HANDLE file = CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              mode == Mode::Read ? OPEN_EXISTING : OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        status_ = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                      ? FileOpen::Missing
                      : FileOpen::Unusable;
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    if (GetFileType(file) != FILE_TYPE_DISK) {
        return;
    }
    // Another program may hold the lock as long as it likes; we ask again until the wait is over.
    constexpr int kPollMilliseconds = 50;
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY |
                        (mode == Mode::Read ? 0 : static_cast<DWORD>(LOCKFILE_EXCLUSIVE_LOCK));
    for (int waited = 0;; waited += kPollMilliseconds) {
        OVERLAPPED whole{};
        if (LockFileEx(file, flags, 0, MAXDWORD, MAXDWORD, &whole)) {
            status_ = FileOpen::Opened;
            return;
        }
        if (GetLastError() != ERROR_LOCK_VIOLATION || waited >= kLockWaitMilliseconds) {
            return;
        }
        Sleep(kPollMilliseconds);
    }
}

LockedFile::~LockedFile() {
    if (handle_ != -1) {
        CloseHandle(reinterpret_cast<HANDLE>(handle_));
    }
}

long LockedFile::readAt(std::uint64_t offset, char* buffer, std::size_t size) const {
    std::size_t got = 0;
    while (got < size) {
        OVERLAPPED at{};
        const std::uint64_t position = offset + got;
        at.Offset = static_cast<DWORD>(position & 0xFFFFFFFF);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - got, 1u << 30));
        if (!ReadFile(reinterpret_cast<HANDLE>(handle_), buffer + got, chunk, &n, &at)) {
            if (GetLastError() == ERROR_HANDLE_EOF) {
                break;
            }
            return -1;
        }
        if (n == 0) {
            break;
        }
        got += n;
    }
    return static_cast<long>(got);
}

long long LockedFile::size() const {
    LARGE_INTEGER size{};
    return GetFileSizeEx(reinterpret_cast<HANDLE>(handle_), &size) ? size.QuadPart : -1;
}

bool LockedFile::append(std::string_view bytes) {
    const auto file = reinterpret_cast<HANDLE>(handle_);
    // One write at the end: the bytes arrive whole or the append has failed.
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && FlushFileBuffers(file);
}

bool createEmptyFile(const char* path) {
    HANDLE file = CreateFileW(widePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

bool renameToNewName(const char* from, const char* to) {
    // Without MOVEFILE_REPLACE_EXISTING the move refuses a name that is taken.
    return MoveFileExW(widePath(from).c_str(), widePath(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace quorvel::platform
