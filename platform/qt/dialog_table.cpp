#include "platform/qt/dialog_table.h"

#include <QCollator>
#include <QFocusEvent>
#include <QHeaderView>
#include <QItemSelectionModel>

#include <algorithm>
#include <numeric>
#include <thread>
#include <vector>

#include "platform/qt/dialog_units.h"
#include "platform/qt/text_codec.h"

namespace quorvel::platform::qt {

namespace {

// The collation keys of texts[from, to) and their order, each key made once; a collator of
// its own, as each may be used by one thread only.
struct SortedKeys {
    std::vector<QCollatorSortKey> keys;
    std::vector<int> order;  // indices into texts, in collation order
};

SortedKeys sortedKeys(std::span<const std::string_view> texts, std::size_t from, std::size_t to) {
    const QCollator collator;
    SortedKeys sorted;
    sorted.keys.reserve(to - from);
    for (std::size_t i = from; i < to; ++i) {
        const std::string_view text = texts[i];
        // Most names of a practice's list are typed in kana and kanji, but a text of ASCII needs
        // no converter.
        const bool ascii = std::all_of(text.begin(), text.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        sorted.keys.push_back(collator.sortKey(
            ascii ? QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()))
                  : fromCp932(text)));
    }
    sorted.order.resize(to - from);
    std::iota(sorted.order.begin(), sorted.order.end(), static_cast<int>(from));
    const auto keyOf = [&sorted, from](int i) -> const QCollatorSortKey& {
        return sorted.keys[static_cast<std::size_t>(i) - from];
    };
    std::sort(sorted.order.begin(), sorted.order.end(),
              [&keyOf](int a, int b) { return keyOf(a).compare(keyOf(b)) < 0; });
    return sorted;
}

// The system's order of texts, as QString::localeAwareCompare gives it. A long column (a whole
// practice's names) is keyed and sorted in two halves at once, then merged: a heading click on
// 100,000 names stays within a moment.
void collatedRanks(std::span<const std::string_view> texts, std::span<int> ranks) {
    constexpr std::size_t kWorthASecondThread = 20000;
    const std::size_t half = texts.size() >= kWorthASecondThread ? texts.size() / 2 : texts.size();
    SortedKeys second;
    std::thread helper;
    if (half < texts.size()) {
        helper = std::thread([&] { second = sortedKeys(texts, half, texts.size()); });
    }
    SortedKeys first = sortedKeys(texts, 0, half);
    if (helper.joinable()) {
        helper.join();
    }
    const auto keyOf = [&](int i) -> const QCollatorSortKey& {
        const auto at = static_cast<std::size_t>(i);
        return at < half ? first.keys[at] : second.keys[at - half];
    };
    std::vector<int> order(texts.size());
    std::merge(first.order.begin(), first.order.end(), second.order.begin(), second.order.end(),
               order.begin(), [&keyOf](int a, int b) { return keyOf(a).compare(keyOf(b)) < 0; });
    int rank = -1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i == 0 || keyOf(order[i - 1]).compare(keyOf(order[i])) != 0) {
            ++rank;
        }
        ranks[static_cast<std::size_t>(order[i])] = rank;
    }
}

}  // namespace

void TableModel::setHeadings(const QStringList& headings) {
    beginResetModel();
    headings_ = headings;
    rows_.setColumns(static_cast<std::size_t>(headings.size()));
    endResetModel();
}

void TableModel::clearRows() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void TableModel::addRow(std::span<const std::string_view> cells) {
    const int row = rows_.rowCount();
    beginInsertRows({}, row, row);
    rows_.addRow(cells);
    endInsertRows();
}

void TableModel::setSource(TableSource source) {
    beginResetModel();
    rows_.setSource(std::move(source));
    endResetModel();
}

void TableModel::sortBy(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> handlerRows;
    handlerRows.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before) {
        handlerRows.push_back(rows_.handlerRow(index.row()));
    }
    rows_.sort(column, order == Qt::DescendingOrder, collatedRanks);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        after.push_back(
            index(rows_.shownRow(handlerRows[static_cast<std::size_t>(i)]), before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TableModel::setProbe(int column, const QString& text) {
    probeColumn_ = column;
    probe_ = text;
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_.rowCount();
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    if (index.row() == 0 && index.column() == probeColumn_) {
        return probe_;
    }
    return fromCp932(rows_.shownCell(index.row(), index.column()));
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < headings_.size()) {
        return headings_[section];
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

DialogTable::DialogTable(QWidget* parent) : QTableView(parent), model_(new TableModel(this)) {
    setModel(model_);
    // No cell is ever shown cut to an ellipsis; the columns widen to their texts instead.
    setTextElideMode(Qt::ElideNone);
}

int DialogTable::selectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : model_->rows().handlerRow(selected.front().row());
}

void DialogTable::selectRow(int handlerRow) {
    const int shown = model_->rows().shownRow(handlerRow);
    if (shown < 0) {
        clearSelection();
        return;
    }
    QTableView::selectRow(shown);
    scrollTo(model_->index(shown, 0), QAbstractItemView::PositionAtCenter);
}

void DialogTable::setColumns(std::span<const TableColumn> columns, const DialogUnits& units) {
    QStringList headings;
    for (const TableColumn& column : columns) {
        headings << fromCp932(column.heading);
    }
    QHeaderView* header = horizontalHeader();
    header->setSortIndicator(-1, Qt::AscendingOrder);  // new rows, unsorted
    model_->setHeadings(headings);
    // Room for a heading's sort mark only once its column is sorted (see createTable).
    const bool sortable = header->isSortIndicatorShown();
    header->setSortIndicatorShown(false);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        setColumnWidth(c, std::max(units.x(columns[static_cast<std::size_t>(c)].width),
                                   header->sectionSizeHint(c)));
    }
    header->setSortIndicatorShown(sortable);
}

void DialogTable::widenTo(int column, int needed) {
    if (needed > columnWidth(column)) {
        setColumnWidth(column, needed);
    }
}

void DialogTable::addRow(std::span<const std::string_view> cells) {
    model_->addRow(cells);
    const int row = model_->rowCount() - 1;
    for (int c = 0; c < model_->columnCount(); ++c) {
        widenTo(c, sizeHintForIndex(model_->index(row, c)).width() + grid());
    }
}

void DialogTable::setSource(TableSource source) {
    const std::vector<std::vector<std::string>> widest = std::move(source.widest);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    model_->setSource(std::move(source));
    if (model_->rowCount() == 0) {
        return;
    }
    for (int c = 0; c < model_->columnCount() && static_cast<std::size_t>(c) < widest.size(); ++c) {
        for (const std::string& text : widest[static_cast<std::size_t>(c)]) {
            model_->setProbe(c, fromCp932(text));
            widenTo(c, sizeHintForIndex(model_->index(0, c)).width() + grid());
        }
    }
    model_->clearProbe();
}

void DialogTable::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    // Not the focus a dialog being shown hands its first control (QDialog says "Tab" then too,
    // before its window is active): a table shown for reading keeps no row it was not given.
    const bool tabbed =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (tabbed && isActiveWindow() && !selectionModel()->hasSelection() && model_->rowCount() > 0) {
        QTableView::selectRow(std::max(currentIndex().row(), 0));
    }
}

}  // namespace quorvel::platform::qt
