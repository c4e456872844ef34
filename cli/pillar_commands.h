#pragma once
// The commands that take a base and a running pillar: judge, hexagram and avoid.
#include <cstdio>
#include <span>

namespace quorvel::cli {

int runJudgeCommand(std::span<char* const> args, std::FILE* out, std::FILE* err);
int runHexagramCommand(std::span<char* const> args, std::FILE* out, std::FILE* err);
int runAvoidCommand(std::span<char* const> args, std::FILE* out, std::FILE* err);

}  // namespace quorvel::cli
