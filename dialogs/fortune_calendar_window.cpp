#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/fixed_text.h"
#include "consultation/consultation.h"
#include "dialogs/dialog_texts.h"
#include "dialogs/pillar_fields.h"
#include "dialogs/reading_window_text.h"
#include "dialogs/reading_windows.h"
#include "platform/ui.h"
#include "resources/dialog_templates.h"

namespace quorvel {

namespace {

constexpr int kPersonLabel = 110;
constexpr int kShownLabel = 111;
constexpr int kTable = 120;
constexpr int kJudgeLuckButton = 1204;
constexpr int kMonthsButton = 1201;
constexpr int kDaysButton = 1202;
constexpr int kYearsButton = 1203;

constexpr int kMarkWidth = 12;
constexpr int kPillarWidth = 22;
constexpr int kMarksWidth = 19;

// Today on the program's clock, Japan time.
std::chrono::year_month_day today() {
    using namespace std::chrono;
    return year_month_day{floor<days>(system_clock::now() + hours(9))};
}

enum class View { Years, Months, Days };

class FortuneCalendarWindow final : public platform::DialogHandler {
  public:
    FortuneCalendarWindow(ConsultationState& state, const BirthRecord& person, FullChart chart)
        : state_(state), person_(person), chart_(chart) {}

    void init(platform::DialogHandle& dialog) override {
        dialog.setText(kPersonLabel, personLine(person_));
        showYears(dialog, static_cast<int>(today().year()));
    }

    void command(platform::DialogHandle& dialog, int id) override {
        switch (id) {
            case platform::kIdOk:
            case kTable:
                judge(dialog, false);
                break;
            case kJudgeLuckButton:
                judge(dialog, true);
                break;
            case kMonthsButton:
                showMonthsOfChoice(dialog);
                break;
            case kDaysButton:
                showDaysOfChoice(dialog);
                break;
            case kYearsButton:
                showYears(dialog, year_);
                break;
            case platform::kIdCancel:
                dialog.end(platform::kIdCancel);
                break;
            default:
                break;
        }
    }

    void help(platform::DialogHandle& dialog) override {
        platform::openHelp(dialog.window(), text::fortuneCalendarHelpTopic);
    }

  private:
    const CalendarRow* chosenRow(platform::DialogHandle& dialog) {
        const int row = dialog.selectedTableRow(kTable);
        if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) {
            tell(dialog.window(), text::chooseRowMessage);
            return nullptr;
        }
        return &rows_[static_cast<std::size_t>(row)];
    }

    void showYears(platform::DialogHandle& dialog, int select) {
        std::vector<CalendarRow> rows;
        calendarYears(chart_, person_.year, person_.year + kDefaultCalendarYears, rows);
        const std::string shown = number(rows.front().year) + std::string(text::yearsFrom) +
                                  number(rows.back().year) + std::string(text::yearsUntil);
        show(
            dialog, View::Years, std::move(rows), shown,
            {{text::calendarYearHeading, 22}, {text::calendarAgeHeading, 14}},
            text::calendarYearPillarHeading, [](const CalendarRow& r) { return number(r.year); },
            [](const CalendarRow& r) { return number(r.age); });
        selectYear(dialog, select, 0);
    }

    void showMonths(platform::DialogHandle& dialog, int year, int select) {
        std::vector<CalendarRow> rows;
        if (!accepted(dialog, calendarMonths(chart_, year, rows))) {
            return;
        }
        year_ = year;
        show(
            dialog, View::Months, std::move(rows), number(year) + std::string(text::monthsOf),
            {{text::calendarMonthHeading, 34}, {text::calendarTermHeading, 44}},
            text::calendarMonthPillarHeading,
            [](const CalendarRow& r) {
                return number(r.year) + std::string(text::yearUnit) + number(r.month) +
                       std::string(text::monthUnit);
            },
            [](const CalendarRow& r) {
                return std::string(sectionalTermName(r.month)) + " " + number(r.termDay) +
                       std::string(text::dayUnit) + number(r.termHour) +
                       std::string(text::hourUnit);
            });
        selectYear(dialog, year, select);
    }

    void showDays(platform::DialogHandle& dialog, int year, int month) {
        std::vector<CalendarRow> rows;
        if (!accepted(dialog, calendarDays(chart_, year, month, rows))) {
            return;
        }
        year_ = year;
        month_ = month;
        show(
            dialog, View::Days, std::move(rows),
            number(year) + std::string(text::yearUnit) + number(month) +
                std::string(text::monthUnit) + std::string(text::daysOf),
            {{text::calendarDayHeading, 50}}, text::calendarDayPillarHeading,
            [](const CalendarRow& r) {
                return number(r.year) + std::string(text::yearUnit) + number(r.month) +
                       std::string(text::monthUnit) + number(r.day) + std::string(text::dayUnit);
            },
            nullptr);
        selectYear(dialog, year, 0);
    }

    // A period the calendar does not hold is told, and the table stays as it was.
    static bool accepted(platform::DialogHandle& dialog, CalendarCheck check) {
        if (check != CalendarCheck::Ok) {
            tell(dialog.window(), calendarCheckMessage(check));
        }
        return check == CalendarCheck::Ok;
    }

    void showMonthsOfChoice(platform::DialogHandle& dialog) {
        if (view_ != View::Years) {
            showMonths(dialog, year_, 0);
        } else if (const CalendarRow* row = chosenRow(dialog)) {
            showMonths(dialog, row->year, 0);
        }
    }

    void showDaysOfChoice(platform::DialogHandle& dialog) {
        if (view_ == View::Years) {
            tell(dialog.window(), text::chooseMonthMessage);
        } else if (view_ == View::Days) {
            showDays(dialog, year_, month_);
        } else if (const CalendarRow* row = chosenRow(dialog)) {
            showDays(dialog, row->year, row->month);
        }
    }

