#pragma once
// A table control: a list view in report mode, over a model that formats a cell only when the
// view asks for it, so that a hundred thousand rows show as fast as ten.
#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>

#include <span>
#include <string_view>

#include "platform/table_rows.h"
#include "platform/ui.h"

namespace quorvel::platform::qt {

class TableModel final : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    const TableRows& rows() const { return rows_; }
    void setHeadings(const QStringList& headings);
    void clearRows();
    void addRow(std::span<const std::string_view> cells);
    void setSource(TableSource source);
    // Sorts the rows, the selection and current row following theirs.
    void sortBy(int column, Qt::SortOrder order);
    // While set, the first row's cell of `column` reads as `text`: a width measured the view's
    // own way for a text no row need hold.
    void setProbe(int column, const QString& text);
    void clearProbe() { probeColumn_ = -1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    TableRows rows_;
    QStringList headings_;
    int probeColumn_ = -1;
    QString probe_;
};

// Whole rows, one at a time, nothing typed into the cells. Reached with Tab, it chooses a row if
// none is chosen, so that Enter has one to open.
class DialogTable final : public QTableView {
  public:
    explicit DialogTable(QWidget* parent);

    TableModel& rows() { return *model_; }
    // The handler's row selected, or -1; selecting -1 or a row beyond the table clears it.
    int selectedRow() const;
    void selectRow(int handlerRow);
    // Each column as wide as its heading, its least width and every cell given so far.
    void setColumns(std::span<const TableColumn> columns, const class DialogUnits& units);
    void addRow(std::span<const std::string_view> cells);
    void setSource(TableSource source);

  protected:
    void focusInEvent(QFocusEvent* event) override;

  private:
    void widenTo(int column, int needed);
    int grid() const { return showGrid() ? 1 : 0; }

    TableModel* model_;
};

}  // namespace quorvel::platform::qt
