#pragma once
// The marks a judgement shows, kept as tables beside its texts: per pair of stems the 天運
// summary's mark and the sex its marriage line (☆) speaks to, per stage the 地運 marks, per branch
// relation the 人運 marks. Whoever shows a period's marks takes them from here, never from the
// composed text; a test holds every entry to the stored texts.
#include <optional>
#include <string>

#include "calendar/sex.h"
#include "judgement/judgement.h"
#include "judgement/relations.h"

namespace quorvel {

// The grade marks of one part, in the order its text shows them.
struct MarkList {
    static constexpr int kCapacity = 8;
    GradeMark marks[kCapacity] = {};
    int count = 0;

    // Marks past the capacity are dropped; no part carries more than four.
    void add(GradeMark mark) {
        if (count < kCapacity) {
            marks[count++] = mark;
        }
    }
};

// The marks of the three parts of one judgement.
struct PeriodMarks {
    MarkList heaven;  // 天運
    MarkList earth;   // 地運
    MarkList human;   // 人運
};

struct HeavenMarks {
    std::optional<GradeMark> summary;  // a few summaries carry no mark
    Sex marriage = Sex::Unset;         // whom its ☆ line speaks to; Unset: it has none
};

HeavenMarks heavenMarks(Stem base, Stem running);
// The stage's mark, then ★ where its text warns.
MarkList earthMarks(GrowthStage stage);
// ◎ for the six-combination, ○ for the three-harmony, ★★ for each clash sentence the period
// takes.
MarkList humanMarks(BranchRelation relation, PeriodFlags period);

// The marks of the judgement of `running` against `base` for a person of `sex`: the ☆ only where
// the marriage line speaks to that sex (to nobody for Unset). Nothing for a pillar out of range.
PeriodMarks judgementMarks(CycleIndex base, CycleIndex running, PeriodFlags period, Sex sex);

// True when a judgement's marks hold a ● or two ★ in a row: a period that threatens the person,
// as the 年運一覧 and 相性 warn of it.
bool isWarning(const PeriodMarks& marks);

// Shift-JIS: a period's marks as the tables print them, 天運/地運/人運, "-" for a part without.
std::string periodMarksText(const PeriodMarks& marks);

}  // namespace quorvel
