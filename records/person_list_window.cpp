#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/birth_notices.h"
#include "calendar/chart.h"
#include "common/fixed_text.h"
#include "common/typed_text.h"
#include "consultation/consultation.h"
#include "consultation/consultation_texts.h"
#include "dialogs/chart_panel.h"
#include "dialogs/compatibility_window.h"
#include "dialogs/report_output.h"
#include "platform/table_rows.h"
#include "platform/ui.h"
#include "records/casebook_dialog.h"
#include "records/casebook_view.h"
#include "records/kept_details.h"
#include "records/person_list.h"
#include "records/person_window_texts.h"
#include "records/record_dialogs.h"
#include "records/record_texts.h"
#include "report/yearly_review.h"
#include "resources/dialog_templates.h"

namespace quorvel {

namespace {

constexpr int kSearchField = 111;
constexpr int kYearField = 113;
constexpr int kTable = 120;
constexpr int kStatusLabel = 121;
constexpr int kSearchButton = 1201;
constexpr int kReviewButton = 1202;
constexpr int kReportButton = 1203;
constexpr int kCompatibilityButton = 1204;
constexpr int kMenuCasebook = 1210;
constexpr int kMenuCorrect = 1211;
constexpr int kMenuHide = 1212;
constexpr int kMenuUnhide = 1213;
constexpr int kMenuErase = 1214;
constexpr int kMenuShowSuperseded = 1215;
constexpr int kMenuShowHidden = 1216;
constexpr std::size_t kSearchBytes = 60;
// The person list's columns, in the order of its headings.
constexpr int kNumberColumn = 0;
constexpr int kLineColumn = 1;
constexpr int kNameColumn = 2;
constexpr int kSexColumn = 3;
constexpr int kBirthColumn = 4;
constexpr int kHourColumn = 5;
constexpr int kAgeColumn = 6;
constexpr int kPlaceColumn = 7;
constexpr int kLastColumn = 8;

constexpr platform::MenuItem kListMenu[] = {
    {text::menuCasebook, kMenuCasebook, {}},
    {text::menuCorrect, kMenuCorrect, {}},
    {text::menuHide, kMenuHide, {}},
    {text::menuUnhide, kMenuUnhide, {}},
    {text::menuErase, kMenuErase, {}},
    {text::menuShowSuperseded, kMenuShowSuperseded, {}},
    {text::menuShowHidden, kMenuShowHidden, {}},
};

// The birthplace as the list shows it: the prefecture, or the longitude typed in.
std::string placeCell(const Birthplace& place) {
    if (place.prefecture != 0) {
        return std::string(prefectureName(place.prefecture));
    }
    if (place.typed) {
        const int tenths = static_cast<int>(place.longitude * 10.0 + 0.5);
        return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    }
    return {};
}
constexpr std::size_t kShownSkippedLines = 20;  // the status line tells the first ones

// The person a record holds, its numbers read as the data file dialog reads them.
BirthData birthOf(const RecordSlot& slot) {
    BirthData birth;
    const std::string_view sex = fieldText(slot.sexText);
    birth.sex = sex == text::maleSexText     ? Sex::Male
                : sex == text::femaleSexText ? Sex::Female
                                             : Sex::Unset;
    birth.year = recordNumber(fieldText(slot.yearText));
    birth.month = recordNumber(fieldText(slot.monthText));
    birth.day = recordNumber(fieldText(slot.dayText));
    readHourField(fieldText(slot.hourText), birth.hour, birth.minute);
    return birth;
}

// The person a record holds, as the birth data dialog would have entered them.
BirthRecord personOf(const RecordSlot& slot) {
    const BirthData birth = birthOf(slot);
    BirthRecord person;
    copyText(person.name, fieldText(slot.nameText));
    person.sex = birth.sex;
    person.year = birth.year;
    person.month = birth.month;
    person.day = birth.day;
    person.hour = birth.hour;
    person.minute = birth.minute;
    return person;
}

// Each opening reads the file afresh and keeps its own list; several may be open at once. Given
// the first person of a 相性, it is the choice of the other (AITE) and ends with the chosen one.
class PersonListWindow final : public platform::DialogHandler {
  public:
    explicit PersonListWindow(ConsultationState& state, const BirthRecord* first = nullptr)
        : state_(state), first_(first) {}

