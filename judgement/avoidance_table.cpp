#include "judgement/avoidance_table.h"

#include <cstring>
#include <string_view>

#include "common/fixed_text.h"
#include "judgement/method_texts.h"

namespace quorvel {

namespace {

// Rows base stem 甲-癸, columns running stem 甲-癸: the ordinal of the recommended stem (甲 = 1),
// 0 for none. The element follows from the pair; the polarity follows no rule of its own.
constexpr std::int8_t kAvoidanceStems[10][10] = {
    {0, 0, 0, 0, 4, 3, 10, 9, 0, 0},  // 甲
    {0, 0, 0, 0, 4, 3, 9, 9, 0, 0},   // 乙
    {0, 0, 0, 0, 0, 0, 6, 5, 2, 2},   // 丙
    {0, 0, 0, 0, 0, 0, 6, 5, 1, 1},   // 丁
    {4, 4, 0, 0, 0, 0, 0, 0, 8, 7},   // 戊
    {3, 3, 0, 0, 0, 0, 0, 0, 8, 7},   // 己
    {10, 9, 6, 6, 0, 0, 0, 0, 0, 0},  // 庚
    {10, 9, 5, 5, 0, 0, 0, 0, 0, 0},  // 辛
    {0, 0, 2, 1, 8, 8, 0, 0, 0, 0},   // 壬
    {0, 0, 2, 1, 7, 7, 0, 0, 0, 0},   // 癸
};

constexpr bool isStemNumber(int n) {
    return n >= 0 && n <= 9;
}

}  // namespace

std::optional<Stem> avoidanceStem(int baseStemNo, int runStemNo) {
    if (!isStemNumber(baseStemNo) || !isStemNumber(runStemNo)) {
        return std::nullopt;
    }
    const int base = ordinal(stemOfNumber(baseStemNo)) - 1;
    const int running = ordinal(stemOfNumber(runStemNo)) - 1;
    const int stem = kAvoidanceStems[base][running];
    if (stem == 0) {
        return std::nullopt;
    }
    return static_cast<Stem>(stem);
}

void writeAvoidanceText(char (&buffer)[kAvoidanceBufferSize], std::optional<Stem> stem) {
    std::memset(buffer, 0, sizeof buffer);
    if (!stem) {
        appendText(buffer, text::noAvoidanceSentence);
        return;
    }
    const std::string_view one = stemText(*stem);
    char doubled[8] = {};
    appendText(doubled, one);
    appendText(doubled, one);
    const std::string_view arguments[] = {fieldText(doubled), one, one};

    // Each 「%s」 of the sentence takes the next argument, in order.
    std::string_view rest = text::avoidanceSentence;
    for (const std::string_view argument : arguments) {
        const std::size_t at = rest.find("%s");
        if (at == std::string_view::npos) {
            break;
        }
        appendText(buffer, rest.substr(0, at));
        appendText(buffer, argument);
        rest.remove_prefix(at + 2);
    }
    appendText(buffer, rest);
}

}  // namespace quorvel
