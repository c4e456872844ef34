#include "dialogs/report_output.h"

#include <ctime>
#include <optional>
#include <string>

#include "common/fixed_text.h"
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
    if (!platform::openDocument(outputPathFor(fileName))) {
        tell(owner, std::string(text::reportWrittenMessage) + fileName);
    }
}

}  // namespace quorvel
