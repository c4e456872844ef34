#include "judgement/text_tables.h"

#include "judgement/judgement_tables.h"
#include "judgement/judgement_texts.h"

namespace quorvel {

static_assert(std::size(text::heavenTexts) == 100, "one 天運 entry per pair of stems");
static_assert(std::size(text::earthTexts) == 120, "one 地運 entry per stem and branch");

std::string_view heavenText(Stem base, Stem running) {
    return text::heavenTexts[(ordinal(base) - 1) * 10 + (ordinal(running) - 1)];
}

std::string_view earthText(Stem base, Branch running) {
    return text::earthTexts[(ordinal(base) - 1) * 12 + (ordinal(running) - 1)];
}

std::string_view sixCombinationSentence() {
    return text::sixCombinationSentence;
}
std::string_view threeHarmonySentence() {
    return text::threeHarmonySentence;
}
std::string_view threeHarmonySentenceMarkFirst() {
    return text::threeHarmonySentenceMarkFirst;
}
std::string_view luckClashSentence() {
    return text::luckClashSentence;
}
std::string_view calendarClashSentence() {
    return text::calendarClashSentence;
}

}  // namespace quorvel
