// Two typed pillar fields (any bytes, cut as the dialogs cut them), parsed and composed.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "app/consultation_state.h"
#include "common/fixed_text.h"
#include "judgement/judgement.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto state = std::make_unique<quorvel::ConsultationState>();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t half = input.size() / 2;
    quorvel::copyText(state->basePillarText, quorvel::cutSjis(input.substr(0, half), 6));
    quorvel::copyText(state->runningPillarText, quorvel::cutSjis(input.substr(half), 6));
    state->luckPeriodFlag = size % 3 == 0 ? 1 : 0;
    state->calendarPeriodFlag = size % 2 == 0 ? 1 : -1;
    if (quorvel::parseJudgementKey(*state, nullptr) == 1) {
        quorvel::composeJudgement(*state);
        if (std::strlen(state->judgementBuffer) >= quorvel::kJudgementBufferSize) {
            __builtin_trap();
        }
    }
    return 0;
}
