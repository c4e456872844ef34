#include "platform/table_rows.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <optional>

#include "platform/table_order.h"

namespace quorvel::platform {

void byteOrderRanks(std::span<const std::string_view> texts, std::span<int> ranks) {
    std::vector<int> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return texts[static_cast<std::size_t>(a)] < texts[static_cast<std::size_t>(b)];
    });
    int rank = -1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const auto at = static_cast<std::size_t>(order[i]);
        if (i == 0 || texts[static_cast<std::size_t>(order[i - 1])] != texts[at]) {
            ++rank;
        }
        ranks[at] = rank;
    }
}

std::vector<std::vector<std::string>> widestCells(
    int rowCount, std::size_t columns,
    const std::function<std::size_t(int row, int column)>& length,
    const std::function<std::string(int row, int column)>& cell, std::size_t keep) {
    std::vector<std::vector<std::string>> widest(columns);
    std::vector<std::pair<std::size_t, int>> longest;  // (length, row), longest first
    for (std::size_t c = 0; c < columns; ++c) {
        longest.clear();
        const int column = static_cast<int>(c);
        for (int row = 0; row < rowCount; ++row) {
            const std::size_t size = length(row, column);
            if (longest.size() == keep && (keep == 0 || size <= longest.back().first)) {
                continue;
            }
            const auto at = std::find_if(longest.begin(), longest.end(),
                                         [size](const auto& kept) { return kept.first < size; });
            longest.insert(at, {size, row});
            if (longest.size() > keep) {
                longest.pop_back();
            }
        }
        for (const auto& [size, row] : longest) {
            widest[c].push_back(cell(row, column));
        }
    }
    return widest;
}

void TableRows::setColumns(std::size_t count) {
    columns_ = count;
    clear();
}

void TableRows::clear() {
    added_.clear();
    source_ = {};
    sourced_ = false;
    unsort();
}

void TableRows::addRow(std::span<const std::string_view> cells) {
    if (sourced_) {
        clear();  // handed-over rows replace the handler's
    }
    std::vector<std::string>& row = added_.emplace_back();
    for (std::size_t c = 0; c < columns_; ++c) {
        row.emplace_back(c < cells.size() ? cells[c] : std::string_view());
    }
    if (!order_.empty()) {
        const int added = static_cast<int>(added_.size()) - 1;
        place_.push_back(static_cast<int>(order_.size()));
        order_.push_back(added);
    }
}

void TableRows::setSource(TableSource source) {
    clear();
    source.rowCount = std::max(source.rowCount, 0);
    source_ = std::move(source);
    sourced_ = static_cast<bool>(source_.cell);
}

int TableRows::rowCount() const {
    return sourced_ ? source_.rowCount : static_cast<int>(added_.size());
}

std::string TableRows::handlerCell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 ||
        static_cast<std::size_t>(column) >= columns_) {
        return {};
    }
    if (sourced_) {
        return source_.cell(row, column);
    }
    return added_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

std::string TableRows::shownCell(int shownRow, int column) const {
    return handlerCell(handlerRow(shownRow), column);
}

int TableRows::handlerRow(int shownRow) const {
    if (shownRow < 0 || shownRow >= rowCount()) {
        return -1;
    }
    return order_.empty() ? shownRow : order_[static_cast<std::size_t>(shownRow)];
}

int TableRows::shownRow(int handlerRow) const {
    if (handlerRow < 0 || handlerRow >= rowCount()) {
        return -1;
    }
    return place_.empty() ? handlerRow : place_[static_cast<std::size_t>(handlerRow)];
}

void TableRows::unsort() {
    order_.clear();
    place_.clear();
}

namespace {

// Where a cell stands in a sort: its class (empty, numbers, text), then its numbers or the rank
// of its text.
struct SortKey {
    int kind = 0;
    NumberGroups numbers;
    int textRank = 0;
};

int compareKeys(const SortKey& a, const SortKey& b) {
    if (a.kind != b.kind) {
        return a.kind - b.kind;
    }
    if (a.kind == 1) {
        return compareNumberGroups(a.numbers, b.numbers);
    }
    return a.textRank - b.textRank;
}

}  // namespace

void TableRows::sort(int column, bool descending, const TextRanking& ranking) {
    const int count = rowCount();
    if (column < 0 || static_cast<std::size_t>(column) >= columns_) {
        return;
    }
    std::vector<std::string> cells(static_cast<std::size_t>(count));
    std::vector<SortKey> keys(cells.size());
    std::vector<std::string_view> texts;
    std::vector<int> textRow;
    for (int row = 0; row < count; ++row) {
        const auto r = static_cast<std::size_t>(row);
        cells[r] = handlerCell(row, column);
        if (cells[r].empty()) {
            continue;
        }
        if (const std::optional<NumberGroups> numbers = numberGroups(std::string_view(cells[r]))) {
            keys[r].kind = 1;
            keys[r].numbers = *numbers;
        } else {
            keys[r].kind = 2;
            texts.push_back(cells[r]);
            textRow.push_back(row);
        }
    }
    if (!texts.empty()) {
        // Each distinct text is ranked once: a column of a few texts (男, 女) costs little.
        std::vector<std::string_view> distinct(texts);
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        std::vector<int> ranks(distinct.size());
        (ranking ? ranking : TextRanking(byteOrderRanks))(distinct, ranks);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const auto at = std::lower_bound(distinct.begin(), distinct.end(), texts[i]);
            keys[static_cast<std::size_t>(textRow[i])].textRank =
                ranks[static_cast<std::size_t>(at - distinct.begin())];
        }
    }
    // The rows as they stand now, so that a second sort keeps equal cells where the first put
    // them, as the widgets' stable sorts did.
    std::vector<int> order(cells.size());
    for (int shown = 0; shown < count; ++shown) {
        order[static_cast<std::size_t>(shown)] = handlerRow(shown);
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const SortKey& x = keys[static_cast<std::size_t>(a)];
        const SortKey& y = keys[static_cast<std::size_t>(b)];
        return descending ? compareKeys(y, x) < 0 : compareKeys(x, y) < 0;
    });
    order_ = std::move(order);
    place_.assign(order_.size(), 0);
    for (std::size_t shown = 0; shown < order_.size(); ++shown) {
        place_[static_cast<std::size_t>(order_[shown])] = static_cast<int>(shown);
    }
}

}  // namespace quorvel::platform
