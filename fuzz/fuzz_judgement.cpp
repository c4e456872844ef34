// Two typed pillar fields (any bytes, cut as the dialogs cut them), parsed and composed.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "common/fixed_text.h"
#include "judgement/judgement.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static char buffer[quorvel::kJudgementBufferSize];
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t half = input.size() / 2;
    quorvel::JudgementKey key;
    const auto check = quorvel::parseJudgementKey(key, quorvel::cutSjis(input.substr(0, half), 6),
                                                  quorvel::cutSjis(input.substr(half), 6));
    if (check == quorvel::PillarCheck::Ok) {
        const quorvel::PeriodFlags period{size % 3 == 0 ? 1 : 0, size % 2 == 0 ? 1 : -1};
        quorvel::composeJudgement(buffer, key, period);
        if (strnlen(buffer, sizeof buffer) >= sizeof buffer) {
            __builtin_trap();
        }
    }
    return 0;
}
