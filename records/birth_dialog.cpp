#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/birth_notices.h"
#include "calendar/calendar_tables.h"
#include "common/fixed_text.h"
#include "common/typed_text.h"
#include "consultation/consultation.h"
#include "consultation/consultation_texts.h"
#include "dialogs/chart_panel.h"
#include "platform/ui.h"
#include "records/kept_details.h"
#include "records/record_dialogs.h"
#include "records/record_file.h"
#include "records/record_texts.h"
#include "resources/dialog_templates.h"

namespace quorvel {

namespace {

constexpr int kMaleButton = 105;
constexpr int kFemaleButton = 106;
constexpr int kNameField = 108;
constexpr int kYearField = 109;
constexpr int kMonthField = 1052;
constexpr int kDayField = 1053;
constexpr int kHourField = 1054;
constexpr int kHourUnknownBox = 1055;
constexpr int kPlaceList = 1056;
constexpr int kLongitudeField = 1057;
constexpr std::size_t kNameBytes = 30;
// The birthplace list: 指定なし, the prefectures by their codes, then 経度を入力.
constexpr int kTypedPlaceItem = kPrefectureCount + 1;

// A comma would split the record on reading; a control character has no place in a name.
bool isStorableName(std::string_view name) {
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == ',' || byte < 0x20 || byte == 0x7F) {
            return false;
        }
    }
    return true;
}

// What the box holds as a number, ASCII or full-width; nothing for anything else.
std::optional<std::int32_t> readNumber(platform::DialogHandle& dialog, int id) {
    char typed[32];
    dialog.getText(id, typed, sizeof typed - 1);
    const std::optional<unsigned> value = readTypedNumber(fieldText(typed));
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value);  // at most nine digits
}

// What the box holds as typed, cut to a size no reading needs more of.
template <std::size_t N>
std::string_view typedText(platform::DialogHandle& dialog, int id, char (&typed)[N]) {
    dialog.getText(id, typed, N - 1);
    return fieldText(typed);
}

// 10:20 as the hour box shows a birth with minutes.
void showHour(platform::DialogHandle& dialog, const BirthRecord& person) {
    if (person.minute == kMinutesUnknown) {
        dialog.setUnsigned(kHourField, static_cast<unsigned>(person.hour));
        return;
    }
    char shown[16];
    std::snprintf(shown, sizeof shown, "%d:%02d", person.hour, person.minute);
    dialog.setText(kHourField, fieldText(shown));
}

// Degrees east as typed back: up to four decimals, no trailing zeros.
void showLongitude(platform::DialogHandle& dialog, double degrees) {
    char shown[32];
    std::snprintf(shown, sizeof shown, "%.4f", degrees);
    std::string_view text = fieldText(shown);
    while (text.ends_with('0')) {
        text.remove_suffix(1);
    }
    if (text.ends_with('.')) {
        text.remove_suffix(1);
    }
    dialog.setText(kLongitudeField, text);
}

class BirthDialog final : public platform::DialogHandler {
  public:
    explicit BirthDialog(ConsultationState& state) : state_(state) {}
    // 訂正: the dialog filled in with `person`, whose line is `oldLine`; accepting corrects it.
    BirthDialog(ConsultationState& state, const BirthRecord& person, std::string_view oldLine)
        : state_(state), correcting_(true), oldLine_(oldLine) {
        state_.person = person;
    }

    bool corrected() const { return corrected_; }

    void init(platform::DialogHandle& dialog) override {
        const BirthRecord& person = state_.person;
        dialog.setTextLimit(kNameField, kNameBytes);
        dialog.setText(kNameField, fieldText(person.name));
        dialog.setUnsigned(kYearField, static_cast<unsigned>(person.year));
        dialog.setUnsigned(kMonthField, static_cast<unsigned>(person.month));
        dialog.setUnsigned(kDayField, static_cast<unsigned>(person.day));
        const bool hourUnknown = person.hour == kHourUnknown;
        dialog.setChecked(kHourUnknownBox, hourUnknown);
        dialog.enableControl(kHourField, !hourUnknown);
        if (!hourUnknown) {
            showHour(dialog, person);
        }
        showBirthplace(dialog, person.place);
        if (person.sex == Sex::Male) {
            chooseSex(dialog, kMaleButton);
        } else if (person.sex == Sex::Female) {
            chooseSex(dialog, kFemaleButton);
        } else {
            // Neither button is shown checked, so no earlier choice may decide the sex unseen.
            state_.maleMark = 0;
            state_.femaleMark = 0;
        }
    }

