#include "register_window/cards_view.h"

#include <QMenu>

#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "register_window/row_tables.h"

namespace {

RegisterModel* SourceOf(const RegisterProxy* proxy) { return static_cast<RegisterModel*>(proxy->sourceModel()); }

} // namespace

CardsView::CardsView(RegisterProxy* proxy, CellTableModel* totals, QWidget* parent)
    : QWidget(parent)
    , proxy_(proxy)
    , tables_(new TableWithTotals("TblCards", "TblTotals", proxy, totals, false, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tables_);
    QTableView* table = tables_->table();
    table->setSortingEnabled(true);
    table->sortByColumn(reg::kColumnFile, Qt::AscendingOrder);
    std::vector<int> widths;
    for (const auto& column : reg::RegisterColumns())
        widths.push_back(column.width);
    tables_->setColumnWidths(widths);
    table->setColumnWidth(reg::kColumnDistrict,
                          std::max(table->columnWidth(reg::kColumnDistrict), DistrictColumnWidth(table)));
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table, &QWidget::customContextMenuRequested, this, &CardsView::showRowMenu);
    connect(table, &QTableView::doubleClicked, this, &CardsView::printRequested);
}

QTableView* CardsView::table() const { return tables_->table(); }

const reg::RegisterRow* CardsView::selectedCardRow() const
{
    const QModelIndexList selected = table()->selectionModel()->selectedRows();
    if (selected.size() != 1)
        return nullptr;
    const QModelIndex source = proxy_->mapToSource(selected.constFirst());
    if (!source.isValid())
        return nullptr;
    const reg::RegisterRow& row = SourceOf(proxy_)->row(source.row());
    return row.read() ? &row : nullptr;
}

void CardsView::showRowMenu(const QPoint& at)
{
    const QModelIndex index = table()->indexAt(at);
    if (!index.isValid())
        return;
    const int source = proxy_->mapToSource(index).row();
    const reg::RegisterRow& row = SourceOf(proxy_)->row(source);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("MenuCardRow"));
    QAction* count = menu.addAction(QStringLiteral("Учитывать этот файл среди повторов"));
    count->setObjectName(QStringLiteral("ActCountFile"));
    count->setCheckable(true);
    count->setChecked(row.repeatFiles > 1 && row.counted);
    count->setEnabled(row.repeatFiles > 1 && !row.counted);
    count->setToolTip(QStringLiteral("Из файлов с тем же ИНН, годом и периодом в суммах учитывается один"));
    QAction* print = menu.addAction(QStringLiteral("Печать карточки…"));
    print->setEnabled(row.read());
    QAction* chosen = menu.exec(table()->viewport()->mapToGlobal(at));
    if (chosen == count) {
        SourceOf(proxy_)->countFile(source);
        emit repeatChosen();
    } else if (chosen == print) {
        table()->selectRow(index.row());
        emit printRequested();
    }
}
