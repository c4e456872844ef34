#pragma once
// The commands that take a base and a running pillar: judge, hexagram and avoid.
#include <cstdio>
#include <string>

#include "cli/output_stream.h"

namespace quorvel::cli {

struct PillarOptions {
    std::string base;  // as typed in the terminal
    std::string running;
    std::string choice;  // judge: "luck" or "calendar"; hexagram: "yang" or "yin"; or empty
    bool sjisOutput = false;
};

// Each returns the exit status: 0, or 2 after the program's message for a refused pillar.
int runJudgeCommand(const PillarOptions& options, OutputStream& out, std::FILE* err);
int runHexagramCommand(const PillarOptions& options, OutputStream& out, std::FILE* err);
int runAvoidCommand(const PillarOptions& options, OutputStream& out, std::FILE* err);

}  // namespace quorvel::cli