    void command(platform::DialogHandle& dialog, int id) override {
        if (id == kMaleButton || id == kFemaleButton) {
            chooseSex(dialog, id);
        } else if (id == kHourUnknownBox) {
            const bool unknown = dialog.isChecked(kHourUnknownBox);
            dialog.setText(kHourField, {});
            dialog.enableControl(kHourField, !unknown);
            if (!unknown) {
                dialog.setFocus(kHourField);
            }
        } else if (id == kPlaceList) {
            const bool typed = dialog.selectedListItem(kPlaceList) == kTypedPlaceItem;
            dialog.enableControl(kLongitudeField, typed);
            if (typed) {
                dialog.setFocus(kLongitudeField);
            }
        } else if (id == platform::kIdOk) {
            accept(dialog);
        } else if (id == platform::kIdCancel) {
            dialog.end(platform::kIdCancel);
        }
    }

  private:
    static void showBirthplace(platform::DialogHandle& dialog, const Birthplace& place) {
        std::string_view items[kTypedPlaceItem + 1] = {text::birthplaceNone};
        for (int code = 1; code <= kPrefectureCount; ++code) {
            items[code] = prefectureName(code);
        }
        items[kTypedPlaceItem] = text::birthplaceTyped;
        dialog.setListItems(kPlaceList, items);
        dialog.selectListItem(kPlaceList, place.typed ? kTypedPlaceItem : place.prefecture);
        dialog.enableControl(kLongitudeField, place.typed);
        if (place.typed) {
            showLongitude(dialog, place.longitude);
        }
    }

    // The birthplace chosen; none after a refusal of the longitude typed.
    std::optional<Birthplace> readBirthplace(platform::DialogHandle& dialog) {
        const int item = dialog.selectedListItem(kPlaceList);
        if (item >= 1 && item <= kPrefectureCount) {
            return prefectureBirthplace(item);
        }
        if (item != kTypedPlaceItem) {
            return Birthplace{};
        }
        char typed[32];
        const std::optional<double> degrees =
            readTypedDecimal(typedText(dialog, kLongitudeField, typed));
        if (!degrees || !isTypedLongitude(*degrees)) {
            refuse(dialog, longitudeRangeMessage(), kLongitudeField);
            return std::nullopt;
        }
        return typedBirthplace(*degrees);
    }

    void chooseSex(platform::DialogHandle& dialog, int button) {
        dialog.checkRadioButton(kMaleButton, kFemaleButton, button);
        state_.maleMark = button == kMaleButton ? 1 : 0;
        state_.femaleMark = button == kFemaleButton ? 1 : 0;
    }

    // Every refusal leaves what was typed in place and the focus in the box at fault.
    void refuse(platform::DialogHandle& dialog, std::string_view message, int field) {
        tell(dialog.window(), message);
        dialog.setFocus(field);
    }

