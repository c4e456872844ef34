#pragma once
// What a table holds, the same in every backend: rows handed over as text (addTableRow) or rows
// the handler keeps and gives cell by cell (setTableSource), and the order a heading click put
// them in. The backend asks only for the cells it shows; the handler's row numbers stay those it
// gave, however the rows are sorted.
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui.h"

namespace quorvel::platform {

// Ranks texts in the system's order of texts: on return ranks[i] is the place of texts[i], equal
// texts sharing one. Each backend gives its own; byteOrderRanks orders by the bytes.
using TextRanking =
    std::function<void(std::span<const std::string_view> texts, std::span<int> ranks)>;
void byteOrderRanks(std::span<const std::string_view> texts, std::span<int> ranks);

// TableSource::widest without formatting every cell: for each of `columns` columns the cells of
// the `keep` rows whose `length` (a cheap measure of a cell, its bytes say) is greatest.
std::vector<std::vector<std::string>> widestCells(
    int rowCount, std::size_t columns,
    const std::function<std::size_t(int row, int column)>& length,
    const std::function<std::string(int row, int column)>& cell, std::size_t keep = 4);

class TableRows {
  public:
    // Empties the table and gives it `count` columns.
    void setColumns(std::size_t count);
    void clear();
    // Added rows are shown last until the next sort; missing cells stay empty, extra ones dropped.
    void addRow(std::span<const std::string_view> cells);
    // Replaces the rows by the handler's, unsorted.
    void setSource(TableSource source);

    std::size_t columnCount() const { return columns_; }
    int rowCount() const;
    // The Shift-JIS text of the cell at a row as shown (after any sort); empty out of range.
    std::string shownCell(int shownRow, int column) const;
    // The handler's number of the row shown at `shownRow`, and back; -1 out of range.
    int handlerRow(int shownRow) const;
    int shownRow(int handlerRow) const;

    // Sorts by a column: empty cells first, then cells of numbers (table_order.h) by their
    // numbers, then other texts as `ranking` orders them; descending turns that round. Equal
    // cells keep the order they stood in. Out of range: nothing changes.
    void sort(int column, bool descending, const TextRanking& ranking);

  private:
    std::string handlerCell(int row, int column) const;
    void unsort();

    std::size_t columns_ = 0;
    std::vector<std::vector<std::string>> added_;
    TableSource source_;
    bool sourced_ = false;
    std::vector<int> order_;  // handler row of each shown row; empty when unsorted
    std::vector<int> place_;  // shown row of each handler row; empty when unsorted
};

}  // namespace quorvel::platform
