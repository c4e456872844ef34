#pragma once
// Result files in the working folder: their names, and writing them without ever leaving a
// half-written file behind.
#include <string>
#include <string_view>

namespace quorvel {

// The name a Shift-JIS output name is created under, in UTF-8. Characters that cannot stand in a
// file name become "_", judged by character: a 0x5C trail byte stays, but a lead byte whose next
// byte is no trail byte becomes "_" on its own, so that byte cannot smuggle in a "/".
std::string outputPathFor(std::string_view sjisName);

// Replaces the file with exactly `text`; returns false if nothing was written, and then the old
// file is whole. A crash leaves the old text or the new one and no temporary (see
// platform::replaceFile); the file keeps its mode and owner, and a link stays a link to the file
// that changed. A read-only file is refused. Only where the folder takes no new file is a
// writable file rewritten in place.
bool writeOutputFile(std::string_view sjisFileName, std::string_view text);

// The same for a path given whole (UTF-8, folders included), as a user names it on a command line.
bool writeOutputPath(const char* utf8Path, std::string_view bytes);

}  // namespace quorvel
