#include <cstring>

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

void composeJudgement(char (&buffer)[kJudgementBufferSize], const JudgementKey& key,
                      PeriodFlags period) {
    std::memset(buffer, 0, sizeof buffer);

    // A number out of range (possible only without a successful parse) appends nothing.
    if (isStemNumber(key.baseStemNo) && isStemNumber(key.runStemNo)) {
        appendText(buffer, heavenText(stemOfNumber(key.baseStemNo), stemOfNumber(key.runStemNo)));
    }
    if (isStemNumber(key.baseStemNo) && isBranchNumber(key.runBranchNo)) {
        appendText(buffer,
                   earthText(stemOfNumber(key.baseStemNo), branchOfNumber(key.runBranchNo)));
    }
    if (!isBranchNumber(key.baseBranchNo) || !isBranchNumber(key.runBranchNo)) {
        return;
    }
    const Branch base = branchOfNumber(key.baseBranchNo);
    const Branch running = branchOfNumber(key.runBranchNo);
    switch (branchRelation(base, running)) {
        case BranchRelation::SixCombination:
            appendText(buffer, sixCombinationSentence());
            break;
        case BranchRelation::ThreeHarmony:
            appendText(buffer, takesMarkFirstHarmony(base, running)
                                   ? threeHarmonySentenceMarkFirst()
                                   : threeHarmonySentence());
            break;
        case BranchRelation::Clash:
            if (period.luckPeriod == 1) {
                appendText(buffer, luckClashSentence());
            }
            if (period.calendarPeriod == 1) {
                appendText(buffer, calendarClashSentence());
            }
            break;
        case BranchRelation::NoRelation:
            break;
    }
}

}  // namespace quorvel
