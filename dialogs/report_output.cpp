#include "dialogs/report_output.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "common/fixed_text.h"
#include "common/sjis_utf8.h"
#include "common/typed_text.h"
#include "consultation/consultation.h"
#include "consultation/consultation_texts.h"
#include "consultation/output_file.h"
#include "dialogs/dialog_texts.h"
#include "dialogs/reading_window_text.h"

namespace quorvel {

ReportDate systemToday() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);  // one thread: its shared result is safe here
    return local == nullptr ? ReportDate{}
                            : ReportDate{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

std::string reportWrittenText(std::string_view utf8Path) {
    std::error_code error;
    const std::u8string given(utf8Path.begin(), utf8Path.end());
    std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(given), error);
    if (error) {
        full = std::filesystem::path(given);
    }
    const std::u8string wide = full.u8string();
    bool ok = true;
    const std::string where = utf8ToSjis(std::string(wide.begin(), wide.end()), ok);
    return std::string(text::reportWrittenMessage) + "\n" + where + "\n" +
           std::string(text::reportOpenInBrowser);
}

void writeAndOpenReport(platform::WindowHandle owner, const BirthRecord& person,
                        const ChartRules& rules) {
    const std::string_view name = fieldText(person.name);
    // The name is the file's name, as on the command line: a nameless report is refused.
    if (trimSjisBlanks(name).empty()) {
        tell(owner, text::nameMissingMessage);
        return;
    }
    const BirthData birth = birthDataOf(person, rules);
    const std::optional<std::string> html = buildReport({name, birth, systemToday()});
    if (!html) {
        tell(owner, text::dataErrorMessage);
        return;
    }
    const std::string fileName = reportFileName(name);
    if (!writeOutputFile(fileName, *html)) {
        tell(owner, text::outputFailedMessage);
        return;
    }
    const std::string path = outputPathFor(fileName);
    if (!platform::openDocument(path)) {
        platform::messageBox(owner, reportWrittenText(path), text::reportCaption,
                             platform::MessageButtons::Ok);
    }
}

}  // namespace quorvel
