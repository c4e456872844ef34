#include <cstring>

#include "app/consultation_state.h"
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

int composeJudgement(ConsultationState& state) {
    char(&buffer)[kJudgementBufferSize] = state.judgementBuffer;
    std::memset(buffer, 0, sizeof buffer);
    const JudgementKey& key = state.judgementKey;

    // A number out of range (possible only without a successful parse) appends nothing.
    if (isStemNumber(key.baseStemNo) && isStemNumber(key.runStemNo)) {
        appendText(buffer, heavenText(stemOfNumber(key.baseStemNo), stemOfNumber(key.runStemNo)));
    }
    if (isStemNumber(key.baseStemNo) && isBranchNumber(key.runBranchNo)) {
        appendText(buffer,
                   earthText(stemOfNumber(key.baseStemNo), branchOfNumber(key.runBranchNo)));
    }
    if (!isBranchNumber(key.baseBranchNo) || !isBranchNumber(key.runBranchNo)) {
        return 1;
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
            if (state.luckPeriodFlag == 1) {
                appendText(buffer, luckClashSentence());
            }
            if (state.calendarPeriodFlag == 1) {
                appendText(buffer, calendarClashSentence());
            }
            break;
        case BranchRelation::NoRelation:
            break;
    }
    return 1;
}

}  // namespace quorvel