    const std::optional<BirthRecord>& chosen() const { return chosen_; }

    void init(platform::DialogHandle& dialog) override {
        today_ = systemToday();
        reload(dialog);
    }

    std::span<const platform::MenuItem> contextMenu() override { return kListMenu; }

    void command(platform::DialogHandle& dialog, int id) override {
        if (id == kSearchButton) {
            search(dialog);
        } else if (id >= kMenuCasebook && id <= kMenuShowHidden) {
            casebookCommand(dialog, id);
        } else if (id == kReviewButton) {
            review(dialog);
        } else if (id == kReportButton) {
            report(dialog);
        } else if (id == kCompatibilityButton) {
            compare(dialog);
        } else if ((id == kTable || id == platform::kIdOk) && first_ != nullptr) {
            chosen_ = chosenPerson(dialog);
            if (chosen_) {
                dialog.end(platform::kIdOk);
            }
        } else if (id == kTable || id == platform::kIdOk) {
            open(dialog);
        } else if (id == platform::kIdCancel) {
            dialog.end(platform::kIdCancel);
        }
    }

    void help(platform::DialogHandle& dialog) override {
        platform::openHelp(dialog.window(),
                           reviewing_ ? text::reviewHelpTopic : text::personListHelpTopic);
    }

  private:
    // The file and the casebook read afresh, the list as the search box and the filters make it.
    void reload(platform::DialogHandle& dialog) {
        const PersonFileStatus status = readPersonList(kRecordFileName.data(), list_);
        if (status != PersonFileStatus::Read) {
            tell(dialog.window(), personFileMessage(status));
        }
        casebook_ = keptCasebook(state_);
        view_ = viewCasebook(list_, casebook_);
        std::vector<BirthRecord> persons;
        persons.reserve(list_.persons.size());
        for (const PersonEntry& p : list_.persons) {
            persons.push_back(personOf(p.slot));
        }
        places_ = keptBirthplaces(state_, persons);
        search(dialog);
    }

    bool listed(std::size_t i) const {
        const PersonStanding& standing = view_.persons[i];
        return (showSuperseded_ || standing.supersededBy == 0) && (showHidden_ || !standing.hidden);
    }

    // The name, birth year or note the search box holds, among the persons the filters list.
    void search(platform::DialogHandle& dialog) {
        char word[kSearchBytes + 1] = {};
        dialog.getText(kSearchField, word, kSearchBytes);
        std::vector<std::size_t> found = searchPersonsAndNotes(list_, view_, fieldText(word));
        std::erase_if(found, [this](std::size_t i) { return !listed(i); });
        showPersons(dialog, std::move(found));
    }

    void casebookCommand(platform::DialogHandle& dialog, int id) {
        if (id == kMenuShowSuperseded || id == kMenuShowHidden) {
            bool& filter = id == kMenuShowSuperseded ? showSuperseded_ : showHidden_;
            filter = !filter;
            search(dialog);
            return;
        }
        const PersonEntry* entry = chosenEntry(dialog);
        if (entry == nullptr) {
            return;
        }
        bool changed = false;
        if (id == kMenuCasebook) {
            runCasebookDialog(state_, dialog.window(), entry->key);
            changed = true;  // a note saved shows its mark
        } else if (id == kMenuCorrect) {
            BirthRecord person = personOf(entry->slot);
            person.place = keptBirthplace(state_, person);
            changed = correctPerson(state_, dialog.window(), person, entry->key);
            if (changed) {
                platform::messageBox(dialog.window(), text::correctedMessage, text::correctCaption,
                                     platform::MessageButtons::Ok);
            }
        } else if (id == kMenuHide || id == kMenuUnhide) {
            changed = hideKeptPerson(state_, dialog.window(), entry->key, id == kMenuHide);
        } else if (id == kMenuErase) {
            changed = platform::messageBox(dialog.window(), text::eraseQuestion, text::eraseCaption,
                                           platform::MessageButtons::YesNo) ==
                          platform::MessageAnswer::Yes &&
                      eraseKeptPerson(state_, dialog.window(), entry->key);
        }
        if (changed) {
            reload(dialog);
        }
    }

