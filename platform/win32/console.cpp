#include "platform/console.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>  // after windows.h, which it needs

#include <algorithm>
#include <cerrno>
#include <string>

namespace quorvel::platform {

namespace {

HANDLE handleOf(std::FILE* stream) {
    const int fd = _fileno(stream);
    return fd < 0 ? INVALID_HANDLE_VALUE : reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

std::wstring wideOf(std::string_view text, UINT codePage) {
    const int length = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring characters(static_cast<std::size_t>(std::max(wide, 0)), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, characters.data(), wide);
    return characters;
}

// 0 when the system has no such code page.
int narrowOf(const std::wstring& characters, UINT codePage, std::string& text) {
    const int wide = static_cast<int>(characters.size());
    const int length =
        WideCharToMultiByte(codePage, 0, characters.data(), wide, nullptr, 0, nullptr, nullptr);
    text.assign(static_cast<std::size_t>(std::max(length, 0)), '\0');
    return WideCharToMultiByte(codePage, 0, characters.data(), wide, text.data(), length, nullptr,
                               nullptr);
}

}  // namespace

void prepareStandardStreams() {
    // Text mode would turn every line feed into CR LF and stop reading at a Ctrl-Z.
    for (std::FILE* stream : {stdin, stdout, stderr}) {
        if (_fileno(stream) >= 0) {
            _setmode(_fileno(stream), _O_BINARY);
        }
    }
}

std::vector<std::string> utf8Arguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        const int length =
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(static_cast<std::size_t>(std::max(length, 1)), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), length, nullptr, nullptr);
        argument.resize(argument.size() - 1);  // the terminator
        arguments.push_back(std::move(argument));
    }
    LocalFree(wide);
    return arguments;
}

long readInput(int fd, char* buffer, std::size_t size) {
    const unsigned most = size > 0x7FFFFFFF ? 0x7FFFFFFFu : static_cast<unsigned>(size);
    const int got = _read(fd, buffer, most);
    if (got < 0 && errno == EPIPE) {
        return 0;  // the writer of a pipe has gone: that is the end of the input
    }
    return got;
}

unsigned consoleOutputCodePage() {
    return GetConsoleOutputCP();
}

std::string recode(std::string_view text, unsigned from, unsigned to) {
    if (from == to || text.empty()) {
        return std::string(text);
    }
    const std::wstring characters = wideOf(text, from);
    std::string converted;
    if (narrowOf(characters, to, converted) == 0) {
        narrowOf(characters, CP_UTF8, converted);
    }
    return converted;
}

bool isConsole(std::FILE* stream) {
    DWORD mode = 0;
    return GetConsoleMode(handleOf(stream), &mode) != 0;
}

bool writeConsole(std::FILE* stream, std::string_view text, bool sjis) {
    if (text.empty()) {
        return true;
    }
    std::fflush(stream);
    const std::wstring characters = wideOf(text, sjis ? kShiftJisCodePage : kUtf8CodePage);
    const HANDLE console = handleOf(stream);
    for (std::size_t done = 0; done < characters.size();) {
        DWORD written = 0;
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(characters.size() - done, 8192));
        if (!WriteConsoleW(console, characters.data() + done, chunk, &written, nullptr) ||
            written == 0) {
            errno = EIO;
            return false;
        }
        done += written;
    }
    return true;
}

}  // namespace quorvel::platform
