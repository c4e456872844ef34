#include "cli/judge_command.h"

#include <string>
#include <string_view>

#include "cli/output_text.h"
#include "common/fixed_text.h"
#include "judgement/judgement.h"

namespace quorvel::cli {

namespace {

constexpr std::string_view kJudgeUsage =
    "usage: quorvel-cli judge [--period luck|calendar] [--sjis] BASE RUNNING\n";

int usageError(std::FILE* err, std::string_view what) {
    std::fprintf(err, "quorvel-cli judge: %.*s\n%.*s", static_cast<int>(what.size()), what.data(),
                 static_cast<int>(kJudgeUsage.size()), kJudgeUsage.data());
    return 2;
}

// A pillar typed in the terminal: UTF-8 as a rule; bytes that are not UTF-8 are taken as they
// are, so a Shift-JIS argument works too.
std::string pillarArgument(std::string_view arg) {
    bool ok = true;
    std::string sjis = utf8ToSjis(arg, ok);
    return ok ? sjis : std::string(arg);
}

}  // namespace

int runJudgeCommand(std::span<char* const> args, std::FILE* out, std::FILE* err) {
    bool luckPeriod = false;
    bool sjisOutput = false;
    std::string_view pillars[2];
    int pillarCount = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--sjis") {
            sjisOutput = true;
        } else if (arg == "--period" || arg.starts_with("--period=")) {
            std::string_view period = arg.substr(std::min(arg.size(), std::size_t{9}));
            if (arg == "--period") {
                if (++i == args.size()) {
                    return usageError(err, "--period needs luck or calendar");
                }
                period = args[i];
            }
            if (period != "luck" && period != "calendar") {
                return usageError(err, "--period is luck or calendar");
            }
            luckPeriod = period == "luck";
        } else if (arg.starts_with("--")) {
            return usageError(err, "unknown option " + std::string(arg));
        } else if (pillarCount < 2) {
            pillars[pillarCount++] = arg;
        } else {
            return usageError(err, "too many arguments");
        }
    }
    if (pillarCount != 2) {
        return usageError(err, "a base pillar and a running pillar are needed");
    }
    // Pillar fields hold at most six bytes, as the dialogs read them.
    const std::string base = pillarArgument(pillars[0]);
    const std::string running = pillarArgument(pillars[1]);
    JudgementKey key;
    const PillarCheck check = parseJudgementKey(key, cutSjis(base, kPillarFieldBytes),
                                                cutSjis(running, kPillarFieldBytes));
    if (check != PillarCheck::Ok) {
        const std::string message = forOutput(pillarCheckMessage(check), sjisOutput);
        std::fwrite(message.data(), 1, message.size(), err);
        return 2;
    }
    // As the chart panel (a luck period) or the stem-branch dialog (a year, month or day) would.
    static char buffer[kJudgementBufferSize];
    composeJudgement(buffer, key, {luckPeriod ? 1 : 0, luckPeriod ? 0 : 1});
    std::string answer = forOutput(fieldText(buffer), sjisOutput);
    answer += '\n';
    std::fwrite(answer.data(), 1, answer.size(), out);
    return 0;
}

}  // namespace quorvel::cli