    const PersonEntry* chosenEntry(platform::DialogHandle& dialog) {
        const int row = dialog.selectedTableRow(kTable);
        if (row < 0 || static_cast<std::size_t>(row) >= shown_.size() || reviewing_) {
            tell(dialog.window(), text::noSelectionMessage);
            return nullptr;
        }
        return &list_.persons[shown_[static_cast<std::size_t>(row)]];
    }

    void showPersons(platform::DialogHandle& dialog, std::vector<std::size_t> shown) {
        shown_ = std::move(shown);
        reviewing_ = false;
        const platform::TableColumn columns[] = {
            {text::personColumnNumber, 20}, {text::personColumnLine, 20},
            {text::personColumnName, 48},   {text::personColumnSex, 24},
            {text::personColumnBirth, 52},  {text::personColumnHour, 20},
            {text::personColumnAge, 20},    {text::personColumnPlace, 24},
            {text::personColumnLast, 36},
        };
        dialog.setTableColumns(kTable, columns);
        // The table asks for the rows it shows; a list of 100,000 is formatted a screen at a time.
        const int count = static_cast<int>(shown_.size());
        const auto cell = [this](int row, int column) {
            return personCell(shown_[static_cast<std::size_t>(row)], column);
        };
        platform::TableSource source;
        source.rowCount = count;
        source.widest = platform::widestCells(
            count, std::size(columns),
            [this](int row, int column) {
                return personCellBytes(shown_[static_cast<std::size_t>(row)], column);
            },
            cell);
        source.cell = cell;
        dialog.setTableSource(kTable, std::move(source));
        std::string status = std::to_string(shown_.size()) + std::string(text::personShownSuffix) +
                             " / " + std::to_string(list_.persons.size()) +
                             std::string(text::personCountSuffix);
        if (view_.supersededCount != 0) {
            status += std::string(text::supersededLead) + std::to_string(view_.supersededCount) +
                      std::string(text::linesSuffix);
        }
        if (view_.hiddenCount != 0) {
            status += std::string(text::hiddenLead) + std::to_string(view_.hiddenCount) +
                      std::string(text::personCountSuffix);
        }
        showStatus(dialog, status);
    }

    // A cell of the person list for person i (an index into list_.persons).
    std::string personCell(std::size_t i, int column) const {
        const PersonEntry& p = list_.persons[i];
        const PersonStanding& standing = view_.persons[i];
        switch (column) {
            case kNumberColumn:
                return std::to_string(i + 1);
            case kLineColumn:
                return std::to_string(p.line);
            case kNameColumn:
                // A noted person's name carries the mark.
                return (standing.hasNote ? std::string(text::noteMark) : std::string()) +
                       std::string(fieldText(p.slot.nameText));
            case kSexColumn:
                return std::string(fieldText(p.slot.sexText));
            case kBirthColumn:
                return std::string(fieldText(p.slot.yearText)) + "/" +
                       std::string(fieldText(p.slot.monthText)) + "/" +
                       std::string(fieldText(p.slot.dayText));
            case kHourColumn: {
                const BirthData birth = birthOf(p.slot);
                return birth.hour == kHourUnknown ? std::string(text::unknownHourLabel)
                                                  : std::string(fieldText(p.slot.hourText));
            }
            case kAgeColumn: {
                const BirthData birth = birthOf(p.slot);
                const int age = ageOnDay(birth, today_);
                return age >= 0 && birth.year > 0 ? std::to_string(age) : std::string();
            }
            case kPlaceColumn:
                return placeCell(places_[i]);
            case kLastColumn:
                return standing.lastConsultation;
            default:
                return {};
        }
    }

