#pragma once
// 相性 as one plain text: the two persons, their charts side by side, every finding, the years
// ahead and the summary. The command line prints it and the 相性 window writes it to its file;
// Shift-JIS, columns lined up for a fixed-width font (a character of two bytes is two wide).
#include <string>
#include <string_view>

#include "reading/compatibility_text.h"

namespace quorvel {

// `lineEnd` "\n" for a terminal, "\r\n" for a file read on Windows.
std::string compatibilityDocument(const Compatibility& c, const CompatibilityPair& pair,
                                  std::string_view lineEnd);

// Only the findings in words and the summary, each group under its heading, as the 相性 window
// shows them.
std::string compatibilityFindingsText(const Compatibility& c, const CompatibilityPair& pair,
                                      std::string_view lineEnd);

// 1990年5月20日10時生まれ, 10時20分 with minutes, 1990年5月20日生まれ(時刻不明) for an unknown
// hour.
std::string birthText(const BirthData& birth);

// Whom a year threatens, as the years' last column names it: a name, 二人とも, or ― for nobody.
std::string threatText(Threat threat, const CompatibilityPair& pair);

// 山田太郎・山田花子相性.TXT
std::string compatibilityFileName(std::string_view aName, std::string_view bName);

}  // namespace quorvel
