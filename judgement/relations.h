#pragma once
// The three relations a judgement is arranged by: the running stem to the base stem (天運), the
// base stem's stage at the running branch (地運) and the running branch to the base branch (人運).
#include <cstdint>
#include <string_view>

#include "calendar/sexagenary.h"

namespace quorvel {

enum class StemRelation : std::uint8_t {
    Action,      // 実行: same element, same polarity
    Struggle,    // 闘争: same element, other polarity
    Expression,  // 表現: the base produces the running stem
    Sharpness,   // 鋭敏
    Investment,  // 投資: the base controls the running stem
    Saving,      // 蓄財
    Reform,      // 革新: the running stem controls the base
    Endurance,   // 忍耐
    Inquiry,     // 探究: the running stem produces the base
    Learning,    // 学問
};

enum class GrowthStage : std::uint8_t {
    Birth,       // 長生
    Bathing,     // 沐浴
    Capping,     // 冠帯
    Office,      // 建禄
    Prime,       // 帝旺
    Decline,     // 衰
    Sickness,    // 病
    Death,       // 死
    Grave,       // 墓
    Extinction,  // 絶
    Conception,  // 胎
    Nurture,     // 養
};

enum class BranchRelation : std::uint8_t { SixCombination, ThreeHarmony, Clash, NoRelation };

// The verdict signs of every result text.
enum class GradeMark : std::uint8_t {
    Best,        // ◎
    GoodZero,    // 〇 ideographic zero (stage marks, most 天運 summaries)
    GoodCircle,  // ○ white circle (人運 sentences, two 天運 summaries)
    Neutral,     // △
    Bad,         // ▲
    Worst,       // ●
    Warning,     // ★
    Marriage,    // ☆
};

StemRelation stemRelation(Stem base, Stem running);
GrowthStage growthStage(Stem base, Branch running);
GradeMark stageMark(GrowthStage stage);
BranchRelation branchRelation(Branch base, Branch running);

// Shift-JIS labels and marks.
std::string_view stemRelationLabel(StemRelation relation);
std::string_view growthStageLabel(GrowthStage stage);
std::string_view gradeMarkText(GradeMark mark);

}  // namespace quorvel
