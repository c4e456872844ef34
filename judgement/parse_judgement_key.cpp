#include "app/consultation_state.h"
#include "common/fixed_text.h"
#include "judgement/judgement.h"
#include "judgement/judgement_texts.h"
#include "platform/ui.h"

namespace quorvel {

int parseJudgementKey(ConsultationState& state, platform::WindowHandle owner) {
    JudgementKey& key = state.judgementKey;
    const auto base = findPillar(fieldText(state.basePillarText));
    if (!base) {
        platform::messageBox(owner, text::basePillarMessage, {}, platform::MessageButtons::Ok);
        return 0;
    }
    key.baseStemNo = stemNumber(*base);
    key.baseBranchNo = branchNumber(*base);

    const auto running = findPillar(fieldText(state.runningPillarText));
    if (!running) {
        platform::messageBox(owner, text::runningPillarMessage, {}, platform::MessageButtons::Ok);
        return 0;
    }
    key.runStemNo = stemNumber(*running);
    key.runBranchNo = branchNumber(*running);
    return 1;
}

}  // namespace quorvel
