#include <memory>
#include <string>

#include "calendar/birth_notices.h"
#include "calendar/chart.h"
#include "common/fixed_text.h"
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

constexpr int kNameBox = 101;
constexpr int kSexBox = 102;
constexpr int kBirthBox = 103;
constexpr int kFirstRecordButton = 1021;

// Several may be open at once: each shows the file as it was at its own opening and opens the
// record last clicked in it, whatever another instance has chosen since.
class DataFileDialog final : public platform::DialogHandler {
  public:
    explicit DataFileDialog(ConsultationState& state) : state_(state) {}

    void init(platform::DialogHandle& dialog) override {
        state_.selectedSlot = 0;  // what is seen selected is what 実行 uses: nothing yet
        copyText(state_.person.name, {});
        state_.person.sex = Sex::Unset;
        const RecordFileStatus status = readRecordList(kRecordFileName.data(), list_);
        if (status != RecordFileStatus::Read) {
            tell(dialog.window(), status == RecordFileStatus::Missing
                                      ? text::missingFileMessage
                                      : text::unreadableFileMessage);
            return;
        }
        state_.recordList = list_;
        for (int n = 0; n < kRecordSlotCount; ++n) {
            dialog.setText(kFirstRecordButton + n, fieldText(list_.slots[n].label));
        }
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

    void help(platform::DialogHandle& dialog) override {
        platform::openHelp(dialog.window(), text::dataFileHelpTopic);
    }

  private:
    void choose(platform::DialogHandle& dialog, int n) {
        const RecordSlot& slot = list_.slots[n];
        copyText(chosen_.name, fieldText(slot.nameText));
        copyText(chosenSexText_, fieldText(slot.sexText));
        if (fieldText(slot.sexText) == text::maleSexText) {
            chosen_.sex = Sex::Male;
        } else if (fieldText(slot.sexText) == text::femaleSexText) {
            chosen_.sex = Sex::Female;
        } else {
            chosen_.sex = Sex::Unset;
        }
        chosen_.year = recordNumber(fieldText(slot.yearText));
        chosen_.month = recordNumber(fieldText(slot.monthText));
        chosen_.day = recordNumber(fieldText(slot.dayText));
        readHourField(fieldText(slot.hourText), chosen_.hour, chosen_.minute);
        chosen_.place = keptBirthplace(state_, chosen_);
        selected_ = n + 1;

        dialog.setText(kNameBox, fieldText(slot.nameText));
        dialog.setText(kSexBox, fieldText(slot.sexText));
        char birth[64] = {};
        const std::string hour = hourCaption(fieldText(slot.hourText));
        for (const std::string_view part :
             {fieldText(slot.yearText), text::yearUnit, fieldText(slot.monthText), text::monthUnit,
              fieldText(slot.dayText), text::dayUnit, std::string_view(hour)}) {
            appendText(birth, part);
        }
        dialog.setText(kBirthBox, fieldText(birth));
        makeCurrent();
    }

    // The chosen record becomes the current person, as a click has always made it.
    void makeCurrent() {
        state_.person = chosen_;
        copyText(state_.personSexText, fieldText(chosenSexText_));
        state_.selectedSlot = selected_;
    }

    void open(platform::DialogHandle& dialog) {
        if (selected_ == 0) {
            tell(dialog.window(), text::noSelectionMessage);
            return;
        }
        // A hand-edited record may hold no date the calendar can compute; with summer time
        // applied, a clock reading may never have existed.
        const BirthCheck check =
            chosenSexText_[0] == '\0' ? BirthCheck::NoSuchDate : checkPersonBirth(state_, chosen_);
        if (check != BirthCheck::Ok) {
            tell(dialog.window(), check == BirthCheck::SummerTimeGap ? summerTimeGapMessage()
                                                                     : text::badRecordMessage);
            return;
        }
        dialog.end(platform::kIdOk);
        makeCurrent();
        computeChart(state_, chosen_.birthTime(), chosen_.place);
        openChartPanel(state_);
    }

    RecordList list_;
    int selected_ = 0;  // 1-10, 0 for none
    BirthRecord chosen_;
    char chosenSexText_[4] = {};
    ConsultationState& state_;
};

}  // namespace

void openDataFileDialog(ConsultationState& state) {
    platform::openModelessDialog(dataDialogTemplate(), state.mainWindow,
                                 std::make_unique<DataFileDialog>(state));
}

}  // namespace quorvel
