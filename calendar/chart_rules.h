#pragma once
// How a school reads a birth (命式の流儀): named rules a practitioner chooses once. The default
// value reads the birth as the printed tables do, so every stored person keeps the chart it had.
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel {

// Japan's summer time of 1948-1951: the clock reading is taken as standard time, or moved back.
enum class SummerTimeRule : std::uint8_t { Ignore, Apply };
// The day and hour pillars read from the clock (Japan Standard Time), the local mean time of the
// birthplace, or its apparent solar time.
enum class SolarTimeRule : std::uint8_t { Clock, Mean, True };
// Where the day turns: the date decides and 23 h takes the next day's 子 (split), the whole hour
// 23 belongs to the next day (At23), or the day turns at midnight and 23 h is its own day's 子.
enum class DayChangeRule : std::uint8_t { Split, At23, At0 };
// The sectional terms as the tables print them (to the even hour) or to the minute.
enum class TermRule : std::uint8_t { Table, Exact };

struct ChartRules {
    SummerTimeRule summerTime = SummerTimeRule::Ignore;
    SolarTimeRule solarTime = SolarTimeRule::Clock;
    DayChangeRule dayChange = DayChangeRule::Split;
    TermRule terms = TermRule::Table;
    friend bool operator==(const ChartRules&, const ChartRules&) = default;
};

// 古典: the reading of the printed tables.
inline constexpr ChartRules kClassicRules{};
// 精密: summer time applied, exact terms, local mean time (used where a birthplace is known);
// the day change is the school's own and stays as chosen.
constexpr ChartRules preciseRules(DayChangeRule dayChange) {
    return {SummerTimeRule::Apply, SolarTimeRule::Mean, dayChange, TermRule::Exact};
}

// The lower-case words the command line, JSON and the database use: ignore apply, clock mean
// true, split 23 0, table exact.
std::string_view ruleWord(SummerTimeRule rule);
std::string_view ruleWord(SolarTimeRule rule);
std::string_view ruleWord(DayChangeRule rule);
std::string_view ruleWord(TermRule rule);
std::optional<SummerTimeRule> summerTimeRuleOf(std::string_view word);
std::optional<SolarTimeRule> solarTimeRuleOf(std::string_view word);
std::optional<DayChangeRule> dayChangeRuleOf(std::string_view word);
std::optional<TermRule> termRuleOf(std::string_view word);

}  // namespace quorvel
