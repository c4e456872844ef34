#include "records/backup_commands.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "common/fixed_text.h"
#include "common/sjis_utf8.h"
#include "consultation/consultation.h"
#include "platform/ui.h"
#include "records/record_file.h"
#include "records/record_texts.h"
#include "resources/dialog_templates.h"
#include "store/quorvel_store.h"
#include "store/store_files.h"

namespace quorvel {

namespace {

namespace fs = std::filesystem;

constexpr int kFolderField = 101;
constexpr std::size_t kFolderBytes = 260;

class FolderDialog final : public platform::DialogHandler {
  public:
    void init(platform::DialogHandle& dialog) override {
        dialog.setTextLimit(kFolderField, kFolderBytes);
    }
    void command(platform::DialogHandle& dialog, int id) override {
        if (id == platform::kIdOk) {
            char typed[kFolderBytes + 1] = {};
            dialog.getText(kFolderField, typed, kFolderBytes);
            folder_ = sjisToUtf8(fieldText(typed));
            dialog.end(folder_.empty() ? platform::kIdCancel : platform::kIdOk);
        } else if (id == platform::kIdCancel) {
            dialog.end(platform::kIdCancel);
        }
    }
    std::string folder_;
};

// The folder typed, as UTF-8; nothing when cancelled or left empty.
std::optional<std::string> askFolder(ConsultationState& state) {
    FolderDialog handler;
    if (platform::runModalDialog(folderTemplate(), state.mainWindow, handler) != platform::kIdOk) {
        return std::nullopt;
    }
    return handler.folder_;
}

fs::path pathOf(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The result files the program writes in the working folder.
bool isResultFile(const fs::path& path) {
    std::string ext = utf8Of(path.extension());
    for (char& c : ext) {
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    return ext == ".TXT" || ext == ".DOC" || ext == ".HTML";
}

bool backUp(const fs::path& target) {
    std::error_code error;
    fs::create_directories(target, error);
    if (error) {
        return false;
    }
    if (fs::exists(kRecordFileName, error) &&
        !fs::copy_file(kRecordFileName, target / kRecordFileName, error)) {
        return false;
    }
    const QuorvelStore store = QuorvelStore::open({});
    if (store.backupTo(utf8Of(target / kStoreFileName)) != StoreWrite::Done) {
        return false;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(".", error)) {
        if (entry.is_regular_file(error) && isResultFile(entry.path()) &&
            !fs::copy_file(entry.path(), target / entry.path().filename(), error)) {
            return false;
        }
    }
    return !error;
}

}  // namespace

void runBackupCommand(ConsultationState& state) {
    const std::optional<std::string> folder = askFolder(state);
    if (!folder) {
        return;
    }
    const fs::path target =
        pathOf(*folder) / pathOf(std::string(text::backupFolderPrefix) + store::timeStamp());
    if (!backUp(target)) {
        platform::messageBox(state.mainWindow, text::backupFailedMessage, text::backupCaption,
                             platform::MessageButtons::Ok);
        return;
    }
    bool ok = true;
    platform::messageBox(state.mainWindow,
                         std::string(text::backupDoneMessage) + utf8ToSjis(utf8Of(target), ok),
                         text::backupCaption, platform::MessageButtons::Ok);
}

void runRestoreCommand(ConsultationState& state) {
    const std::optional<std::string> folder = askFolder(state);
    if (!folder) {
        return;
    }
    const fs::path source = pathOf(*folder);
    std::error_code error;
    if (!fs::is_regular_file(source / kRecordFileName, error)) {
        platform::messageBox(state.mainWindow, text::restoreMissingMessage, text::restoreCaption,
                             platform::MessageButtons::Ok);
        return;
    }
    if (platform::messageBox(state.mainWindow, text::restoreQuestion, text::restoreCaption,
                             platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes) {
        return;
    }
    // The database first: a copy it refuses leaves both files as they were.
    bool done = true;
    if (fs::is_regular_file(source / kStoreFileName, error)) {
        done =
            QuorvelStore::restore({}, utf8Of(source / kStoreFileName)).outcome == StoreWrite::Done;
    }
    if (done && fs::exists(kRecordFileName, error)) {
        done = !store::renameAside(std::string(kRecordFileName), ".before-restore-").empty();
    }
    done = done && fs::copy_file(source / kRecordFileName, kRecordFileName, error);
    state.recordListLoaded = false;
    platform::messageBox(state.mainWindow,
                         done ? text::restoreDoneMessage : text::restoreFailedMessage,
                         text::restoreCaption, platform::MessageButtons::Ok);
}

}  // namespace quorvel
