#pragma once
// `quorvel-cli chart`: a chart as text or JSON, one at a time or a batch from standard input.
#include <cstddef>
#include <cstdio>
#include <string>

#include "calendar/chart.h"
#include "cli/birth_input.h"
#include "cli/output_stream.h"
#include "cli/rule_options.h"

namespace quorvel::cli {

// Every text the chart output uses, already in the output encoding.
struct ChartTexts {
    std::string pillars[kCycleLength + 1];  // by cycle index; [0] unused
    std::string yearLabel, monthLabel, dayLabel, hourLabel;
    std::string luckLabel, forwardLabel, backwardLabel, startAgeLabel, ageSuffix;
    std::string dataError, yearRange, hourRange, sexMissing, summerTimeGap, monthSuffix;
    bool sjisOutput = false;
    bool full = false;  // chart --full: the full chart with the chart
    ChartRules rules;   // every birth of the run is read with these, batch lines included
    Birthplace place;
};

ChartTexts makeChartTexts(bool sjisOutput);

std::string formatChartText(const Chart& chart, const ChartTexts& texts);
// One JSON object, no line end; "hour" is null for an unknown hour.
void appendChartJson(std::string& out, const Chart& chart, const ChartTexts& texts);
const std::string& problemMessage(InputProblem problem, const ChartTexts& texts);

// A batch line longer than this is refused unread; a valid one needs a few dozen bytes.
inline constexpr std::size_t kBatchLineLimit = 4096;

// Answers every line read from `in` with one JSON line on `out`, refused lines included, until
// the input ends or the output fails. Answers leave after each read, so a caller that writes a
// line and waits gets its answer. Returns 0, or the errno of a read that failed.
int runChartBatch(int in, OutputStream& out, const ChartTexts& texts);

// The chart of a computable birth, as the table or as one JSON line, with the full chart when
// asked.
void appendChartAnswer(std::string& out, const BirthInput& birth, bool json, bool full,
                       const ChartTexts& texts);
void writeChart(const BirthInput& birth, bool json, bool full, const ChartTexts& texts,
                OutputStream& out);

struct ChartOptions {
    bool json = false;
    bool batch = false;
    bool full = false;
    bool sjisOutput = false;
    std::string sex;  // as typed; checked together with the birth
    std::string date;
    std::string hour;
    RuleOptions rules;
};

// A typed birth, or the batch when asked for; the options are already known to fit together.
// Returns the exit status: 0, 1 when the input could not be read, 2 for a refused birth.
int runChartCommand(const ChartOptions& options, int in, OutputStream& out, std::FILE* err);

}  // namespace quorvel::cli
