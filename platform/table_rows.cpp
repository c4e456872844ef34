#include "platform/table_rows.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <optional>
#include <unordered_map>

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

// Where a cell stands in a sort: its class (empty, numbers, text), then the rank of its numbers
// or its text.
struct SortKey {
    int kind = 0;
    NumberGroups numbers;
    int textRank = 0;
};

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
        std::unordered_map<std::string_view, int> index;
        index.reserve(texts.size());
        std::vector<std::string_view> distinct;
        std::vector<int> textIndex(texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const auto [at, added] = index.try_emplace(texts[i], static_cast<int>(distinct.size()));
            if (added) {
                distinct.push_back(texts[i]);
            }
            textIndex[i] = at->second;
        }
        std::vector<int> ranks(distinct.size());
        (ranking ? ranking : TextRanking(byteOrderRanks))(distinct, ranks);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            keys[static_cast<std::size_t>(textRow[i])].textRank =
                ranks[static_cast<std::size_t>(textIndex[i])];
        }
    }
    // Numbers ranked among themselves once, so that the sort itself compares plain integers.
    std::vector<int> numbered;
    for (int row = 0; row < count; ++row) {
        if (keys[static_cast<std::size_t>(row)].kind == 1) {
            numbered.push_back(row);
        }
    }
    const auto byNumbers = [&keys](int a, int b) {
        return compareNumberGroups(keys[static_cast<std::size_t>(a)].numbers,
                                   keys[static_cast<std::size_t>(b)].numbers) < 0;
    };
    std::sort(numbered.begin(), numbered.end(), byNumbers);
    for (std::size_t i = 0, rank = 0; i < numbered.size(); ++i) {
        if (i > 0 && byNumbers(numbered[i - 1], numbered[i])) {
            ++rank;
        }
        keys[static_cast<std::size_t>(numbered[i])].textRank = static_cast<int>(rank);
    }
    // Each row's place: its class, then its rank, turned round when descending; then where it
    // stands now, so that equal cells keep the order the last sort left them in.
    std::vector<std::pair<std::uint64_t, int>> places(cells.size());
    for (int shown = 0; shown < count; ++shown) {
        const int row = handlerRow(shown);
        const SortKey& key = keys[static_cast<std::size_t>(row)];
        std::uint64_t value =
            (static_cast<std::uint64_t>(key.kind) << 32) | static_cast<std::uint32_t>(key.textRank);
        if (descending) {
            value = ~value;
        }
        places[static_cast<std::size_t>(shown)] = {value, row};
    }
    std::stable_sort(places.begin(), places.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> order(places.size());
    for (std::size_t i = 0; i < places.size(); ++i) {
        order[i] = places[i].second;
    }
    order_ = std::move(order);
    place_.assign(order_.size(), 0);
    for (std::size_t shown = 0; shown < order_.size(); ++shown) {
        place_[static_cast<std::size_t>(order_[shown])] = static_cast<int>(shown);
    }
}

}  // namespace quorvel::platform
