#include "report/yearly_review.h"

#include <algorithm>

namespace quorvel {

namespace {

int rank(const ReviewRow& row) {
    if (row.state != ReviewState::Judged) {
        return 2;
    }
    return row.warned ? 0 : 1;
}

}  // namespace

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