    // About the bytes of personCell, without making it: what the widest cells are chosen by.
    std::size_t personCellBytes(std::size_t i, int column) const {
        const PersonEntry& p = list_.persons[i];
        switch (column) {
            case kNumberColumn:
                return digitCount(i + 1);
            case kLineColumn:
                return digitCount(static_cast<std::size_t>(std::max(p.line, 0)));
            case kNameColumn:
                return fieldText(p.slot.nameText).size() +
                       (view_.persons[i].hasNote ? text::noteMark.size() : 0);
            case kSexColumn:
                return fieldText(p.slot.sexText).size();
            case kBirthColumn:
                return fieldText(p.slot.yearText).size() + fieldText(p.slot.monthText).size() +
                       fieldText(p.slot.dayText).size() + 2;
            case kHourColumn:
                return fieldText(p.slot.hourText) == text::unknownHourField
                           ? text::unknownHourLabel.size()
                           : fieldText(p.slot.hourText).size();
            case kAgeColumn:
                // The oldest are the longest: the earlier the year, the longer the age.
                return static_cast<std::size_t>(
                    std::max(10000 - recordNumber(fieldText(p.slot.yearText)), 0));
            case kPlaceColumn:
                return places_[i].prefecture != 0 ? prefectureName(places_[i].prefecture).size()
                       : places_[i].typed         ? 5
                                                  : 0;
            case kLastColumn:
                return view_.persons[i].lastConsultation.size();
            default:
                return 0;
        }
    }

    static std::size_t digitCount(std::size_t n) {
        std::size_t digits = 1;
        for (; n >= 10; n /= 10) {
            ++digits;
        }
        return digits;
    }

    // The count, then the lines the reading skipped: how many and which.
    void showStatus(platform::DialogHandle& dialog, std::string status) {
        if (!list_.skippedLines.empty()) {
            status += std::string(text::skippedLead) + std::to_string(list_.skippedLines.size()) +
                      std::string(text::skippedCountSuffix);
            for (std::size_t i = 0; i < list_.skippedLines.size() && i < kShownSkippedLines; ++i) {
                status += " " + std::to_string(list_.skippedLines[i]);
            }
            if (list_.skippedLines.size() > kShownSkippedLines) {
                status += " ...";
            }
        }
        dialog.setText(kStatusLabel, status);
    }

    void review(platform::DialogHandle& dialog) {
        char typed[16] = {};
        dialog.getText(kYearField, typed, sizeof typed - 1);
        const std::optional<unsigned> year = readTypedNumber(fieldText(typed));
        if (!year || *year < static_cast<unsigned>(kFirstTableYear) ||
            *year > static_cast<unsigned>(kLastTableYear)) {
            tell(dialog.window(), text::badYearMessage);
            return;
        }
        std::vector<BirthRecord> persons;
        persons.reserve(list_.persons.size());
        for (const PersonEntry& p : list_.persons) {
            persons.push_back(personOf(p.slot));
        }
        const std::vector<Birthplace> places = keptBirthplaces(state_, persons);
        std::vector<BirthData> births;
        births.reserve(list_.persons.size());
        for (std::size_t i = 0; i < list_.persons.size(); ++i) {
            BirthData birth = birthOf(list_.persons[i].slot);
            birth.place = places[i];
            birth.rules = state_.rules;
            births.push_back(birth);
        }
        const std::vector<ReviewRow> rows = yearlyReview(births, static_cast<int>(*year));
        // Least widths: a column widens to its heading and its cells.
        const platform::TableColumn columns[] = {
            {text::reviewColumnWarned, 12}, {text::personColumnNumber, 20},
            {text::personColumnName, 84},   {text::reviewColumnAge, 16},
            {text::reviewColumnYear, 22},   {text::reviewColumnMarks, 56},
            {text::reviewColumnLuck, 22},   {text::reviewColumnMarks, 56},
        };
        dialog.setTableColumns(kTable, columns);
        shown_.clear();
        reviewing_ = true;
        for (const ReviewRow& r : rows) {
            shown_.push_back(r.person);
            const PersonEntry& p = list_.persons[r.person];
            const bool judged = r.state == ReviewState::Judged;
            const bool luck = judged && r.year.luck >= 0;
            const std::string cells[] = {
                r.warned ? std::string(text::reviewWarnedCell) : std::string(),
                std::to_string(r.person + 1),
                std::string(fieldText(p.slot.nameText)),
                judged ? std::to_string(r.year.age) : std::string(),
                judged ? std::string(pillarTextView(r.year.pillar))
                       : std::string(r.state == ReviewState::OutsideLife ? text::reviewOutsideCell
                                                                         : text::reviewRefusedCell),
                judged ? periodMarksText(r.year.marks) : std::string(),
                luck ? std::string(pillarTextView(r.year.luckPillar)) : std::string(),
                luck ? periodMarksText(r.year.luckMarks) : std::string(),
            };
            const std::string_view row[] = {cells[0], cells[1], cells[2], cells[3],
                                            cells[4], cells[5], cells[6], cells[7]};
            dialog.addTableRow(kTable, row);
        }
        showStatus(dialog, std::to_string(*year) + std::string(text::reviewOfYear) + " " +
                               std::to_string(rows.size()) + std::string(text::personCountSuffix));
    }

