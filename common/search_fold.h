#pragma once
// Text compared the way a person searching means it: without regard to letter case or to the
// width of a character (DATA, data and ＤＡＴＡ are one word; ｷｬﾝｾﾙ is キャンセル).
#include <string>
#include <string_view>

namespace quorvel {

// UTF-8 in, UTF-8 out: full-width ASCII and the ideographic blank become ASCII, half-width
// katakana become full-width (a following sound mark joins its kana), ASCII letters become lower
// case. Bytes that are not well-formed UTF-8 pass through unchanged.
std::string foldForSearch(std::string_view utf8);

// True when `word` occurs in `text`, both folded; an empty word occurs everywhere.
bool containsFolded(std::string_view text, std::string_view word);

}  // namespace quorvel
