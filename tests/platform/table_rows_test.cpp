// The rows of a table as every backend keeps them: handed over or asked for, sorted by a heading
// click, and the handler's row numbers kept through it all.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/table_order.h"
#include "platform/table_rows.h"

namespace quorvel::platform {
namespace {

std::vector<std::string> shownColumn(const TableRows& rows, int column) {
    std::vector<std::string> cells;
    for (int r = 0; r < rows.rowCount(); ++r) {
        cells.push_back(rows.shownCell(r, column));
    }
    return cells;
}

// The rule the widgets sorted by before the rows were kept here: numbers by their numbers, other
// cells as texts, a stable sort of the rows as they stood.
std::vector<std::string> widgetOrder(std::vector<std::string> cells, bool descending) {
    const auto less = [](const std::string& a, const std::string& b) {
        const std::optional<NumberGroups> x = numberGroups(std::string_view(a));
        const std::optional<NumberGroups> y = numberGroups(std::string_view(b));
        return x && y ? compareNumberGroups(*x, *y) < 0 : a < b;
    };
    std::stable_sort(cells.begin(), cells.end(), [&](const std::string& a, const std::string& b) {
        return descending ? less(b, a) : less(a, b);
    });
    return cells;
}

TableRows sourced(const std::vector<std::string>& cells) {
    TableRows rows;
    rows.setColumns(2);
    TableSource source;
    source.rowCount = static_cast<int>(cells.size());
    source.cell = [cells](int row, int column) {
        return column == 0 ? cells[static_cast<std::size_t>(row)] : std::to_string(row);
    };
    rows.setSource(std::move(source));
    return rows;
}

TEST(TableRows, AgesDatesAndTimesSortAsTheWidgetsSortedThemBothWays) {
    const std::vector<std::vector<std::string>> columns = {
        {"45", "9", "", "100", "9", "0", "", "38"},                                  // ages
        {"1990/5/20", "1957/12/4", "1990/10/3", "1957/2/14", "1990/5", "2001/1/1"},  // dates
        {"10:30", "9:45", "23:05", "0:00", "9:45", "10:3"},                          // times
        {"1", "2", "10", "11", "20", "100", "3"},                                    // numbers
        {"b", "a", "c", "a"},                                                        // texts
    };
    for (const std::vector<std::string>& cells : columns) {
        for (const bool descending : {false, true}) {
            SCOPED_TRACE(cells.front() + (descending ? " descending" : " ascending"));
            TableRows rows = sourced(cells);
            rows.sort(0, descending, byteOrderRanks);
            EXPECT_EQ(shownColumn(rows, 0), widgetOrder(cells, descending));
            // Every row still answers to the handler's number it was given.
            for (int shown = 0; shown < rows.rowCount(); ++shown) {
                const int row = rows.handlerRow(shown);
                EXPECT_EQ(rows.shownCell(shown, 1), std::to_string(row));
                EXPECT_EQ(rows.shownRow(row), shown);
            }
        }
    }
}

TEST(TableRows, EqualCellsKeepTheOrderTheyStoodInAndTextsFollowNumbers) {
    // Names, birth years, a third column of numbers and texts; the names' bytes are UTF-8 here.
    const std::vector<std::vector<std::string>> table = {
        {"甲", "1957", ""}, {"乙", "1957", "x"}, {"丙", "1990", "5"}, {"丁", "", "7"}};
    const struct {
        std::vector<int> clicks;  // the columns sorted by in turn, each ascending
        std::vector<std::string> names;
    } cases[] = {
        {{1}, {"丁", "甲", "乙", "丙"}},     // empty first; the two of 1957 as they stood
        {{0, 1}, {"丁", "乙", "甲", "丙"}},  // by name first, which 1957 keeps: 乙 before 甲
        {{2}, {"甲", "丙", "丁", "乙"}},     // empty, then numbers, then texts
    };
    for (const auto& c : cases) {
        TableRows rows;
        rows.setColumns(3);
        for (const auto& row : table) {
            const std::string_view cells[] = {row[0], row[1], row[2]};
            rows.addRow(cells);
        }
        for (const int column : c.clicks) {
            rows.sort(column, false, byteOrderRanks);
        }
        EXPECT_EQ(shownColumn(rows, 0), c.names) << c.clicks.size();
    }
}

TEST(TableRows, RowsAddedAfterASortShowLastAndOutOfRangeAsksFindNothing) {
    TableRows rows;
    rows.setColumns(1);
    for (const std::string_view cell : {"3", "1", "2"}) {
        rows.addRow({&cell, 1});
    }
    rows.sort(0, false, byteOrderRanks);
    const std::string_view later = "0";
    rows.addRow({&later, 1});
    EXPECT_EQ(shownColumn(rows, 0), (std::vector<std::string>{"1", "2", "3", "0"}));
    EXPECT_EQ(rows.shownRow(3), 3);
    EXPECT_EQ(rows.handlerRow(0), 1);

    const struct { int shown, column; } outside[] = {{-1, 0}, {4, 0}, {0, 1}, {0, -1}};
    for (const auto& o : outside) {
        EXPECT_EQ(rows.shownCell(o.shown, o.column), "");
    }
    EXPECT_EQ(rows.handlerRow(4), -1);
    EXPECT_EQ(rows.shownRow(-1), -1);
    rows.sort(5, false, byteOrderRanks);  // no such column: nothing moves
    EXPECT_EQ(rows.handlerRow(0), 1);

    // A source replaces the rows and their order; a source without cells shows none.
    rows.setSource({});
    EXPECT_EQ(rows.rowCount(), 0);
    TableSource negative;
    negative.rowCount = -5;
    negative.cell = [](int, int) { return std::string("x"); };
    rows.setSource(std::move(negative));
    EXPECT_EQ(rows.rowCount(), 0);
}

TEST(TableRows, WidestCellsAreThoseOfTheLongestRowsOfEachColumn) {
    const std::vector<std::vector<std::string>> table = {
        {"a", "12345"}, {"abcd", "1"}, {"ab", "123"}, {"abcdef", "12"}, {"abc", "1234"}};
    const auto cell = [&table](int row, int column) {
        return table[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    };
    const auto length = [&cell](int row, int column) { return cell(row, column).size(); };
    const std::vector<std::vector<std::string>> widest = widestCells(5, 2, length, cell, 2);
    ASSERT_EQ(widest.size(), 2u);
    EXPECT_EQ(widest[0], (std::vector<std::string>{"abcdef", "abcd"}));
    EXPECT_EQ(widest[1], (std::vector<std::string>{"12345", "1234"}));
    EXPECT_EQ(widestCells(0, 2, length, cell)[0].size(), 0u);
}

}  // namespace
}  // namespace quorvel::platform
