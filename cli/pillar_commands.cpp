#include "cli/pillar_commands.h"

#include <string>
#include <string_view>

#include "cli/output_text.h"
#include "common/fixed_text.h"
#include "judgement/avoidance_table.h"
#include "judgement/hexagram_tables.h"
#include "judgement/judgement.h"

namespace quorvel::cli {

namespace {

// What a pillar command was given: the two pillars as the dialogs would read them, and the
// value of its one option (empty when not given).
struct PillarArguments {
    std::string base;
    std::string running;
    std::string_view choice;
    bool sjisOutput = false;
};

struct CommandShape {
    std::string_view name;
    std::string_view usage;
    std::string_view option;      // "--period", or empty for none
    std::string_view choices[2];  // the values the option takes
};

int usageError(const CommandShape& shape, std::FILE* err, std::string_view what) {
    std::fprintf(err, "quorvel-cli %.*s: %.*s\n%.*s", static_cast<int>(shape.name.size()),
                 shape.name.data(), static_cast<int>(what.size()), what.data(),
                 static_cast<int>(shape.usage.size()), shape.usage.data());
    return 2;
}

// A pillar typed in the terminal: UTF-8 as a rule; bytes that are not UTF-8 are taken as they
// are, so a Shift-JIS argument works too. Cut to six bytes, as a pillar field is read.
std::string pillarArgument(std::string_view arg) {
    bool ok = true;
    const std::string sjis = utf8ToSjis(arg, ok);
    return std::string(cutSjis(ok ? sjis : arg, kPillarFieldBytes));
}

bool isChoice(const CommandShape& shape, std::string_view value) {
    return !value.empty() && (value == shape.choices[0] || value == shape.choices[1]);
}

// 0, or 2 after telling what is wrong.
int parse(const CommandShape& shape, std::span<char* const> args, std::FILE* err,
          PillarArguments& parsed) {
    std::string_view pillars[2];
    int pillarCount = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool isOption =
            !shape.option.empty() && arg.starts_with(shape.option) &&
            (arg.size() == shape.option.size() || arg[shape.option.size()] == '=');
        if (arg == "--sjis") {
            parsed.sjisOutput = true;
        } else if (isOption) {
            std::string_view value = arg.substr(std::min(arg.size(), shape.option.size() + 1));
            if (arg.size() == shape.option.size()) {
                if (++i == args.size()) {
                    return usageError(shape, err, std::string(shape.option) + " needs a value");
                }
                value = args[i];
            }
            if (!isChoice(shape, value)) {
                return usageError(shape, err, "unknown value for " + std::string(shape.option));
            }
            parsed.choice = value;
        } else if (arg.starts_with("--")) {
            return usageError(shape, err, "unknown option " + std::string(arg));
        } else if (pillarCount < 2) {
            pillars[pillarCount++] = arg;
        } else {
            return usageError(shape, err, "too many arguments");
        }
    }
    if (pillarCount != 2) {
        return usageError(shape, err, "a base pillar and a running pillar are needed");
    }
    parsed.base = pillarArgument(pillars[0]);
    parsed.running = pillarArgument(pillars[1]);
    return 0;
}

void write(std::FILE* stream, std::string_view sjisText, bool sjisOutput) {
    const std::string text = forOutput(sjisText, sjisOutput);
    std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

int runJudgeCommand(std::span<char* const> args, std::FILE* out, std::FILE* err) {
    static constexpr CommandShape kShape{
        "judge",
        "usage: quorvel-cli judge [--period luck|calendar] [--sjis] BASE RUNNING\n",
        "--period",
        {"luck", "calendar"}};
    PillarArguments a;
    if (parse(kShape, args, err, a) != 0) {
        return 2;
    }
    JudgementKey key;
    const PillarCheck check = parseJudgementKey(key, a.base, a.running);
    if (check != PillarCheck::Ok) {
        write(err, pillarCheckMessage(check), a.sjisOutput);
        return 2;
    }
    // As the chart panel (a luck period) or the stem-branch dialog (a year, month or day) would.
    const bool luck = a.choice == "luck";
    static char buffer[kJudgementBufferSize];
    composeJudgement(buffer, key, {luck ? 1 : 0, luck ? 0 : 1});
    write(out, fieldText(buffer), a.sjisOutput);
    write(out, "\n", a.sjisOutput);
    return 0;
}

int runHexagramCommand(std::span<char* const> args, std::FILE* out, std::FILE* err) {
    static constexpr CommandShape kShape{
        "hexagram",
        "usage: quorvel-cli hexagram [--dun yang|yin] [--sjis] BASE RUNNING\n",
        "--dun",
        {"yang", "yin"}};
    PillarArguments a;
    if (parse(kShape, args, err, a) != 0) {
        return 2;
    }
    const Dun dun = a.choice == "yang" ? Dun::Yang : a.choice == "yin" ? Dun::Yin : Dun::None;
    std::string_view reading;
    const HexagramCheck check = findHexagram(a.base, dun, a.running, reading);
    if (check != HexagramCheck::Ok) {
        write(err, hexagramCheckMessage(check), a.sjisOutput);
        if (check == HexagramCheck::NeedsDun) {
            write(err, "\n", a.sjisOutput);
        }
        return 2;
    }
    write(out, reading, a.sjisOutput);
    return 0;
}

int runAvoidCommand(std::span<char* const> args, std::FILE* out, std::FILE* err) {
    static constexpr CommandShape kShape{
        "avoid", "usage: quorvel-cli avoid [--sjis] BASE RUNNING\n", {}, {{}, {}}};
    PillarArguments a;
    if (parse(kShape, args, err, a) != 0) {
        return 2;
    }
    JudgementKey key;
    const PillarCheck check = parseJudgementKey(key, a.base, a.running);
    if (check != PillarCheck::Ok) {
        write(err, pillarCheckMessage(check), a.sjisOutput);
        return 2;
    }
    static char buffer[kAvoidanceBufferSize];
    writeAvoidanceText(buffer, avoidanceStem(key.baseStemNo, key.runStemNo));
    write(out, fieldText(buffer), a.sjisOutput);
    return 0;
}

}  // namespace quorvel::cli
