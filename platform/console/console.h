#pragma once
// The terminal backend of the command-line tool: a message box becomes its text on standard
// error; windows and dialogs do not exist.

namespace quorvel::platform::console {

// Whether message texts reach the terminal as Shift-JIS instead of UTF-8.
void setShiftJisOutput(bool sjis);

}  // namespace quorvel::platform::console
