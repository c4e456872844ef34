#include "cli/chart_command.h"

#include <cstring>
#include <string_view>

#include "cli/cli_texts.h"
#include "cli/output_text.h"

namespace quorvel::cli {

ChartTexts makeChartTexts(bool sjisOutput) {
    ChartTexts t;
    for (CycleIndex n = 1; n <= kCycleLength; ++n) {
        t.pillars[n] = forOutput(pillarTextView(n), sjisOutput);
    }
    t.yearLabel = forOutput(text::yearPillarLabel, sjisOutput);
    t.monthLabel = forOutput(text::monthPillarLabel, sjisOutput);
    t.dayLabel = forOutput(text::dayPillarLabel, sjisOutput);
    t.hourLabel = forOutput(text::hourPillarLabel, sjisOutput);
    t.luckLabel = forOutput(text::luckLabel, sjisOutput);
    t.forwardLabel = forOutput(text::forwardLabel, sjisOutput);
    t.backwardLabel = forOutput(text::backwardLabel, sjisOutput);
    t.startAgeLabel = forOutput(text::startAgeLabel, sjisOutput);
    t.ageSuffix = forOutput(text::ageSuffix, sjisOutput);
    t.dataError = forOutput(text::dataErrorMessage, sjisOutput);
    t.yearRange = forOutput(text::yearRangeMessage, sjisOutput);
    t.hourRange = forOutput(text::hourRangeMessage, sjisOutput);
    t.sexMissing = forOutput(text::sexMissingMessage, sjisOutput);
    return t;
}

std::string formatChartText(const Chart& chart, const ChartTexts& t) {
    std::string out;
    out += t.yearLabel + "  " + t.monthLabel + "  " + t.dayLabel + "  " + t.hourLabel + "\n";
    out += t.pillars[chart.yearPillar.index] + "  " + t.pillars[chart.monthPillar.index] + "  " +
           t.pillars[chart.dayPillar.index] + "  " + t.pillars[chart.hourPillar.index] + "\n\n";
    out += t.luckLabel + "  " + (chart.luckForward ? t.forwardLabel : t.backwardLabel) + "  " +
           t.startAgeLabel + " " + std::to_string(chart.startAge) + t.ageSuffix + "\n";
    for (const LuckPillar& luck : chart.luckPillars) {
        std::string age = luck.ageText;
        age.insert(0, age.size() < 3 ? 3 - age.size() : 0, ' ');
        out += age + t.ageSuffix + "  " + t.pillars[luck.pillar.index] + "\n";
    }
    return out;
}

namespace {

void appendQuoted(std::string& out, const std::string& text) {
    out += '"';
    out += text;
    out += '"';
}

void appendNumber(std::string& out, int value) {
    char digits[12];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (count > 0) {
        out += digits[--count];
    }
}

}  // namespace

void appendChartJson(std::string& out, const Chart& chart, const ChartTexts& t) {
    out += "{\"year\":";
    appendQuoted(out, t.pillars[chart.yearPillar.index]);
    out += ",\"month\":";
    appendQuoted(out, t.pillars[chart.monthPillar.index]);
    out += ",\"day\":";
    appendQuoted(out, t.pillars[chart.dayPillar.index]);
    out += ",\"hour\":";
    appendQuoted(out, t.pillars[chart.hourPillar.index]);
    out += chart.luckForward ? ",\"forward\":true" : ",\"forward\":false";
    out += ",\"startAge\":";
    appendNumber(out, chart.startAge);
    out += ",\"luck\":[";
    for (int k = 0; k < kLuckPillarCount; ++k) {
        if (k > 0) {
            out += ',';
        }
        appendQuoted(out, t.pillars[chart.luckPillars[k].pillar.index]);
    }
    out += "]}";
}

const std::string& problemMessage(InputProblem problem, const ChartTexts& t) {
    switch (problem) {
        case InputProblem::Year:
            return t.yearRange;
        case InputProblem::Hour:
            return t.hourRange;
        case InputProblem::Sex:
            return t.sexMissing;
        default:
            return t.dataError;
    }
}

namespace {

void answerLine(std::string_view line, std::string& out, const ChartTexts& t) {
    BirthInput birth;
    const InputProblem problem = parseBatchLine(line, birth);
    if (problem != InputProblem::None) {
        out += "{\"error\":";
        appendQuoted(out, problemMessage(problem, t));
        out += "}\n";
        return;
    }
    Chart chart;
    computeChart(chart, birth.sex, birth.year, birth.month, birth.day, birth.hour);
    appendChartJson(out, chart, t);
    out += '\n';
}

}  // namespace

void runChartBatch(std::FILE* in, std::FILE* out, const ChartTexts& t) {
    constexpr std::size_t kChunk = 1 << 16;
    std::string pending;  // an unfinished line carried over from the previous chunk
    std::string answers;
    answers.reserve(2 * kChunk);
    char chunk[kChunk];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
        std::string_view data(chunk, got);
        std::size_t newline = 0;
        while ((newline = data.find('\n')) != std::string_view::npos) {
            if (pending.empty()) {
                answerLine(data.substr(0, newline), answers, t);
            } else {
                pending.append(data.substr(0, newline));
                answerLine(pending, answers, t);
                pending.clear();
            }
            data.remove_prefix(newline + 1);
        }
        pending.append(data);
        if (answers.size() >= kChunk) {
            std::fwrite(answers.data(), 1, answers.size(), out);
            answers.clear();
        }
    }
    if (!pending.empty()) {
        answerLine(pending, answers, t);
    }
    std::fwrite(answers.data(), 1, answers.size(), out);
    std::fflush(out);
}

