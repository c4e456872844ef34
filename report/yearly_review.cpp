#include "report/yearly_review.h"

#include <algorithm>

namespace quorvel {

namespace {

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

int rank(const ReviewRow& row) {
    if (row.state != ReviewState::Judged) {
        return 2;
    }
    return row.warned ? 0 : 1;
}

}  // namespace

bool isWarning(const PeriodMarks& marks) {
    return warns(marks.heaven) || warns(marks.earth) || warns(marks.human);
}

std::vector<ReviewRow> yearlyReview(std::span<const BirthData> births, int year) {
    std::vector<ReviewRow> rows(births.size());
    std::vector<CalendarRow> one;
    for (std::size_t i = 0; i < births.size(); ++i) {
        ReviewRow& row = rows[i];
        row.person = i;
        const std::optional<FullChart> chart = readFullChart(births[i]);
        if (!chart) {
            continue;
        }
        if (calendarYears(*chart, year, year, one) != CalendarCheck::Ok) {
            row.state = ReviewState::OutsideLife;
            continue;
        }
        row.state = ReviewState::Judged;
        row.year = one.front();
        row.warned = isWarning(row.year.marks);
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ReviewRow& a, const ReviewRow& b) { return rank(a) < rank(b); });
    return rows;
}

}  // namespace quorvel
