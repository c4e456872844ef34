#include "records/casebook_dialog.h"

#include <string>
#include <vector>

#include "common/sjis_utf8.h"
#include "consultation/consultation.h"
#include "dialogs/result_dialog.h"
#include "platform/ui.h"
#include "records/kept_details.h"
#include "records/person_window_texts.h"
#include "resources/dialog_templates.h"

namespace quorvel {

namespace {

constexpr int kNoteField = 101;
constexpr int kHistoryTable = 120;
constexpr int kSaveButton = 1301;
// A note of kNoteCharacterLimit characters, two bytes each in Shift-JIS.
constexpr std::size_t kNoteBytes = 2 * kNoteCharacterLimit;

class CasebookDialog final : public platform::DialogHandler {
  public:
    CasebookDialog(ConsultationState& state, std::string_view line) : state_(state), line_(line) {}

    void init(platform::DialogHandle& dialog) override {
        dialog.setTextLimit(kNoteField, kNoteBytes);
        bool ok = true;
        const std::string note = utf8ToSjis(keptNote(state_, line_), ok);
        dialog.setText(kNoteField, note);
        if (!ok) {
            // A character Shift-JIS lacks would be lost by saving what the box shows.
            dialog.enableControl(kNoteField, false);
            dialog.enableControl(kSaveButton, false);
            platform::messageBox(dialog.window(), text::noteNotShownWholeMessage, text::noteCaption,
                                 platform::MessageButtons::Ok);
        }
        history_ = keptHistory(state_, line_);
        const platform::TableColumn columns[] = {
            {text::historyColumnWhen, 70},
            {text::historyColumnKind, 44},
            {text::historyColumnPeriod, 60},
            {text::historyColumnFile, 80},
        };
        dialog.setTableColumns(kHistoryTable, columns);
        for (const HistoryEntry& entry : history_) {
            std::string when = entry.when;
            if (when.size() > 16) {
                when[10] = ' ';
                when.resize(16);  // to the minute
            }
            bool fileOk = true;
            const std::string cells[] = {
                when,
                std::string(historyKindLabel(entry.kind)),
                periodText(entry.period),
                utf8ToSjis(entry.file, fileOk),
            };
            const std::string_view row[] = {cells[0], cells[1], cells[2], cells[3]};
            dialog.addTableRow(kHistoryTable, row);
        }
        if (!history_.empty()) {
            dialog.selectTableRow(kHistoryTable, 0);
        }
    }

    void command(platform::DialogHandle& dialog, int id) override {
        if (id == kSaveButton) {
            save(dialog);
        } else if (id == kHistoryTable || id == platform::kIdOk) {
            const int row = dialog.selectedTableRow(kHistoryTable);
            if (row >= 0 && static_cast<std::size_t>(row) < history_.size()) {
                showPastResult(state_, dialog.window(),
                               history_[static_cast<std::size_t>(row)].text);
            } else if (id == platform::kIdOk) {
                tell(dialog.window(), text::noHistoryChosenMessage);
            }
        } else if (id == platform::kIdCancel) {
            dialog.end(platform::kIdCancel);
        }
    }

    void help(platform::DialogHandle& dialog) override {
        platform::openHelp(dialog.window(), text::casebookHelpTopic);
    }

  private:
    void save(platform::DialogHandle& dialog) {
        std::string typed(kNoteBytes + 1, '\0');
        typed.resize(dialog.getText(kNoteField, typed.data(), kNoteBytes));
        const std::string utf8 = sjisToUtf8(typed);
        const NoteCheck check = checkNote(utf8);
        if (check != NoteCheck::Ok) {
            tell(dialog.window(), noteCheckMessage(check));
            return;
        }
        if (saveKeptNote(state_, dialog.window(), line_, utf8)) {
            platform::messageBox(dialog.window(), text::noteSavedMessage, text::noteCaption,
                                 platform::MessageButtons::Ok);
        }
    }

    ConsultationState& state_;
    std::string line_;
    std::vector<HistoryEntry> history_;
};

}  // namespace

void runCasebookDialog(ConsultationState& state, platform::WindowHandle owner,
                       std::string_view line) {
    CasebookDialog handler(state, line);
    platform::runModalDialog(casebookTemplate(), owner, handler);
}

}  // namespace quorvel
