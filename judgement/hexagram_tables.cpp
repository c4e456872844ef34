#include "judgement/hexagram_tables.h"

#include "judgement/hexagram_texts.h"
#include "judgement/judgement_texts.h"
#include "judgement/method_texts.h"

namespace quorvel {

namespace {

static_assert(std::size(text::hexagramTexts) == 64, "one reading per pair of trigrams");

// The texts run in the order 水 地 雷 風 天 沢 山 火, the star numbers without 5.
constexpr int trigramIndex(StarNumber n) {
    return n < 5 ? n - 1 : n - 2;
}

}  // namespace

StarNumber natalStar(CycleIndex pillar) {
    const int r = (7 - pillar) % 9;
    return (r < 0 ? r + 9 : r) + 1;
}

StarNumber periodStar(CycleIndex pillar) {
    const StarNumber n = natalStar(pillar);
    if (n != 5) {
        return n;
    }
    switch (branchOf(pillar)) {
        case Branch::Tora:
            return 4;
        case Branch::Mi:
            return 9;
        case Branch::Saru:
            return 7;
        default:  // 亥: the only other branch at which 5 falls
            return 1;
    }
}

std::string_view hexagramText(StarNumber lower, StarNumber upper) {
    if (lower < 1 || lower > 9 || lower == 5 || upper < 1 || upper > 9 || upper == 5) {
        return {};
    }
    return text::hexagramTexts[trigramIndex(lower) * 8 + trigramIndex(upper)];
}

HexagramCheck findHexagram(std::string_view baseText, Dun dun, std::string_view runningText,
                           std::string_view& reading) {
    const auto base = findPillar(baseText);
    if (!base) {
        return HexagramCheck::BadBase;
    }
    StarNumber lower = natalStar(*base);
    if (lower == 5) {
        if (dun == Dun::None) {
            return HexagramCheck::NeedsDun;
        }
        lower = dun == Dun::Yang ? 4 : 6;  // 巽 or 乾
    }
    const auto running = findPillar(runningText);
    if (!running) {
        return HexagramCheck::BadRunning;
    }
    reading = hexagramText(lower, periodStar(*running));
    return HexagramCheck::Ok;
}

std::string_view hexagramCheckMessage(HexagramCheck check) {
    switch (check) {
        case HexagramCheck::BadBase:
            return text::basePillarMessage;
        case HexagramCheck::NeedsDun:
            return text::dunChoiceMessage;
        case HexagramCheck::BadRunning:
            return text::runningPillarMessage;
        case HexagramCheck::Ok:
            break;
    }
    return {};
}

}  // namespace quorvel
