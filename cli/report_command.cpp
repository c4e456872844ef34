#include "cli/report_command.h"

#include <ctime>
#include <optional>
#include <string_view>

#include "cli/chart_command.h"
#include "cli/compat_command.h"
#include "cli/output_text.h"
#include "common/sjis_utf8.h"
#include "common/typed_text.h"
#include "consultation/consultation_texts.h"
#include "consultation/output_file.h"
#include "records/record_texts.h"
#include "report/report_html.h"

namespace quorvel::cli {

namespace {

constexpr std::size_t kNameBytes = 30;  // as the birth dialog takes a name

// The system's date, where the working folder is: the day a report is made.
ReportDate systemToday() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);  // one thread: its shared result is safe here
    if (local == nullptr) {
        return {};
    }
    return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

}  // namespace

int readToday(const std::string& option, ReportDate& today, bool sjisOutput, std::FILE* err) {
    today = systemToday();
    if (!option.empty()) {
        BirthInput day;
        if (!parseDate(option, day)) {
            tellConverted(err, makeChartTexts(sjisOutput).dataError, sjisOutput);
            return 2;
        }
        today = {day.year, day.month, day.day};
    }
    // The day must be one the calendar holds, as a birth's day must.
    if (!isComputableBirth(today.year, today.month, today.day, 0)) {
        tellConverted(err, makeChartTexts(sjisOutput).dataError, sjisOutput);
        return 2;
    }
    return 0;
}

int readTypedName(std::string_view utf8Name, bool sjisOutput, std::string& name, std::FILE* err) {
    bool convertible = true;
    name = utf8ToSjis(utf8Name, convertible);
    if (!convertible) {
        tell(err, text::unsupportedNameCharacterMessage, sjisOutput);
        return 2;
    }
    if (name.size() > kNameBytes) {
        tell(err, text::nameTooLongMessage, sjisOutput);
        return 2;
    }
    return 0;
}

int runReportCommand(const ReportOptions& options, OutputStream& out, std::FILE* err) {
    const bool sjis = options.sjisOutput;
    const ChartTexts texts = makeChartTexts(sjis);
    BirthInput birth;
    std::string name;
    if (std::string problem; !applyRuleOptions(options.rules, birth, problem)) {
        tell(err, problem, sjis);
        return 2;
    }
    if (options.record.number != 0) {
        if (const int status = readRecordPerson(options.record, birth, name, err); status != 0) {
            return status;
        }
    } else {
        if (const InputProblem problem =
                parseTypedBirth(options.sex, options.date, options.hour, birth);
            problem != InputProblem::None) {
            std::fprintf(err, "%s\n", problemMessage(problem, texts).c_str());
            return 2;
        }
        if (const int status = readTypedName(options.name, sjis, name, err); status != 0) {
            return status;
        }
    }

    // The name is the file's name: one of blanks only would leave the file nameless.
    if (trimSjisBlanks(name).empty()) {
        tell(err, text::nameMissingMessage, sjis);
        return 2;
    }

    ReportDate today;
    if (const int status = readToday(options.today, today, sjis, err); status != 0) {
        return status;
    }

    ReportRequest request{name, birth, today};
    std::string partnerName;
    if (!options.with.empty()) {
        BirthData partner;
        if (const int status = readPersonArgument({options.with, options.record.file},
                                                  options.rules, sjis, partner, partnerName, err);
            status != 0) {
            return status;
        }
        request.partner = ReportPartner{partnerName, partner};
    }
    const std::optional<std::string> html = buildReport(request);
    if (!html) {
        std::fprintf(err, "%s\n", texts.dataError.c_str());
        return 2;
    }
    const std::string fileName = reportFileName(name);
    const std::string path = options.output.empty() ? outputPathFor(fileName) : options.output;
    const bool written = options.output.empty() ? writeOutputFile(fileName, *html)
                                                : writeOutputPath(path.c_str(), *html);
    if (!written) {
        tell(err, text::outputFailedMessage, sjis);
        return 1;
    }
    bool ignored = true;
    out.write((sjis ? utf8ToSjis(path, ignored) : path) + '\n');
    return 0;
}

}  // namespace quorvel::cli
