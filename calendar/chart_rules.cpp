#include "calendar/chart_rules.h"

#include <array>

namespace quorvel {

namespace {

// The words in the order of each rule's values.
constexpr std::array<std::string_view, 2> kSummerTimeWords = {"ignore", "apply"};
constexpr std::array<std::string_view, 3> kSolarTimeWords = {"clock", "mean", "true"};
constexpr std::array<std::string_view, 3> kDayChangeWords = {"split", "23", "0"};
constexpr std::array<std::string_view, 2> kTermWords = {"table", "exact"};
constexpr std::array<std::string_view, 3> kHiddenTableWords = {"classical", "simplified", "sanmei"};
constexpr std::array<std::string_view, 2> kCountTermDayWords = {"false", "true"};

template <typename Rule, std::size_t N>
std::optional<Rule> ruleOf(const std::array<std::string_view, N>& words, std::string_view word) {
    for (std::size_t i = 0; i < N; ++i) {
        if (words[i] == word) {
            return static_cast<Rule>(i);
        }
    }
    return std::nullopt;
}

}  // namespace

std::string_view ruleWord(SummerTimeRule rule) {
    return kSummerTimeWords.at(static_cast<std::size_t>(rule));
}
std::string_view ruleWord(SolarTimeRule rule) {
    return kSolarTimeWords.at(static_cast<std::size_t>(rule));
}
std::string_view ruleWord(DayChangeRule rule) {
    return kDayChangeWords.at(static_cast<std::size_t>(rule));
}
std::string_view ruleWord(TermRule rule) {
    return kTermWords.at(static_cast<std::size_t>(rule));
}

std::string_view ruleWord(HiddenTable rule) {
    return kHiddenTableWords.at(static_cast<std::size_t>(rule));
}
std::string_view countTermDayWord(bool countTermDay) {
    return kCountTermDayWords.at(countTermDay ? 1 : 0);
}

std::optional<SummerTimeRule> summerTimeRuleOf(std::string_view word) {
    return ruleOf<SummerTimeRule>(kSummerTimeWords, word);
}
std::optional<SolarTimeRule> solarTimeRuleOf(std::string_view word) {
    return ruleOf<SolarTimeRule>(kSolarTimeWords, word);
}
std::optional<DayChangeRule> dayChangeRuleOf(std::string_view word) {
    return ruleOf<DayChangeRule>(kDayChangeWords, word);
}
std::optional<TermRule> termRuleOf(std::string_view word) {
    return ruleOf<TermRule>(kTermWords, word);
}
std::optional<HiddenTable> hiddenTableOf(std::string_view word) {
    return ruleOf<HiddenTable>(kHiddenTableWords, word);
}
std::optional<bool> countTermDayOf(std::string_view word) {
    return ruleOf<bool>(kCountTermDayWords, word);
}

}  // namespace quorvel