    void accept(platform::DialogHandle& dialog) {
        char name[kNameBytes + 1];
        dialog.getText(kNameField, name, kNameBytes);
        if (!dialog.textIsShiftJis(kNameField)) {
            refuse(dialog, text::unsupportedNameCharacterMessage, kNameField);
            return;
        }
        if (!isStorableName(fieldText(name))) {
            refuse(dialog, text::badNameMessage, kNameField);
            return;
        }
        BirthRecord& person = state_.person;
        copyText(person.name,
                 trimSjisBlanks(fieldText(name)).empty() ? std::string_view() : fieldText(name));
        if (state_.maleMark == 1) {
            person.sex = Sex::Male;
        } else if (state_.femaleMark == 1) {
            person.sex = Sex::Female;
        }
        if (state_.maleMark == 0 && state_.femaleMark == 0) {
            tell(dialog.window(), text::sexMissingMessage);
            return;
        }
        const std::optional<std::int32_t> year = readNumber(dialog, kYearField);
        const std::optional<std::int32_t> month = readNumber(dialog, kMonthField);
        const std::optional<std::int32_t> day = readNumber(dialog, kDayField);
        const bool hourUnknown = dialog.isChecked(kHourUnknownBox);
        char typedHour[32];
        bool hourRead = false;
        person.hour = hourUnknown ? kHourUnknown : 0;
        person.minute = kMinutesUnknown;
        if (!hourUnknown) {
            if (const auto time = readTypedTime(typedText(dialog, kHourField, typedHour))) {
                hourRead = true;
                // At most nine digits each: within the field.
                person.hour = static_cast<std::int32_t>(time->hour);
                person.minute =
                    time->minute ? static_cast<std::int32_t>(*time->minute) : kMinutesUnknown;
            }
        }
        person.year = year.value_or(0);
        person.month = month.value_or(0);
        person.day = day.value_or(0);

        // A date that does not exist is refused before the year is looked at.
        if (person.year == 0) {
            refuse(dialog, text::dataErrorMessage, kYearField);
            return;
        }
        if (person.month < 1 || person.month > 12) {
            refuse(dialog, text::dataErrorMessage, kMonthField);
            return;
        }
        if (person.day < 1 || person.day > monthLength(person.year, person.month)) {
            refuse(dialog, text::dataErrorMessage, kDayField);
            return;
        }
        if (!isTableYear(person.year)) {
            refuse(dialog, text::yearRangeMessage, kYearField);
            return;
        }
        if (!hourUnknown && (!hourRead || person.hour > 23 || person.minute > 59)) {
            refuse(dialog, text::hourRangeMessage, kHourField);
            return;
        }
        const std::optional<Birthplace> place = readBirthplace(dialog);
        if (!place) {
            return;
        }
        person.place = *place;
        // With summer time applied, the clock readings its start skipped never happened.
        const BirthCheck check = computeChart(state_, person.birthTime(), person.place);
        if (check != BirthCheck::Ok) {
            refuse(dialog,
                   check == BirthCheck::SummerTimeGap ? summerTimeGapMessage()
                                                      : text::dataErrorMessage,
                   kHourField);
            return;
        }
        if (correcting_) {
            corrected_ = correctKeptPerson(state_, dialog.window(), oldLine_, person);
            if (corrected_) {
                dialog.end(platform::kIdOk);
            }
            return;
        }
        if (person.name[0] != '\0' && appendPerson(state_, person) == AppendResult::Failed) {
            tell(dialog.window(), text::appendFailedMessage);
        }
        dialog.end(platform::kIdOk);
        openChartPanel(state_);
    }

    ConsultationState& state_;
    bool correcting_ = false;
    bool corrected_ = false;
    std::string oldLine_;
};

}  // namespace

void runBirthDialog(ConsultationState& state) {
    BirthDialog handler(state);
    platform::runModalDialog(birthDialogTemplate(), state.mainWindow, handler);
}

bool correctPerson(ConsultationState& state, platform::WindowHandle owner,
                   const BirthRecord& person, std::string_view oldLine) {
    BirthDialog handler(state, person, oldLine);
    platform::runModalDialog(birthDialogTemplate(), owner, handler);
    return handler.corrected();
}

bool correctShownPerson(ConsultationState& state, platform::WindowHandle owner,
                        const BirthRecord& person) {
    char line[kRecordLineSize];
    formatRecordLine(person, line);
    if (correctPerson(state, owner, person, fieldText(line))) {
        platform::messageBox(owner, text::correctedMessage, text::correctCaption,
                             platform::MessageButtons::Ok);
        return true;
    }
    return false;
}

}  // namespace quorvel
