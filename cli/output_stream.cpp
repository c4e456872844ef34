#include "cli/output_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace quorvel::cli {

bool OutputStream::fail() {
    if (error_ == 0) {
        error_ = errno != 0 ? errno : EIO;
    }
    return false;
}

bool OutputStream::write(std::string_view text) {
    if (failed()) {
        return false;
    }
    if (text.empty()) {
        return true;
    }
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stream_) != text.size() || std::ferror(stream_)) {
        return fail();
    }
    return true;
}

bool OutputStream::flush() {
    if (failed()) {
        return false;
    }
    errno = 0;
    if (std::fflush(stream_) != 0 || std::ferror(stream_)) {
        return fail();
    }
    return true;
}

bool OutputStream::close() {
    flush();
    errno = 0;
    if (std::fclose(stream_) != 0) {
        fail();
    }
    return !failed();
}

void holdClosedStandardStreams() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        // The lowest free number is taken, and every lower one is open by now.
        const int held = ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
        if (held >= 0 && held != fd) {
            ::dup2(held, fd);
            ::close(held);
        }
    }
}

}  // namespace quorvel::cli
