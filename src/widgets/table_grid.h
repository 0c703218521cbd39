#pragma once
// A QTableWidget seen as the card core's grid: grid row 0 is the table's
// horizontal header, grid row r (r >= 1) is table row r-1.
#include <QStringList>

#include "card/grid.h"

class QTableWidget;

class TableGrid final : public card::Grid {
public:
    explicit TableGrid(QTableWidget* table);

    int rowCount() const override;
    void clearRow(int row) override;
    void setCell(int column, int row, const std::string& text) override;

    // The grid row of the current cell (1 for the first data row).
    int currentRow() const;
    void setHeader(const QStringList& titles);

private:
    QTableWidget* table_;
};

// Makes a read-only string grid: `dataRows` data rows, `widths` column widths.
void SetUpStringGrid(QTableWidget* table, int dataRows, const QList<int>& widths, int rowHeight);
