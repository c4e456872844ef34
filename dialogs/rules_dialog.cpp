#include "dialogs/rules_dialog.h"

#include <array>
#include <string_view>

#include "calendar/birth_notices.h"
#include "consultation/consultation_state.h"
#include "dialogs/dialog_texts.h"
#include "platform/ui.h"
#include "resources/dialog_templates.h"

namespace quorvel {

namespace {

constexpr int kClassicButton = 1101;
constexpr int kPreciseButton = 1102;
constexpr int kCustomButton = 1103;
constexpr int kSummerTimeList = 1111;
constexpr int kSolarTimeList = 1112;
constexpr int kDayChangeList = 1113;
constexpr int kTermsList = 1114;
constexpr int kHiddenTableList = 1115;
constexpr int kCountTermDayBox = 1116;

// Each list holds a rule's values in the order of its enumeration, by their names.
template <typename Rule, std::size_t N>
void fillList(platform::DialogHandle& dialog, int id, const std::array<Rule, N>& values,
              Rule chosen) {
    std::array<std::string_view, N> names;
    for (std::size_t i = 0; i < N; ++i) {
        names[i] = ruleName(values[i]);
    }
    dialog.setListItems(id, names);
    dialog.selectListItem(id, static_cast<int>(chosen));
}

// The value chosen in a list; `fallback` when none is.
template <typename Rule, std::size_t N>
Rule chosenValue(platform::DialogHandle& dialog, int id, const std::array<Rule, N>& values,
                 Rule fallback) {
    const int item = dialog.selectedListItem(id);
    return item >= 0 && static_cast<std::size_t>(item) < N ? values[static_cast<std::size_t>(item)]
                                                           : fallback;
}

constexpr std::array kSummerTimeRules{SummerTimeRule::Ignore, SummerTimeRule::Apply};
constexpr std::array kSolarTimeRules{SolarTimeRule::Clock, SolarTimeRule::Mean,
                                     SolarTimeRule::True};
constexpr std::array kDayChangeRules{DayChangeRule::Split, DayChangeRule::At23, DayChangeRule::At0};
constexpr std::array kTermRules{TermRule::Table, TermRule::Exact};
constexpr std::array kHiddenTables{HiddenTable::Classical, HiddenTable::Simplified,
                                   HiddenTable::Sanmei};

class RulesDialog final : public platform::DialogHandler {
  public:
    explicit RulesDialog(const ChartRules& rules) : rules_(rules) {}

    const ChartRules& rules() const { return rules_; }

    void init(platform::DialogHandle& dialog) override { show(dialog); }

    void command(platform::DialogHandle& dialog, int id) override {
        switch (id) {
            case kClassicButton:
                rules_ = classicRules(rules_);
                show(dialog);
                break;
            case kPreciseButton:
                // The day change is the school's own: 精密 leaves it as chosen.
                rules_ = preciseRules(rules_);
                show(dialog);
                break;
            case kCustomButton:
                show(dialog);  // the rules as they stand, whatever they match
                break;
            case kSummerTimeList:
            case kSolarTimeList:
            case kDayChangeList:
            case kTermsList:
                // Each rule on its own: the hidden-stem table and the term-day count stay.
                rules_.summerTime =
                    chosenValue(dialog, kSummerTimeList, kSummerTimeRules, rules_.summerTime);
                rules_.solarTime =
                    chosenValue(dialog, kSolarTimeList, kSolarTimeRules, rules_.solarTime);
                rules_.dayChange =
                    chosenValue(dialog, kDayChangeList, kDayChangeRules, rules_.dayChange);
                rules_.terms = chosenValue(dialog, kTermsList, kTermRules, rules_.terms);
                showPreset(dialog);
                break;
            case kHiddenTableList:
            case kCountTermDayBox:
                // How the hidden stems are read, apart from the birth: no preset changes.
                rules_.hiddenTable =
                    chosenValue(dialog, kHiddenTableList, kHiddenTables, rules_.hiddenTable);
                rules_.countTermDay = dialog.isChecked(kCountTermDayBox);
                break;
            case platform::kIdOk:
            case platform::kIdCancel:
                dialog.end(id);
                break;
            default:
                break;
        }
    }

    void help(platform::DialogHandle& dialog) override {
        platform::openHelp(dialog.window(), text::rulesHelpTopic);
    }

  private:
    void show(platform::DialogHandle& dialog) {
        fillList(dialog, kSummerTimeList, kSummerTimeRules, rules_.summerTime);
        fillList(dialog, kSolarTimeList, kSolarTimeRules, rules_.solarTime);
        fillList(dialog, kDayChangeList, kDayChangeRules, rules_.dayChange);
        fillList(dialog, kTermsList, kTermRules, rules_.terms);
        fillList(dialog, kHiddenTableList, kHiddenTables, rules_.hiddenTable);
        dialog.setChecked(kCountTermDayBox, rules_.countTermDay);
        showPreset(dialog);
    }

    // The preset the rules make, or 個別設定 when they make none.
    void showPreset(platform::DialogHandle& dialog) {
        const RulesPreset p = presetOf(rules_);
        const int preset = p == RulesPreset::Classic   ? kClassicButton
                           : p == RulesPreset::Precise ? kPreciseButton
                                                       : kCustomButton;
        dialog.checkRadioButton(kClassicButton, kCustomButton, preset);
    }

    ChartRules rules_;
};

}  // namespace

std::optional<ChartRules> runRulesDialog(ConsultationState& state) {
    RulesDialog handler(state.rules);
    if (platform::runModalDialog(rulesDialogTemplate(), state.mainWindow, handler) !=
        platform::kIdOk) {
        return std::nullopt;
    }
    return handler.rules();
}

}  // namespace quorvel
