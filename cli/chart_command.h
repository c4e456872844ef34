#pragma once
// `quorvel-cli chart`: a chart as text or JSON, one at a time or a batch from standard input.
#include <cstdio>
#include <span>
#include <string>

#include "calendar/chart.h"
#include "cli/birth_input.h"

namespace quorvel::cli {

// Every text the chart output uses, already in the output encoding.
struct ChartTexts {
    std::string pillars[kCycleLength + 1];  // by cycle index; [0] unused
    std::string yearLabel, monthLabel, dayLabel, hourLabel;
    std::string luckLabel, forwardLabel, backwardLabel, startAgeLabel, ageSuffix;
    std::string dataError, yearRange, hourRange, sexMissing;
};

ChartTexts makeChartTexts(bool sjisOutput);

std::string formatChartText(const Chart& chart, const ChartTexts& texts);
// One JSON object, no line end.
void appendChartJson(std::string& out, const Chart& chart, const ChartTexts& texts);
const std::string& problemMessage(InputProblem problem, const ChartTexts& texts);

// Answers every line of `in` with one JSON line on `out`, refused lines included.
void runChartBatch(std::FILE* in, std::FILE* out, const ChartTexts& texts);

// The whole subcommand; args are those after "chart". Returns the exit status.
int runChartCommand(std::span<char* const> args, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace quorvel::cli
