#pragma once
#include <cstdint>

namespace quorvel {

// The four judgement numbers of a base and a running pillar (stem number n mod 10, branch
// number n mod 12), by which every judgement table is keyed.
struct JudgementKey {
    std::int32_t baseStemNo = 0;
    std::int32_t baseBranchNo = 0;
    std::int32_t runStemNo = 0;
    std::int32_t runBranchNo = 0;
};

}  // namespace quorvel
