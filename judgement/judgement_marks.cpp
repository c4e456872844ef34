#include "judgement/judgement_marks.h"

namespace quorvel {

namespace {

constexpr std::optional<GradeMark> Best = GradeMark::Best;        // ◎
constexpr std::optional<GradeMark> Zero = GradeMark::GoodZero;    // 〇
constexpr std::optional<GradeMark> Ring = GradeMark::GoodCircle;  // ○
constexpr std::optional<GradeMark> Fair = GradeMark::Neutral;     // △
constexpr std::optional<GradeMark> Bad = GradeMark::Bad;          // ▲
constexpr std::optional<GradeMark> Worst = GradeMark::Worst;      // ●
constexpr std::optional<GradeMark> None = std::nullopt;
constexpr Sex M = Sex::Male;    // the marriage line speaks to men (☆男)
constexpr Sex W = Sex::Female;  // to women (☆女)

// Rows base stem 甲-癸, columns running stem 甲-癸.
// clang-format off
constexpr HeavenMarks kHeavenMarks[10][10] = {
    {{Ring},     {Fair},     {Zero},     {Worst},    {Worst},   // 甲
     {Zero, M},  {Worst},    {Fair, W},  {Zero},     {Best}},
    {{Best},     {Bad},      {Zero},     {Bad},      {Zero, M}, // 乙
     {Zero},     {Worst, W}, {Worst},    {Fair},     {Best}},
    {{Fair},     {Zero},     {Bad},      {Fair},     {Bad},     // 丙
     {Ring},     {Bad},      {Best, M},  {None},     {Worst, W}},
    {{Best},     {Fair},     {Fair},     {Zero},     {Zero},    // 丁
     {Fair},     {Bad, M},   {Worst},    {Fair, W},  {Bad}},
    {{Worst},    {Worst, W}, {Bad},      {Zero},     {Zero},    // 戊
     {Fair},     {Worst},    {None},     {Worst},    {Worst, M}},
    {{Fair, W},  {Bad},      {Zero},     {Fair},     {Best},    // 己
     {Fair},     {Bad},      {Bad},      {Worst, M}, {Zero}},
    {{Bad},      {Bad},      {Worst},    {Zero, W},  {Best},    // 庚
     {Zero},     {Worst},    {Bad},      {Worst},    {Bad}},
    {{Bad, M},   {Worst},    {Zero, W},  {Worst},    {Zero},    // 辛
     {Worst},    {Worst},    {Bad},      {Zero},     {Fair}},
    {{Bad},      {Zero},     {None},     {Zero, M},  {Fair},    // 壬
     {Worst, W}, {Fair},     {None},     {Best},     {Bad}},
    {{Fair},     {Fair},     {Bad, M},   {None},     {Zero, W}, // 癸
     {Zero},     {Bad},      {Fair},     {Best},     {Zero}},
};
// clang-format on

// The stages whose 地運 text adds a warning (★) after its mark: 衰, 病 and 死.
constexpr bool kStageWarns[12] = {false, false, false, false, false, true,
                                  true,  true,  false, false, false, false};

bool warns(const MarkList& list) {
    for (int i = 0; i < list.count; ++i) {
        if (list.marks[i] == GradeMark::Worst ||
            (list.marks[i] == GradeMark::Warning && i + 1 < list.count &&
             list.marks[i + 1] == GradeMark::Warning)) {
            return true;
        }
    }
    return false;
}

}  // namespace

HeavenMarks heavenMarks(Stem base, Stem running) {
    return kHeavenMarks[ordinal(base) - 1][ordinal(running) - 1];
}

MarkList earthMarks(GrowthStage stage) {
    MarkList list;
    list.add(stageMark(stage));
    if (kStageWarns[static_cast<int>(stage)]) {
        list.add(GradeMark::Warning);
    }
    return list;
}

MarkList humanMarks(BranchRelation relation, PeriodFlags period) {
    MarkList list;
    switch (relation) {
        case BranchRelation::SixCombination:
            list.add(GradeMark::Best);
            break;
        case BranchRelation::ThreeHarmony:
            list.add(GradeMark::GoodCircle);
            break;
        case BranchRelation::Clash:
            // One ★★ sentence for each kind of period the flags set, as judgementParts joins them.
            for (const std::int32_t flag : {period.luckPeriod, period.calendarPeriod}) {
                if (flag == 1) {
                    list.add(GradeMark::Warning);
                    list.add(GradeMark::Warning);
                }
            }
            break;
        case BranchRelation::NoRelation:
            break;
    }
    return list;
}

PeriodMarks judgementMarks(CycleIndex base, CycleIndex running, PeriodFlags period, Sex sex) {
    PeriodMarks marks;
    if (!isCycleIndex(base) || !isCycleIndex(running)) {
        return marks;
    }
    const HeavenMarks heaven = heavenMarks(stemOf(base), stemOf(running));
    if (heaven.marriage != Sex::Unset && heaven.marriage == sex) {
        marks.heaven.add(GradeMark::Marriage);
    }
    if (heaven.summary) {
        marks.heaven.add(*heaven.summary);
    }
    marks.earth = earthMarks(growthStage(stemOf(base), branchOf(running)));
    marks.human = humanMarks(branchRelation(branchOf(base), branchOf(running)), period);
    return marks;
}

bool isWarning(const PeriodMarks& marks) {
    return warns(marks.heaven) || warns(marks.earth) || warns(marks.human);
}

std::string periodMarksText(const PeriodMarks& m) {
    std::string out;
    for (const MarkList* list : {&m.heaven, &m.earth, &m.human}) {
        out += out.empty() ? "" : "/";
        if (list->count == 0) {
            out += '-';
        }
        for (int i = 0; i < list->count; ++i) {
            out += gradeMarkText(list->marks[i]);
        }
    }
    return out;
}

}  // namespace quorvel
