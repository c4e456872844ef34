// Two typed pillars (any bytes, uncut) and a 陽遁/陰遁 choice: the pillar lookup, the judgement
// key and the hexagram lookup agree on which texts are pillars.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/sexagenary.h"
#include "judgement/hexagram_tables.h"
#include "judgement/judgement.h"

namespace {

std::optional<quorvel::CycleIndex> lookUp(std::string_view text) {
    const auto found = quorvel::findPillar(text);
    if (found && quorvel::pillarTextView(*found) != text) {
        __builtin_trap();
    }
    // The NUL-terminated form reads up to its first zero.
    const std::string terminated(text);
    if (text.find('\0') == std::string_view::npos &&
        quorvel::findPillar(terminated.c_str()) != found) {
        __builtin_trap();
    }
    return found;
}

quorvel::HexagramCheck expectedHexagram(std::optional<quorvel::CycleIndex> base, quorvel::Dun dun,
                                        std::optional<quorvel::CycleIndex> running) {
    using quorvel::HexagramCheck;
    if (!base) {
        return HexagramCheck::BadBase;
    }
    if (quorvel::natalStar(*base) == 5 && dun == quorvel::Dun::None) {
        return HexagramCheck::NeedsDun;
    }
    return running ? HexagramCheck::Ok : HexagramCheck::BadRunning;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto dun = static_cast<quorvel::Dun>(data[0] % 3);
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string_view baseText = input.substr(0, input.size() / 2);
    const std::string_view runningText = input.substr(input.size() / 2);
    const auto base = lookUp(baseText);
    const auto running = lookUp(runningText);

    quorvel::JudgementKey key;
    const quorvel::PillarCheck check = quorvel::parseJudgementKey(key, baseText, runningText);
    const quorvel::PillarCheck expected = !base      ? quorvel::PillarCheck::BadBase
                                          : !running ? quorvel::PillarCheck::BadRunning
                                                     : quorvel::PillarCheck::Ok;
    if (check != expected || (check == quorvel::PillarCheck::Ok &&
                              (key.baseStemNo != quorvel::stemNumber(*base) ||
                               key.baseBranchNo != quorvel::branchNumber(*base) ||
                               key.runStemNo != quorvel::stemNumber(*running) ||
                               key.runBranchNo != quorvel::branchNumber(*running)))) {
        __builtin_trap();
    }

    std::string_view reading;
    const quorvel::HexagramCheck found = quorvel::findHexagram(baseText, dun, runningText, reading);
    if (found != expectedHexagram(base, dun, running) ||
        (found == quorvel::HexagramCheck::Ok && (reading.empty() || reading[0] != '\n'))) {
        __builtin_trap();
    }
    return 0;
}
