#include "calendar/sexagenary.h"
#include "judgement/judgement.h"
#include "judgement/judgement_texts.h"

namespace quorvel {

PillarCheck parseJudgementKey(JudgementKey& key, std::string_view baseText,
                              std::string_view runningText) {
    const auto base = findPillar(baseText);
    if (!base) {
        return PillarCheck::BadBase;
    }
    key.baseStemNo = stemNumber(*base);
    key.baseBranchNo = branchNumber(*base);

    const auto running = findPillar(runningText);
    if (!running) {
        return PillarCheck::BadRunning;
    }
    key.runStemNo = stemNumber(*running);
    key.runBranchNo = branchNumber(*running);
    return PillarCheck::Ok;
}

std::string_view pillarCheckMessage(PillarCheck check) {
    switch (check) {
        case PillarCheck::BadBase:
            return text::basePillarMessage;
        case PillarCheck::BadRunning:
            return text::runningPillarMessage;
        case PillarCheck::Ok:
            break;
    }
    return {};
}

}  // namespace quorvel