    // The chosen person, or nothing after telling that none is chosen or that the record holds
    // no birth the chart can take.
    std::optional<BirthRecord> chosenPerson(platform::DialogHandle& dialog) {
        const int row = dialog.selectedTableRow(kTable);
        if (row < 0 || static_cast<std::size_t>(row) >= shown_.size()) {
            tell(dialog.window(), text::noSelectionMessage);
            return std::nullopt;
        }
        const RecordSlot& slot = list_.persons[shown_[static_cast<std::size_t>(row)]].slot;
        BirthRecord person = personOf(slot);
        person.place = keptBirthplace(state_, person);
        const BirthCheck check =
            person.sex == Sex::Unset ? BirthCheck::NoSuchDate : checkPersonBirth(state_, person);
        if (check != BirthCheck::Ok) {
            tell(dialog.window(), check == BirthCheck::SummerTimeGap ? summerTimeGapMessage()
                                                                     : text::badRecordMessage);
            return std::nullopt;
        }
        return person;
    }

    // As the data file dialog's 実行: the person becomes current and a chart panel opens.
    void open(platform::DialogHandle& dialog) {
        const std::optional<BirthRecord> person = chosenPerson(dialog);
        if (!person) {
            return;
        }
        state_.person = *person;
        copyText(state_.personSexText,
                 person->sex == Sex::Male ? text::maleSexText : text::femaleSexText);
        computeChart(state_, person->birthTime(), person->place);
        openChartPanel(state_);
    }

    void report(platform::DialogHandle& dialog) {
        if (const std::optional<BirthRecord> person = chosenPerson(dialog)) {
            writeAndOpenReport(state_, dialog.window(), *person, state_.rules);
        }
    }

    void compare(platform::DialogHandle& dialog) {
        if (const std::optional<BirthRecord> person = chosenPerson(dialog)) {
            compareWithChosenPerson(state_, dialog.window(), *person);
        }
    }

    ConsultationState& state_;
    const BirthRecord* first_;
    std::optional<BirthRecord> chosen_;
    PersonList list_;
    Casebook casebook_;
    CasebookView view_;  // points into casebook_
    std::vector<Birthplace> places_;
    bool showSuperseded_ = false;
    bool showHidden_ = false;
    std::vector<std::size_t> shown_;  // the person of each row, in the table's order
    bool reviewing_ = false;          // the table shows a yearly review
    ReportDate today_;
};

}  // namespace

void openPersonListWindow(ConsultationState& state) {
    platform::openModelessDialog(personListTemplate(), state.mainWindow,
                                 std::make_unique<PersonListWindow>(state));
}

void compareWithChosenPerson(ConsultationState& state, platform::WindowHandle owner,
                             const BirthRecord& first) {
    PersonListWindow choice(state, &first);
    if (platform::runModalDialog(personChoiceTemplate(), owner, choice) == platform::kIdOk &&
        choice.chosen()) {
        openCompatibilityWindow(state, first, *choice.chosen());
    }
}

}  // namespace quorvel
