#include "report/yearly_review.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvel {
namespace {

// For 2026 (丙午): what each person's year shows, as the judgement texts give it.
const BirthData kBirths[] = {
    {2000, 1, 4, 12, Sex::Male},     // 0 辛酉: one ★ (地運), no ●
    {2030, 1, 1, 12, Sex::Male},     // 1 not yet born
    {2000, 1, 19, 12, Sex::Female},  // 2 丙子: ★★ (子 and 午 clash), no ●
    {2000, 1, 2, 12, Sex::Male},     // 3 己未: nothing bad
    {2000, 1, 19, 12, Sex::Unset},   // 4 no sex
    {2000, 1, 3, 12, Sex::Male},     // 5 庚申: ● (天運)
    {2000, 1, 11, 12, Sex::Male},    // 6 戊辰: ● and ★★ in the luck period only
    {1800, 1, 1, 12, Sex::Female},   // 7 beyond the calendar
};

TEST(YearlyReview, TheWarnedComeFirstThenTheJudgedThenTheRestInFileOrder) {
    const struct {
        int year;
        std::vector<std::size_t> order;
        std::vector<bool> warned;
    } cases[] = {
        {2026, {2, 5, 0, 3, 6, 1, 4, 7}, {true, true, false, false, false, false, false, false}},
        {1999, {0, 1, 2, 3, 4, 5, 6, 7}, std::vector<bool>(8, false)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        const std::vector<ReviewRow> rows = yearlyReview(kBirths, c.year);
        std::vector<std::size_t> order;
        std::vector<bool> warned;
        for (const ReviewRow& row : rows) {
            order.push_back(row.person);
            warned.push_back(row.warned);
        }
        EXPECT_EQ(order, c.order);
        EXPECT_EQ(warned, c.warned);
    }

    const std::vector<ReviewRow> rows = yearlyReview(kBirths, 2026);
    const ReviewState states[] = {
        ReviewState::Judged, ReviewState::Judged,      ReviewState::Judged,  ReviewState::Judged,
        ReviewState::Judged, ReviewState::OutsideLife, ReviewState::Refused, ReviewState::Refused};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].state, states[i]) << i;
    }
    // The row is the calendar's own: age 26, the year 丙午 (43rd), the luck period in force.
    EXPECT_EQ(rows[0].year.year, 2026);
    EXPECT_EQ(rows[0].year.age, 26);
    EXPECT_EQ(rows[0].year.pillar, 43);
    EXPECT_GE(rows[0].year.luck, 0);
}

}  // namespace
}  // namespace quorvel
