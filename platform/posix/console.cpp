#include "platform/console.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "common/sjis_utf8.h"

namespace quorvel::platform {

void prepareStandardStreams() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        // The lowest free number is taken, and every lower one is open by now; opened the wrong
        // way round, so that reads and writes on it fail.
        const int held = ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
        if (held >= 0 && held != fd) {
            ::dup2(held, fd);
            ::close(held);
        }
    }
}

std::vector<std::string> utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

long readInput(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0) {
            return static_cast<long>(got);
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            return -1;
        }
        // Standard input may come non-blocking from whoever started us: wait instead of failing.
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, -1) < 0 && errno != EINTR) {
            return -1;
        }
    }
}

// A terminal here takes UTF-8.
unsigned consoleOutputCodePage() {
    return 0;
}

// Only the program's own two encodings are known here; any other code page reads as UTF-8.
std::string recode(std::string_view text, unsigned from, unsigned to) {
    const bool fromSjis = from == kShiftJisCodePage;
    const bool toSjis = to == kShiftJisCodePage;
    if (fromSjis == toSjis) {
        return std::string(text);
    }
    if (fromSjis) {
        return sjisToUtf8(text);
    }
    bool ok = true;
    return utf8ToSjis(text, ok);
}

// A terminal here takes the bytes as they are.
bool isConsole(std::FILE* /*stream*/) {
    return false;
}

bool writeConsole(std::FILE* stream, std::string_view text, bool /*sjis*/) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

}  // namespace quorvel::platform
