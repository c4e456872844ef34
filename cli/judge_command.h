#pragma once
// `quorvel-cli judge`: the fortune judgement of a base and a running pillar.
#include <cstdio>
#include <span>

namespace quorvel::cli {

int runJudgeCommand(std::span<char* const> args, std::FILE* out, std::FILE* err);

}  // namespace quorvel::cli
