#include "cli/output_stream.h"

#include <cerrno>
#include <string>

#include "platform/console.h"

namespace quorvel::cli {

OutputStream::OutputStream(std::FILE* stream)
    : stream_(stream), console_(platform::isConsole(stream)) {}

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
    if (console_) {
        return platform::writeConsole(stream_, text, sjis_) || fail();
    }
    const unsigned madeIn = sjis_ ? platform::kShiftJisCodePage : platform::kUtf8CodePage;
    std::string recoded;
    if (codePage_ != 0 && codePage_ != madeIn) {
        recoded = platform::recode(text, madeIn, codePage_);
        text = recoded;
    }
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

}  // namespace quorvel::cli