    // The rows of a view under their columns: the mark of now, what names the period (one or
    // two cells), its pillar and marks, the luck pillar and its marks.
    template <typename First, typename Second>
    void show(platform::DialogHandle& dialog, View view, std::vector<CalendarRow> rows,
              const std::string& shown, std::initializer_list<platform::TableColumn> naming,
              std::string_view pillarHeading, First first, Second second) {
        rows_ = std::move(rows);
        view_ = view;
        dialog.setText(kShownLabel, shown);
        std::vector<platform::TableColumn> columns = {{text::calendarMarkHeading, kMarkWidth}};
        columns.insert(columns.end(), naming);
        columns.push_back({pillarHeading, kPillarWidth});
        for (const std::string_view luck : {std::string_view(), text::calendarLuckHeading}) {
            if (!luck.empty()) {
                columns.push_back({luck, kPillarWidth});
            }
            columns.push_back({text::calendarHeavenHeading, kMarksWidth});
            columns.push_back({text::calendarEarthHeading, kMarksWidth});
            columns.push_back({text::calendarHumanHeading, kMarksWidth});
        }
        dialog.setTableColumns(kTable, columns);
        const auto now = today();
        const int nowYear = static_cast<int>(now.year());
        const int nowMonth = static_cast<int>(static_cast<unsigned>(now.month()));
        const int nowDay = static_cast<int>(static_cast<unsigned>(now.day()));
        const int nowLuck = luckInForce(chart_.chart, ageInYear(chart_.birth, nowYear));
        // A month runs from its term: before this month's term day, today is in the one before.
        const bool beforeTerm = view == View::Months && year_ == nowYear &&
                                nowDay < rows_[static_cast<std::size_t>(nowMonth - 1)].termDay;
        const int nowTermMonth = view == View::Months && beforeTerm ? nowMonth - 1 : nowMonth;
        nowRow_ = -1;
        for (const CalendarRow& r : rows_) {
            const bool isNow = r.year == nowYear && (r.month == 0 || r.month == nowTermMonth) &&
                               (r.day == 0 || r.day == nowDay);
            if (isNow && nowRow_ < 0) {
                nowRow_ = static_cast<int>(&r - rows_.data());
            }
            std::vector<std::string> cells;
            cells.emplace_back(isNow                              ? text::currentMark
                               : r.luck >= 0 && r.luck == nowLuck ? text::currentLuckMark
                                                                  : std::string_view());
            cells.push_back(first(r));
            if constexpr (!std::is_same_v<Second, std::nullptr_t>) {
                cells.push_back(second(r));
            }
            cells.emplace_back(pillarTextView(r.pillar));
            for (const MarkList* m : {&r.marks.heaven, &r.marks.earth, &r.marks.human}) {
                cells.push_back(marksCell(*m));
            }
            cells.emplace_back(r.luck >= 0 ? pillarTextView(r.luckPillar) : std::string_view());
            for (const MarkList* m :
                 {&r.luckMarks.heaven, &r.luckMarks.earth, &r.luckMarks.human}) {
                cells.push_back(r.luck >= 0 ? marksCell(*m) : std::string());
            }
            std::vector<std::string_view> views(cells.begin(), cells.end());
            dialog.addTableRow(kTable, views);
        }
    }

    // Selects the row of a year (in the list of years) or of a month (0: the row of now, ◆,
    // where the list holds it, so that 日の一覧 opens this month; else the first row).
    void selectYear(platform::DialogHandle& dialog, int year, int month) {
        if (view_ != View::Years && month == 0 && nowRow_ >= 0) {
            dialog.selectTableRow(kTable, nowRow_);
            return;
        }
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (view_ == View::Years ? rows_[i].year == year : rows_[i].month == month) {
                dialog.selectTableRow(kTable, static_cast<int>(i));
                return;
            }
        }
        dialog.selectTableRow(kTable, view_ == View::Years ? -1 : 0);
    }

    // The period's judgement, as if its pillar had been typed against the day pillar; the luck
    // period's instead when asked.
    void judge(platform::DialogHandle& dialog, bool luck) {
        const CalendarRow* row = chosenRow(dialog);
        if (row == nullptr) {
            return;
        }
        if (view_ == View::Years) {
            year_ = row->year;
        }
        if (luck && row->luck < 0) {
            tell(dialog.window(), text::noLuckMessage);
            return;
        }
        const CycleIndex running = luck ? row->luckPillar : row->pillar;
        state_.person = person_;
        copyText(state_.basePillarText, pillarTextView(chart_.chart.dayPillar.index));
        copyText(state_.runningPillarText, pillarTextView(running));
        judgeTypedPair(state_, dialog.window(), luck ? kLuckPeriod : kCalendarPeriod);
    }

    ConsultationState& state_;
    BirthRecord person_;
    FullChart chart_;
    std::vector<CalendarRow> rows_;
    View view_ = View::Years;
    int year_ = 0;  // of the months or days shown, or of the year last chosen
    int month_ = 0;
    int nowRow_ = -1;  // the row marked as now, if the view holds one
};

}  // namespace

void openFortuneCalendarWindow(ConsultationState& state, const BirthRecord& person) {
    const std::optional<FullChart> chart = readPerson(person, state.rules);
    if (!chart) {
        tell(state.mainWindow, text::noPersonMessage);
        return;
    }
    platform::openModelessDialog(fortuneCalendarTemplate(), state.mainWindow,
                                 std::make_unique<FortuneCalendarWindow>(state, person, *chart));
}

}  // namespace quorvel
