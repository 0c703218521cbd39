#pragma once
// The cards view: one row per file, sortable, with its totals row, and the
// row's menu that chooses which of several files of one card counts.
#include <QWidget>

#include "register_window/register_models.h"

class QTableView;
class TableWithTotals;

class CardsView final : public QWidget {
    Q_OBJECT
public:
    CardsView(RegisterProxy* proxy, CellTableModel* totals, QWidget* parent);

    QTableView* table() const;
    // The one selected row of a card that was read; null when there is none.
    const reg::RegisterRow* selectedCardRow() const;

signals:
    // The user chose the file that counts among its repeats.
    void repeatChosen();
    void printRequested();

private:
    void showRowMenu(const QPoint& at);

    RegisterProxy* proxy_;
    TableWithTotals* tables_;
};
