#pragma once
// The words of 相性: a short paragraph for each finding, saying what it tends to mean between
// two people, and a closing summary of the strongest. Shift-JIS, like every text of the core.
#include <string>
#include <string_view>
#include <vector>

#include "reading/compatibility.h"

namespace quorvel {

// The two persons as the texts name them: Shift-JIS names, Ａ and Ｂ for an empty one.
struct CompatibilityPair {
    const FullChart& a;
    const FullChart& b;
    std::string_view aName;
    std::string_view bName;
};

struct CompatibilityTexts {
    std::vector<std::string> dayStems;  // one paragraph for each direction, or one for both
    std::string war;                    // 天戦地冲; empty when the day pillars are not at war
    std::vector<std::string> branches;  // one for each pair of branches, the day branches first
    std::vector<std::string> trios;
    std::vector<std::string> voids;
    std::string elements;
    std::string summary;
};

CompatibilityTexts compatibilityTexts(const Compatibility& c, const CompatibilityPair& pair);

// The name a text uses for A or B: the person's own, or Ａ / Ｂ.
std::string_view shownName(std::string_view name, bool isA);

// 年支 月支 日支 時支, by PillarPosition.
std::string_view branchPositionName(int position);

// 木1 火3 土0 金4 水0.
std::string elementCountsText(const ElementCounts& counts);

}  // namespace quorvel
