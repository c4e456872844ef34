#pragma once
// The special stars (特殊星) a Japanese 命式 marks under its pillars: 天乙貴人 and 羊刃 from the
// day stem, 駅馬 from the day branch, and 魁罡 of the day pillar itself.
#include <array>
#include <cstdint>

#include "calendar/sexagenary.h"

namespace quorvel {

enum class SpecialStar : std::uint8_t {
    Nobleman,
    Blade,
    PostHorse,
    Kaigou
};  // 天乙貴人 羊刃 駅馬 魁罡
inline constexpr int kSpecialStarCount = 4;

// The stars of one pillar, in the order above.
struct StarList {
    SpecialStar stars[kSpecialStarCount] = {};
    int count = 0;
    bool has(SpecialStar star) const {
        for (int i = 0; i < count; ++i) {
            if (stars[i] == star) {
                return true;
            }
        }
        return false;
    }
};

// 甲戊庚 丑未, 乙己 子申, 丙丁 亥酉, 辛 寅午, 壬癸 卯巳.
std::array<Branch, 2> noblemanBranches(Stem dayStem);
// The yang stems at their 帝旺; the yin stems by the Japanese rule, one step past the yang
// stem's: 乙 辰, 丁己 未, 辛 戌, 癸 丑.
Branch bladeBranch(Stem dayStem);
// The branch that clashes the first of the day branch's triad: 申子辰 寅, 寅午戌 申, 巳酉丑 亥,
// 亥卯未 巳.
Branch postHorseBranch(Branch dayBranch);
// 庚辰 庚戌 壬辰 戊戌.
bool isKaigou(CycleIndex dayPillar);

// The stars of a pillar with `branch`: 天乙貴人 and 羊刃 on any pillar, 駅馬 on all but the day
// pillar, 魁罡 on the day pillar only.
StarList pillarStars(CycleIndex dayPillar, Branch branch, bool isDayPillar);

}  // namespace quorvel
