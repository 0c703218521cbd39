#include "widgets/table_grid.h"

#include <QHeaderView>
#include <QTableWidget>

TableGrid::TableGrid(QTableWidget* table)
    : table_(table)
{
}

int TableGrid::rowCount() const { return table_->rowCount() + 1; }

void TableGrid::clearRow(int row)
{
    for (int column = 0; column < table_->columnCount(); ++column)
        if (QTableWidgetItem* item = table_->item(row - 1, column))
            item->setText(QString());
}

void TableGrid::setCell(int column, int row, const std::string& text)
{
    if (row < 1 || row > table_->rowCount() || column >= table_->columnCount())
        return;
    QTableWidgetItem* item = table_->item(row - 1, column);
    if (!item) {
        item = new QTableWidgetItem;
        table_->setItem(row - 1, column, item);
    }
    item->setText(QString::fromStdString(text));
}

int TableGrid::currentRow() const { return table_->currentRow() + 1; }

void TableGrid::setHeader(const QStringList& titles) { table_->setHorizontalHeaderLabels(titles); }

void SetUpStringGrid(QTableWidget* table, int dataRows, const QList<int>& widths, int rowHeight)
{
    table->setColumnCount(static_cast<int>(widths.size()));
    table->setRowCount(dataRows);
    for (int column = 0; column < widths.size(); ++column)
        table->setColumnWidth(column, widths[column]);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    // The title row is fixed: a click on it would select a column and move
    // the current row, which "Редактировать" and "Удалить" act on. Column
    // borders can still be dragged.
    table->horizontalHeader()->setSectionsClickable(false);
    for (int row = 0; row < dataRows; ++row)
        for (int column = 0; column < widths.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem);
    table->setCurrentCell(0, 0);
}
