#include "cli/judge_command.h"

#include <memory>
#include <string>
#include <string_view>

#include "app/consultation_state.h"
#include "cli/output_text.h"
#include "common/fixed_text.h"
#include "judgement/judgement.h"
#include "platform/console/console.h"

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
    platform::console::setShiftJisOutput(sjisOutput);

    // The state is large (its text buffers); keep it off the stack.
    auto state = std::make_unique<ConsultationState>();
    // Pillar fields hold at most six bytes, as the dialogs read them.
    copyText(state->basePillarText, cutSjis(pillarArgument(pillars[0]), kPillarFieldBytes));
    copyText(state->runningPillarText, cutSjis(pillarArgument(pillars[1]), kPillarFieldBytes));
    // As the chart panel (a luck period) or the stem-branch dialog (a year, month or day) would.
    state->luckPeriodFlag = luckPeriod ? 1 : 0;
    state->calendarPeriodFlag = luckPeriod ? 0 : 1;
    if (parseJudgementKey(*state, nullptr) == 0) {
        return 2;
    }
    composeJudgement(*state);
    std::string answer = forOutput(fieldText(state->judgementBuffer), sjisOutput);
    answer += '\n';
    std::fwrite(answer.data(), 1, answer.size(), out);
    return 0;
}

}  // namespace quorvel::cli
