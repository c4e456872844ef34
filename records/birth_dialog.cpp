#include <climits>

#include "calendar/calendar_tables.h"
#include "common/fixed_text.h"
#include "consultation/consultation.h"
#include "consultation/consultation_texts.h"
#include "dialogs/chart_panel.h"
#include "platform/ui.h"
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
constexpr std::size_t kNameBytes = 30;

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

std::int32_t readNumber(platform::DialogHandle& dialog, int id) {
    const unsigned value = dialog.getUnsigned(id);
    return value > INT_MAX ? INT_MAX : static_cast<std::int32_t>(value);
}

class BirthDialog final : public platform::DialogHandler {
  public:
    explicit BirthDialog(ConsultationState& state) : state_(state) {}

    void init(platform::DialogHandle& dialog) override {
        const BirthRecord& person = state_.person;
        dialog.setText(kNameField, fieldText(person.name));
        dialog.setUnsigned(kYearField, static_cast<unsigned>(person.year));
        dialog.setUnsigned(kMonthField, static_cast<unsigned>(person.month));
        dialog.setUnsigned(kDayField, static_cast<unsigned>(person.day));
        dialog.setUnsigned(kHourField, static_cast<unsigned>(person.hour));
        if (person.sex == Sex::Male) {
            chooseSex(dialog, kMaleButton);
        } else if (person.sex == Sex::Female) {
            chooseSex(dialog, kFemaleButton);
        }
    }

    void command(platform::DialogHandle& dialog, int id) override {
        if (id == kMaleButton || id == kFemaleButton) {
            chooseSex(dialog, id);
        } else if (id == platform::kIdOk) {
            accept(dialog);
        } else if (id == platform::kIdCancel) {
            dialog.end(platform::kIdCancel);
        }
    }

  private:
    void chooseSex(platform::DialogHandle& dialog, int button) {
        dialog.checkRadioButton(kMaleButton, kFemaleButton, button);
        state_.maleMark = button == kMaleButton ? 1 : 0;
        state_.femaleMark = button == kFemaleButton ? 1 : 0;
    }

    // A refusal after the sex check closes the dialog, as the data already typed stays the
    // current person and the dialog opens with it again.
    void refuse(platform::DialogHandle& dialog, std::string_view message) {
        tell(dialog.window(), message);
        dialog.end(platform::kIdOk);
    }

    void accept(platform::DialogHandle& dialog) {
        char name[kNameBytes + 1];
        dialog.getText(kNameField, name, kNameBytes);
        if (!isStorableName(fieldText(name))) {
            tell(dialog.window(), text::badNameMessage);
            return;
        }
        BirthRecord& person = state_.person;
        copyText(person.name, fieldText(name));
        if (state_.maleMark == 1) {
            person.sex = Sex::Male;
        } else if (state_.femaleMark == 1) {
            person.sex = Sex::Female;
        }
        if (state_.maleMark == 0 && state_.femaleMark == 0) {
            tell(dialog.window(), text::sexMissingMessage);
            return;
        }
        person.year = readNumber(dialog, kYearField);
        person.month = readNumber(dialog, kMonthField);
        person.day = readNumber(dialog, kDayField);
        person.hour = readNumber(dialog, kHourField);

        // A date that does not exist is refused with the zero date, before the year is looked at.
        if (person.year == 0 || person.month < 1 || person.month > 12 || person.day < 1 ||
            person.day > monthLength(person.year, person.month)) {
            refuse(dialog, text::dataErrorMessage);
            return;
        }
        if (!isTableYear(person.year)) {
            refuse(dialog, text::yearRangeMessage);
            return;
        }
        if (person.hour > 23) {
            refuse(dialog, text::hourRangeMessage);
            return;
        }
        computeChart(state_, person.year, person.month, person.day, person.hour);
        if (person.name[0] != '\0' &&
            appendRecordLine(kRecordFileName.data(), person) == AppendResult::Failed) {
            tell(dialog.window(), text::appendFailedMessage);
        }
        dialog.end(platform::kIdOk);
        openChartPanel(state_);
    }

    ConsultationState& state_;
};

}  // namespace

void runBirthDialog(ConsultationState& state) {
    BirthDialog handler(state);
    platform::runModalDialog(birthDialogTemplate(), state.mainWindow, handler);
}

}  // namespace quorvel
