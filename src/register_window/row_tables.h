#pragma once
// The register's tables of whole rows: how they look, their default widths,
// and a table with its totals row kept under its columns.
#include <QTableView>
#include <QWidget>

#include <string>
#include <vector>

class QAbstractItemModel;

// A table of whole rows that are read, never edited.
QTableView* SetUpRowTable(QTableView* table);

// Widths in characters (the core's column table), widened where a header
// would not fit whole in its three wrapped lines.
void SetColumnWidths(QTableView* table, const std::vector<int>& characters);

// The width of a column that shows every district's name whole.
int DistrictColumnWidth(const QTableView* table);

// Keeps the first column of `table` in place while the others scroll.
void FreezeFirstColumn(QTableView* table);

// A table and, under it, a one-row table of its totals whose cells stay
// under the table's cells however the table is scrolled or its columns
// resized. With `frozenColumns` the first column stays in place while the
// others scroll (the district view's names).
class TableWithTotals final : public QWidget {
    Q_OBJECT
public:
    TableWithTotals(const char* tableName, const char* totalsName, QAbstractItemModel* model,
                    QAbstractItemModel* totals, bool frozenColumn, QWidget* parent);

    QTableView* table() const { return table_; }
    QTableView* totals() const { return totals_; }
    void setColumnWidths(const std::vector<int>& characters);

private:
    QTableView* table_;
    QTableView* totals_;
};
