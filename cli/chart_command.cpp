#include "cli/chart_command.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "calendar/birth_notices.h"
#include "cli/cli_texts.h"
#include "cli/output_text.h"
#include "cli/reading_commands.h"
#include "consultation/consultation_texts.h"
#include "platform/console.h"

namespace quorvel::cli {

ChartTexts makeChartTexts(bool sjisOutput) {
    ChartTexts t;
    t.sjisOutput = sjisOutput;
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
    t.summerTimeGap = forOutput(summerTimeGapMessage(), sjisOutput);
    t.monthSuffix = forOutput(text::startMonthSuffix, sjisOutput);
    t.pillars[0] = forOutput(unknownHourText(), sjisOutput);  // the hour pillar of no hour
    return t;
}

std::string formatChartText(const Chart& chart, const ChartTexts& t) {
    std::string out;
    out += t.yearLabel + "  " + t.monthLabel + "  " + t.dayLabel + "  " + t.hourLabel + "\n";
    out += t.pillars[chart.yearPillar.index] + "  " + t.pillars[chart.monthPillar.index] + "  " +
           t.pillars[chart.dayPillar.index] + "  " + t.pillars[chart.hourPillar.index] + "\n\n";
    out += t.luckLabel + "  " + (chart.luckForward ? t.forwardLabel : t.backwardLabel) + "  " +
           t.startAgeLabel + " " + std::to_string(chart.startAge) + t.ageSuffix;
    // To the month where the terms are exact, and in the full chart: 3歳4ヶ月.
    if ((t.full || t.rules.terms == TermRule::Exact) && chart.startAgeMonths % 12 != 0) {
        out += std::to_string(chart.startAgeMonths % 12) + t.monthSuffix;
    }
    out += "\n";
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
    if (chart.hourKnown) {
        appendQuoted(out, t.pillars[chart.hourPillar.index]);
    } else {
        out += "null";
    }
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

void appendChartAnswer(std::string& out, const BirthInput& birth, bool json, bool full,
                       const ChartTexts& t) {
    if (!full) {
        Chart chart;
        BirthReading reading;
        readBirth(chart, reading, birth.sex, birth.time(), birth.rules, birth.place);
        if (json) {
            appendChartJson(out, chart, t);
            out.pop_back();  // the closing brace: the reading's keys go inside the object
            appendReadingJson(out, chart, reading, t.sjisOutput);
            out += "}\n";
        } else {
            out += formatChartText(chart, t) + readingText(reading, t.sjisOutput);
        }
        return;
    }
    const std::optional<FullChart> reading = readFullChart(birth);
    if (!reading) {
        return;  // a computable birth always has one
    }
    if (json) {
        appendChartJson(out, reading->chart, t);
        out.pop_back();  // the closing brace: the full chart goes inside the object
        appendReadingJson(out, reading->chart, reading->reading, t.sjisOutput);
        appendFullChartJson(out, *reading, t.sjisOutput);
        out += "}\n";
    } else {
        out += formatChartText(reading->chart, t) + readingText(reading->reading, t.sjisOutput) +
               "\n" + formatFullChartText(*reading, t.sjisOutput);
    }
}

const std::string& problemMessage(InputProblem problem, const ChartTexts& t) {
    switch (problem) {
        case InputProblem::Year:
            return t.yearRange;
        case InputProblem::Hour:
            return t.hourRange;
        case InputProblem::Sex:
            return t.sexMissing;
        case InputProblem::SummerTimeGap:
            return t.summerTimeGap;
        default:
            return t.dataError;
    }
}

namespace {

void appendError(std::string& out, const std::string& message) {
    out += "{\"error\":";
    appendQuoted(out, message);
    out += "}\n";
}

void answerLine(std::string_view line, std::string& out, const ChartTexts& t) {
    BirthInput birth;
    birth.rules = t.rules;
    birth.place = t.place;
    const InputProblem problem = parseBatchLine(line, birth);
    if (problem != InputProblem::None) {
        appendError(out, problemMessage(problem, t));
        return;
    }
    appendChartAnswer(out, birth, true, t.full, t);
}

// The line being read, carried from one read to the next. A line past the limit is dropped as
// it streams, so no input can make the line grow without bound.
class PendingLine {
  public:
    // Adds `part` of the line; `ends` when the part reaches the line feed.
    void add(std::string_view part, bool ends, std::string& answers, const ChartTexts& t) {
        overlong_ = overlong_ || text_.size() + part.size() > kBatchLineLimit;
        if (overlong_) {
            text_.clear();
        } else if (ends && text_.empty()) {
            answerLine(part, answers, t);  // the usual case: the whole line lies in one read
            return;
        } else {
            text_.append(part);
        }
        if (ends) {
            finish(answers, t);
        }
    }

    // The line that ended with the input or with its line feed.
    void finish(std::string& answers, const ChartTexts& t) {
        if (overlong_) {
            appendError(answers, t.dataError);
        } else {
            answerLine(text_, answers, t);
        }
        text_.clear();
        overlong_ = false;
    }

    bool empty() const { return text_.empty() && !overlong_; }

  private:
    std::string text_;
    bool overlong_ = false;
};

}  // namespace

int runChartBatch(int in, OutputStream& out, const ChartTexts& t) {
    constexpr std::size_t kChunk = 1 << 16;
    static char chunk[kChunk];
    PendingLine line;
    std::string answers;
    answers.reserve(2 * kChunk);
    for (;;) {
        const long got = platform::readInput(in, chunk, sizeof chunk);
        if (got < 0) {
            return errno;
        }
        if (got == 0) {
            break;
        }
        std::string_view data(chunk, static_cast<std::size_t>(got));
        for (std::size_t newline = 0; (newline = data.find('\n')) != std::string_view::npos;) {
            line.add(data.substr(0, newline), true, answers, t);
            data.remove_prefix(newline + 1);
        }
        line.add(data, false, answers, t);
        // Once the output is gone, reading on would only discard the answers.
        if (!out.write(answers) || !out.flush()) {
            return 0;
        }
        answers.clear();
    }
    if (!line.empty()) {
        line.finish(answers, t);
    }
    out.write(answers);
    out.flush();
    return 0;
}

void writeChart(const BirthInput& birth, bool json, bool full, const ChartTexts& t,
                OutputStream& out) {
    std::string answer;
    appendChartAnswer(answer, birth, json, full, t);
    out.write(answer);
}

int runChartCommand(const ChartOptions& options, int in, OutputStream& out, std::FILE* err) {
    ChartTexts texts = makeChartTexts(options.sjisOutput);
    texts.full = options.full;
    BirthInput birth;
    if (std::string problem; !applyRuleOptions(options.rules, birth, problem)) {
        tell(err, problem, options.sjisOutput);
        return 2;
    }
    texts.rules = birth.rules;
    texts.place = birth.place;
    if (options.batch) {
        const int readError = runChartBatch(in, out, texts);
        if (readError != 0) {
            std::fprintf(err, "quorvel-cli: cannot read input: %s\n", std::strerror(readError));
            return 1;
        }
        return 0;
    }
    if (const InputProblem problem =
            parseTypedBirth(options.sex, options.date, options.hour, birth);
        problem != InputProblem::None) {
        tellConverted(err, problemMessage(problem, texts), options.sjisOutput);
        return 2;
    }
    writeChart(birth, options.json, options.full, texts, out);
    return 0;
}

}  // namespace quorvel::cli
