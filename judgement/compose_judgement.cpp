#include <cstring>
#include <initializer_list>

#include "common/fixed_text.h"
#include "judgement/judgement.h"
#include "judgement/relations.h"
#include "judgement/text_tables.h"

namespace quorvel {

namespace {

constexpr bool isStemNumber(int n) {
    return n >= 0 && n <= 9;
}
constexpr bool isBranchNumber(int n) {
    return n >= 0 && n <= 11;
}

// The three-harmony sentence puts its mark first for these two pairs only.
bool takesMarkFirstHarmony(Branch base, Branch running) {
    return (base == Branch::Tora && running == Branch::Inu) ||
           (base == Branch::U && running == Branch::I);
}

}  // namespace

JudgementParts judgementParts(const JudgementKey& key, PeriodFlags period) {
    JudgementParts parts;
    // A number out of range (possible only without a successful parse) gives nothing.
    if (isStemNumber(key.baseStemNo) && isStemNumber(key.runStemNo)) {
        parts.heaven = heavenText(stemOfNumber(key.baseStemNo), stemOfNumber(key.runStemNo));
    }
    if (isStemNumber(key.baseStemNo) && isBranchNumber(key.runBranchNo)) {
        parts.earth = earthText(stemOfNumber(key.baseStemNo), branchOfNumber(key.runBranchNo));
    }
    if (!isBranchNumber(key.baseBranchNo) || !isBranchNumber(key.runBranchNo)) {
        return parts;
    }
    const Branch base = branchOfNumber(key.baseBranchNo);
    const Branch running = branchOfNumber(key.runBranchNo);
    switch (branchRelation(base, running)) {
        case BranchRelation::SixCombination:
            parts.human[0] = sixCombinationSentence();
            break;
        case BranchRelation::ThreeHarmony:
            parts.human[0] = takesMarkFirstHarmony(base, running) ? threeHarmonySentenceMarkFirst()
                                                                  : threeHarmonySentence();
            break;
        case BranchRelation::Clash: {
            int n = 0;
            if (period.luckPeriod == 1) {
                parts.human[n++] = luckClashSentence();
            }
            if (period.calendarPeriod == 1) {
                parts.human[n] = calendarClashSentence();
            }
            break;
        }
        case BranchRelation::NoRelation:
            break;
    }
    return parts;
}

void composeJudgement(char (&buffer)[kJudgementBufferSize], const JudgementKey& key,
                      PeriodFlags period) {
    std::memset(buffer, 0, sizeof buffer);
    const JudgementParts parts = judgementParts(key, period);
    for (const std::string_view part :
         {parts.heaven, parts.earth, parts.human[0], parts.human[1]}) {
        appendText(buffer, part);
    }
}

}  // namespace quorvel
