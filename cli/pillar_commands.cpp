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

// A pillar typed in the terminal: UTF-8 as a rule; bytes that are not UTF-8 are taken as they
// are, so a Shift-JIS argument works too. Cut to six bytes, as a pillar field is read.
std::string pillarArgument(std::string_view arg) {
    bool ok = true;
    const std::string sjis = utf8ToSjis(arg, ok);
    return std::string(cutSjis(ok ? sjis : arg, kPillarFieldBytes));
}

// The key of the two typed pillars; false after the program's message for a refused one.
bool readKey(const PillarOptions& options, JudgementKey& key, std::FILE* err) {
    const PillarCheck check =
        parseJudgementKey(key, pillarArgument(options.base), pillarArgument(options.running));
    if (check != PillarCheck::Ok) {
        tell(err, pillarCheckMessage(check), options.sjisOutput);
        return false;
    }
    return true;
}

void write(OutputStream& out, std::string_view sjisText, bool sjisOutput) {
    out.write(forOutput(sjisText, sjisOutput));
}

}  // namespace

int runJudgeCommand(const PillarOptions& options, OutputStream& out, std::FILE* err) {
    JudgementKey key;
    if (!readKey(options, key, err)) {
        return 2;
    }
    // As the chart panel (a luck period) or the stem-branch dialog (a year, month or day) would.
    const bool luck = options.choice == "luck";
    static char buffer[kJudgementBufferSize];
    composeJudgement(buffer, key, {luck ? 1 : 0, luck ? 0 : 1});
    write(out, fieldText(buffer), options.sjisOutput);
    write(out, "\n", options.sjisOutput);
    return 0;
}

int runHexagramCommand(const PillarOptions& options, OutputStream& out, std::FILE* err) {
    const Dun dun = options.choice == "yang"  ? Dun::Yang
                    : options.choice == "yin" ? Dun::Yin
                                              : Dun::None;
    std::string_view reading;
    const HexagramCheck check =
        findHexagram(pillarArgument(options.base), dun, pillarArgument(options.running), reading);
    if (check != HexagramCheck::Ok) {
        tell(err, hexagramCheckMessage(check), options.sjisOutput);
        return 2;
    }
    write(out, reading, options.sjisOutput);
    return 0;
}

int runAvoidCommand(const PillarOptions& options, OutputStream& out, std::FILE* err) {
    JudgementKey key;
    if (!readKey(options, key, err)) {
        return 2;
    }
    static char buffer[kAvoidanceBufferSize];
    writeAvoidanceText(buffer, avoidanceStem(key.baseStemNo, key.runStemNo));
    write(out, fieldText(buffer), options.sjisOutput);
    return 0;
}

}  // namespace quorvel::cli
