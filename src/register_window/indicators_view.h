#pragma once
// The tab «Показатели»: the annual report's figures per district and in all
// for the chosen year and period, beside the same period of the year before,
// and the change. Figures, texts and tooltips are the core's.
#include <QAbstractTableModel>
#include <QWidget>

#include "register/register_indicators.h"
#include "register/register_table.h"

class IndicatorChart;
class QLabel;
class QTableView;

class IndicatorsModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // nullopt: no year and period chosen, the table is empty.
    void setTable(std::optional<reg::IndicatorTable> table);
    const std::optional<reg::IndicatorTable>& table() const { return table_; }
    const reg::ExportTable& sheet() const { return sheet_; }

private:
    std::optional<reg::IndicatorTable> table_;
    reg::ExportTable sheet_; // the same figures as the workbook's sheet: headers, values, places
};

class IndicatorsView final : public QWidget {
    Q_OBJECT
public:
    explicit IndicatorsView(QWidget* parent);

    IndicatorsModel* model() const { return model_; }
    // The figures of the counted cards among `rows` (of `district` when
    // given) for `period` and the year before; without a period the tab asks
    // for one.
    void show(const std::vector<const reg::RegisterRow*>& rows, std::optional<int> district,
              std::optional<reg::YearPeriod> period);

private:
    IndicatorsModel* model_;
    QLabel* title_;
    QTableView* table_;
    IndicatorChart* chart_;
};
