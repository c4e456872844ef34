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
// Which table of the days each hidden stem commands (月律分野): the one most books print, the
// simplified one with even spans in 巳 and 午, or the 算命学 one.
enum class HiddenTable : std::uint8_t { Classical, Simplified, Sanmei };

struct ChartRules {
    SummerTimeRule summerTime = SummerTimeRule::Ignore;
    SolarTimeRule solarTime = SolarTimeRule::Clock;
    DayChangeRule dayChange = DayChangeRule::Split;
    TermRule terms = TermRule::Table;
    // How the 命式表 picks the commanding hidden stem; it never moves a pillar.
    HiddenTable hiddenTable = HiddenTable::Classical;
    bool countTermDay = false;  // the term's own day is day 1 of the month, not day 0
    friend bool operator==(const ChartRules&, const ChartRules&) = default;
};

// Whether two rule sets read a birth alike: the first four rules, whatever the hidden stems.
constexpr bool sameBirthReading(const ChartRules& a, const ChartRules& b) {
    return a.summerTime == b.summerTime && a.solarTime == b.solarTime &&
           a.dayChange == b.dayChange && a.terms == b.terms;
}

// 古典: the reading of the printed tables.
inline constexpr ChartRules kClassicRules{};
// 精密: summer time applied, exact terms, local mean time (used where a birthplace is known);
// the day change is the school's own and stays as chosen.
constexpr ChartRules preciseRules(DayChangeRule dayChange) {
    return {SummerTimeRule::Apply, SolarTimeRule::Mean, dayChange, TermRule::Exact};
}
// The presets over rules already chosen: the hidden table and the term-day count are the
// school's own and stay as they are (精密 keeps the day change too).
constexpr ChartRules classicRules(const ChartRules& chosen) {
    ChartRules rules = kClassicRules;
    rules.hiddenTable = chosen.hiddenTable;
    rules.countTermDay = chosen.countTermDay;
    return rules;
}
constexpr ChartRules preciseRules(const ChartRules& chosen) {
    ChartRules rules = preciseRules(chosen.dayChange);
    rules.hiddenTable = chosen.hiddenTable;
    rules.countTermDay = chosen.countTermDay;
    return rules;
}

enum class RulesPreset : std::uint8_t { Classic, Precise, Custom };
constexpr RulesPreset presetOf(const ChartRules& rules) {
    return sameBirthReading(rules, kClassicRules)                   ? RulesPreset::Classic
           : sameBirthReading(rules, preciseRules(rules.dayChange)) ? RulesPreset::Precise
                                                                    : RulesPreset::Custom;
}

// The lower-case words the command line, JSON and the database use: ignore apply, clock mean
// true, split 23 0, table exact, classical simplified sanmei; the term-day count is true or
// false.
std::string_view ruleWord(SummerTimeRule rule);
std::string_view ruleWord(SolarTimeRule rule);
std::string_view ruleWord(DayChangeRule rule);
std::string_view ruleWord(TermRule rule);
std::string_view ruleWord(HiddenTable rule);
std::string_view countTermDayWord(bool countTermDay);
std::optional<SummerTimeRule> summerTimeRuleOf(std::string_view word);
std::optional<SolarTimeRule> solarTimeRuleOf(std::string_view word);
std::optional<DayChangeRule> dayChangeRuleOf(std::string_view word);
std::optional<TermRule> termRuleOf(std::string_view word);
std::optional<HiddenTable> hiddenTableOf(std::string_view word);
std::optional<bool> countTermDayOf(std::string_view word);

}  // namespace quorvel
