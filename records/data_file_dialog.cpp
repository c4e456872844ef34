#include <memory>

#include "calendar/chart.h"
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

constexpr int kNameBox = 101;
constexpr int kSexBox = 102;
constexpr int kBirthBox = 103;
constexpr int kFirstRecordButton = 1021;

// Several may be open at once; all of them share the list read at the first opening.
class DataFileDialog final : public platform::DialogHandler {
  public:
    explicit DataFileDialog(ConsultationState& state) : state_(state) {}

    void init(platform::DialogHandle& dialog) override {
        state_.selectedSlot = 0;  // what is seen selected is what 実行 uses: nothing yet
        if (!state_.recordListLoaded) {
            const RecordFileStatus status =
                readRecordList(kRecordFileName.data(), state_.recordList);
            if (status != RecordFileStatus::Read) {
                tell(dialog.window(), status == RecordFileStatus::Missing
                                          ? text::missingFileMessage
                                          : text::unreadableFileMessage);
                return;
            }
        }
        for (int n = 0; n < kRecordSlotCount; ++n) {
            dialog.setText(kFirstRecordButton + n, fieldText(state_.recordList.slots[n].label));
        }
        copyText(state_.person.name, {});
        state_.person.sex = Sex::Unset;
    }

    void command(platform::DialogHandle& dialog, int id) override {
        if (id >= kFirstRecordButton && id < kFirstRecordButton + kRecordSlotCount) {
            choose(dialog, id - kFirstRecordButton);
        } else if (id == platform::kIdOk) {
            open(dialog);
        } else if (id == platform::kIdCancel) {
            dialog.end(platform::kIdCancel);
        }
    }

    void help(platform::DialogHandle& dialog) override { platform::openHelp(dialog.window()); }

  private:
    void choose(platform::DialogHandle& dialog, int n) {
        const RecordSlot& slot = state_.recordList.slots[n];
        BirthRecord& person = state_.person;
        copyText(person.name, fieldText(slot.nameText));
        copyText(state_.personSexText, fieldText(slot.sexText));
        if (fieldText(slot.sexText) == text::maleSexText) {
            person.sex = Sex::Male;
        } else if (fieldText(slot.sexText) == text::femaleSexText) {
            person.sex = Sex::Female;
        }
        dialog.setText(kNameBox, fieldText(slot.nameText));
        dialog.setText(kSexBox, fieldText(slot.sexText));
        char birth[64] = {};
        for (const std::string_view part :
             {fieldText(slot.yearText), text::yearUnit, fieldText(slot.monthText), text::monthUnit,
              fieldText(slot.dayText), text::dayUnit, fieldText(slot.hourText), text::hourUnit}) {
            appendText(birth, part);
        }
        dialog.setText(kBirthBox, fieldText(birth));
        person.year = recordNumber(fieldText(slot.yearText));
        person.month = recordNumber(fieldText(slot.monthText));
        person.day = recordNumber(fieldText(slot.dayText));
        person.hour = recordNumber(fieldText(slot.hourText));
        state_.selectedSlot = n + 1;
    }

    void open(platform::DialogHandle& dialog) {
        const BirthRecord& person = state_.person;
        if (state_.selectedSlot == 0) {
            tell(dialog.window(), text::noSelectionMessage);
            return;
        }
        // A hand-edited record may hold no date the calendar can compute.
        if (state_.personSexText[0] == '\0' ||
            !isComputableBirth(person.year, person.month, person.day, person.hour)) {
            tell(dialog.window(), text::badRecordMessage);
            return;
        }
        dialog.end(platform::kIdOk);
        computeChart(state_, person.year, person.month, person.day, person.hour);
        openChartPanel(state_);
    }

    ConsultationState& state_;
};

}  // namespace

void openDataFileDialog(ConsultationState& state) {
    platform::openModelessDialog(dataDialogTemplate(), state.mainWindow,
                                 std::make_unique<DataFileDialog>(state));
}

}  // namespace quorvel
