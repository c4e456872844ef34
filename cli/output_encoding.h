#pragma once
// Which bytes the tool's text leaves in for a file or a pipe. A console window is given
// characters whatever this says; elsewhere the reader decides: `more` and `findstr` on Windows
// read the console's code page, a POSIX terminal reads UTF-8.
namespace quorvel::cli {

struct EncodingFlags {
    bool sjis = false;  // --sjis
    bool utf8 = false;  // --utf8
};

// The code page for standard output (932, 65001 or another console's): --sjis and --utf8 win,
// JSON stays UTF-8 unless --sjis asks, otherwise the console's code page, UTF-8 without one.
unsigned outputCodePage(EncodingFlags flags, bool json, unsigned consoleCodePage);

// Standard error's code page, chosen once by the program; 0 (the start) writes messages in the
// encoding they were made in.
void setErrorCodePage(unsigned codePage);
unsigned errorCodePage();

}  // namespace quorvel::cli