namespace {

constexpr std::string_view kChartUsage =
    "usage: quorvel-cli chart [--json] [--sjis] --sex male|female YYYY-MM-DD HH\n"
    "       quorvel-cli chart --json --batch [--sjis] < lines of \"YYYY-MM-DD HH male|female\"\n";

int usageError(std::FILE* err, std::string_view what) {
    std::fprintf(err, "quorvel-cli chart: %.*s\n%.*s", static_cast<int>(what.size()), what.data(),
                 static_cast<int>(kChartUsage.size()), kChartUsage.data());
    return 2;
}

}  // namespace

int runChartCommand(std::span<char* const> args, std::FILE* in, std::FILE* out, std::FILE* err) {
    bool json = false;
    bool batch = false;
    bool sjisOutput = false;
    BirthInput birth;
    std::string_view date;
    std::string_view hour;
    std::string_view sex;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--batch") {
            batch = true;
        } else if (arg == "--sjis") {
            sjisOutput = true;
        } else if (arg == "--sex") {
            if (++i == args.size()) {
                return usageError(err, "--sex needs male or female");
            }
            sex = args[i];
        } else if (arg.starts_with("--sex=")) {
            sex = arg.substr(6);
        } else if (arg.starts_with("-") && arg.size() > 1) {
            return usageError(err, "unknown option " + std::string(arg));
        } else if (date.empty()) {
            date = arg;
        } else if (hour.empty()) {
            hour = arg;
        } else {
            return usageError(err, "too many arguments");
        }
    }
    const ChartTexts texts = makeChartTexts(sjisOutput);
    if (batch) {
        if (!json) {
            return usageError(err, "--batch answers in JSON: add --json");
        }
        if (!date.empty() || !sex.empty()) {
            return usageError(err, "--batch reads its births from standard input");
        }
        runChartBatch(in, out, texts);
        return 0;
    }
    if (date.empty() || hour.empty()) {
        return usageError(err, "a birth date and hour are needed");
    }
    InputProblem problem = InputProblem::None;
    if (!parseDate(date, birth) || !parseHour(hour, birth)) {
        problem = InputProblem::Format;
    } else if (!parseSex(sex, birth)) {
        problem = InputProblem::Sex;
    } else {
        problem = checkComputable(birth);
    }
    if (problem != InputProblem::None) {
        const std::string& message = problemMessage(problem, texts);
        std::fprintf(err, "%s\n", message.c_str());
        return 2;
    }
    Chart chart;
    computeChart(chart, birth.sex, birth.year, birth.month, birth.day, birth.hour);
    std::string answer;
    if (json) {
        appendChartJson(answer, chart, texts);
        answer += '\n';
    } else {
        answer = formatChartText(chart, texts);
    }
    std::fwrite(answer.data(), 1, answer.size(), out);
    return 0;
}

}  // namespace quorvel::cli
