#pragma once
// The standard streams of the command-line tool, where the systems differ: how they are made
// ready, how input is read, and a console window, which takes characters rather than bytes.
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::platform {

// Before any other use of the standard streams: they carry bytes unchanged, and one that was
// closed when the program started is held so that no file the program opens takes its place
// (reads and writes on it still fail, as they should).
void prepareStandardStreams();

// The program's arguments in UTF-8 (Windows hands a narrow main them in the ANSI code page).
std::vector<std::string> utf8Arguments(int argc, char** argv);

// Whatever input is there, up to `size` bytes, waiting for it if need be; 0 at the end, -1 with
// errno set on failure.
long readInput(int fd, char* buffer, std::size_t size);

// True when `stream` is a console window rather than a file or a pipe.
bool isConsole(std::FILE* stream);

// Code pages as Windows numbers them.
inline constexpr unsigned kShiftJisCodePage = 932;
inline constexpr unsigned kUtf8CodePage = 65001;

// The code page of the console the program was started from (932 on Japanese Windows), which
// `more` and `findstr` read a pipe in; 0 where there is none, or where a terminal takes UTF-8.
unsigned consoleOutputCodePage();

// `text` from code page `from` into code page `to`; a character `to` lacks becomes "?". A code
// page the system does not know gives UTF-8, which loses nothing.
std::string recode(std::string_view text, unsigned from, unsigned to);

// Shows `text` (UTF-8, or Shift-JIS when `sjis`) on the console `stream` as characters, correct
// whatever its code page; false with errno set when it could not.
bool writeConsole(std::FILE* stream, std::string_view text, bool sjis);

}  // namespace quorvel::platform
