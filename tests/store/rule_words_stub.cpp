// The rule words for the tests, while calendar/ lacks them; built only then.
#include <array>
#include <utility>

#include "calendar/chart_rules.h"

namespace quorvel {

namespace {

template <typename Rule, std::size_t N>
std::string_view wordOf(const std::array<std::pair<Rule, std::string_view>, N>& words, Rule rule) {
    for (const auto& [value, word] : words) {
        if (value == rule) {
            return word;
        }
    }
    return {};
}

template <typename Rule, std::size_t N>
std::optional<Rule> ruleOf(const std::array<std::pair<Rule, std::string_view>, N>& words,
                           std::string_view word) {
    for (const auto& [value, name] : words) {
        if (name == word) {
            return value;
        }
    }
    return std::nullopt;
}

constexpr std::array<std::pair<SummerTimeRule, std::string_view>, 2> kSummerTime{
    {{SummerTimeRule::Ignore, "ignore"}, {SummerTimeRule::Apply, "apply"}}};
constexpr std::array<std::pair<SolarTimeRule, std::string_view>, 3> kSolarTime{
    {{SolarTimeRule::Clock, "clock"},
     {SolarTimeRule::Mean, "mean"},
     {SolarTimeRule::True, "true"}}};
constexpr std::array<std::pair<DayChangeRule, std::string_view>, 3> kDayChange{
    {{DayChangeRule::Split, "split"}, {DayChangeRule::At23, "23"}, {DayChangeRule::At0, "0"}}};
constexpr std::array<std::pair<TermRule, std::string_view>, 2> kTerms{
    {{TermRule::Table, "table"}, {TermRule::Exact, "exact"}}};

}  // namespace

std::string_view ruleWord(SummerTimeRule rule) {
    return wordOf(kSummerTime, rule);
}
std::string_view ruleWord(SolarTimeRule rule) {
    return wordOf(kSolarTime, rule);
}
std::string_view ruleWord(DayChangeRule rule) {
    return wordOf(kDayChange, rule);
}
std::string_view ruleWord(TermRule rule) {
    return wordOf(kTerms, rule);
}
std::optional<SummerTimeRule> summerTimeRuleOf(std::string_view word) {
    return ruleOf(kSummerTime, word);
}
std::optional<SolarTimeRule> solarTimeRuleOf(std::string_view word) {
    return ruleOf(kSolarTime, word);
}
std::optional<DayChangeRule> dayChangeRuleOf(std::string_view word) {
    return ruleOf(kDayChange, word);
}
std::optional<TermRule> termRuleOf(std::string_view word) {
    return ruleOf(kTerms, word);
}

}  // namespace quorvel
