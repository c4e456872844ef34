#include "tests/support/marks_shown.h"

namespace quorvel::test {

std::string marksShown(std::string_view utf8Text) {
    static constexpr std::string_view kMarks[] = {"◎", "〇", "○", "△", "▲", "●", "★", "☆"};
    std::string out;
    // UTF-8 never starts a character inside another, so a match is always a whole character.
    for (std::size_t at = 0; at < utf8Text.size(); ++at) {
        for (const std::string_view mark : kMarks) {
            if (utf8Text.substr(at, mark.size()) == mark) {
                out += mark;
            }
        }
    }
    return out;
}

}  // namespace quorvel::test
