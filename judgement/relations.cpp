#include "judgement/relations.h"

#include "judgement/judgement_texts.h"

namespace quorvel {

namespace {

// (a - b) mod n, taken into 0 ... n-1.
constexpr int modulo(int a, int b, int n) {
    return ((a - b) % n + n) % n;
}

// The branch at which each stem's 長生 stands (子 = 0 ... 亥 = 11), by stem ordinal.
constexpr int kBirthBranch[10] = {11, 6, 2, 9, 2, 9, 5, 0, 8, 3};

}  // namespace

StemRelation stemRelation(Stem base, Stem running) {
    // d: 0 same element, 1 base produces, 2 base controls, 3 running controls, 4 running produces.
    const int d =
        modulo(static_cast<int>(elementOf(running)), static_cast<int>(elementOf(base)), 5);
    const int otherPolarity = isYang(base) == isYang(running) ? 0 : 1;
    return static_cast<StemRelation>(2 * d + otherPolarity);
}

GrowthStage growthStage(Stem base, Branch running) {
    // Yang stems walk forward through the branches from their 長生, yin stems backward.
    const int x = ordinal(running) - 1;
    const int birth = kBirthBranch[ordinal(base) - 1];
    return static_cast<GrowthStage>(isYang(base) ? modulo(x, birth, 12) : modulo(birth, x, 12));
}

GradeMark stageMark(GrowthStage stage) {
    static constexpr GradeMark kMarks[12] = {
        GradeMark::GoodZero, GradeMark::Neutral, GradeMark::GoodZero, GradeMark::Best,
        GradeMark::Best,     GradeMark::Neutral, GradeMark::Bad,      GradeMark::Worst,
        GradeMark::Bad,      GradeMark::Worst,   GradeMark::Neutral,  GradeMark::Neutral,
    };
    return kMarks[static_cast<int>(stage)];
}

BranchRelation branchRelation(Branch base, Branch running) {
    const int b = ordinal(base) - 1;
    const int r = ordinal(running) - 1;
    if (modulo(b, r, 12) == 6) {
        return BranchRelation::Clash;
    }
    if ((b + r) % 12 == 1) {
        return BranchRelation::SixCombination;
    }
    if (b != r && modulo(b, r, 4) == 0) {
        return BranchRelation::ThreeHarmony;
    }
    return BranchRelation::NoRelation;
}

std::string_view stemRelationLabel(StemRelation relation) {
    return text::stemRelationLabels[static_cast<int>(relation)];
}

std::string_view growthStageLabel(GrowthStage stage) {
    return text::growthStageLabels[static_cast<int>(stage)];
}

std::string_view gradeMarkText(GradeMark mark) {
    return text::gradeMarks[static_cast<int>(mark)];
}

}  // namespace quorvel
