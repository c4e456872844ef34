#include "judgement/judgement_marks.h"

#include <gtest/gtest.h>

#include <string>

#include "judgement/text_tables.h"
#include "tests/support/marks_shown.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::marksShown;
using test::utf8;

std::string shown(const MarkList& list) {
    std::string out;
    for (int i = 0; i < list.count; ++i) {
        out += utf8(gradeMarkText(list.marks[i]));
    }
    return out;
}

std::string shown(const PeriodMarks& m) {
    return shown(m.heaven) + shown(m.earth) + shown(m.human);
}

std::string without(std::string text, std::string_view part) {
    for (std::size_t at; (at = text.find(part)) != std::string::npos;) {
        text.erase(at, part.size());
    }
    return text;
}

constexpr PeriodFlags kPeriods[] = {{-1, -1}, {1, 0}, {0, 1}, {1, 1}};
constexpr Sex kSexes[] = {Sex::Male, Sex::Female, Sex::Unset};

// Every table entry against the text it stands beside, then every judgement's marks against the
// composed text a reader sees, less the ☆ where its line speaks to the other sex.
TEST(JudgementMarks, EveryEntryIsWhatItsStoredTextShows) {
    for (int b = 1; b <= 10; ++b) {
        for (int r = 1; r <= 10; ++r) {
            SCOPED_TRACE(std::to_string(b) + "," + std::to_string(r));
            const HeavenMarks marks = heavenMarks(static_cast<Stem>(b), static_cast<Stem>(r));
            const std::string text = utf8(heavenText(static_cast<Stem>(b), static_cast<Stem>(r)));
            EXPECT_EQ(marksShown(text),
                      (marks.marriage == Sex::Unset ? "" : "☆") +
                          (marks.summary ? utf8(gradeMarkText(*marks.summary)) : ""));
            EXPECT_EQ(text.find("☆男性") != std::string::npos, marks.marriage == Sex::Male);
            EXPECT_EQ(text.find("☆女性") != std::string::npos, marks.marriage == Sex::Female);
        }
        for (int x = 1; x <= 12; ++x) {
            const GrowthStage stage = growthStage(static_cast<Stem>(b), static_cast<Branch>(x));
            EXPECT_EQ(marksShown(utf8(earthText(static_cast<Stem>(b), static_cast<Branch>(x)))),
                      shown(earthMarks(stage)))
                << b << "," << x;
        }
    }
    for (CycleIndex base = 1; base <= kCycleLength; ++base) {
        for (CycleIndex running = 1; running <= kCycleLength; ++running) {
            const JudgementKey key{stemNumber(base), branchNumber(base), stemNumber(running),
                                   branchNumber(running)};
            const BranchRelation relation = branchRelation(branchOf(base), branchOf(running));
            const Sex marriage = heavenMarks(stemOf(base), stemOf(running)).marriage;
            for (const PeriodFlags period : kPeriods) {
                SCOPED_TRACE(std::to_string(base) + "," + std::to_string(running) + " " +
                             std::to_string(period.luckPeriod) +
                             std::to_string(period.calendarPeriod));
                const JudgementParts parts = judgementParts(key, period);
                EXPECT_EQ(marksShown(utf8(parts.human[0]) + utf8(parts.human[1])),
                          shown(humanMarks(relation, period)));
                char composed[kJudgementBufferSize];
                composeJudgement(composed, key, period);
                const std::string everyMark = marksShown(utf8(composed));
                for (const Sex sex : kSexes) {
                    EXPECT_EQ(shown(judgementMarks(base, running, period, sex)),
                              sex == marriage ? everyMark : without(everyMark, "☆"))
                        << static_cast<int>(sex);
                }
            }
        }
    }
}

TEST(JudgementMarks, APillarOutOfRangeHasNoMarksAndAListKeepsItsCapacity) {
    for (const auto& [base, running] : {std::pair{0, 1}, {1, 61}, {-5, 3}}) {
        const PeriodMarks m = judgementMarks(base, running, {1, 1}, Sex::Male);
        EXPECT_EQ(m.heaven.count + m.earth.count + m.human.count, 0);
    }
    MarkList list;
    for (int i = 0; i < MarkList::kCapacity + 3; ++i) {
        list.add(GradeMark::Warning);
    }
    EXPECT_EQ(list.count, MarkList::kCapacity);
}

}  // namespace
}  // namespace quorvel
