#include "register_window/indicators_view.h"

#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "register_report/indicator_chart.h"
#include "register_window/register_models.h"
#include "register_window/row_tables.h"
#include "widgets/named.h"

namespace {

// Each figure takes three columns after the district: the chosen period,
// the year before, the change.
enum Side { kCurrent, kPrevious, kChange, kSides };

const reg::IndicatorDefinition& DefinitionOf(int column)
{
    return reg::IndicatorDefinitions()[static_cast<std::size_t>((column - 1) / kSides)];
}

Side SideOf(int column) { return static_cast<Side>((column - 1) % kSides); }

} // namespace

int IndicatorsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(sheet_.rows.size());
}

int IndicatorsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(sheet_.headers.size());
}

QVariant IndicatorsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !table_ || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::FontRole && index.row() >= rowCount() - sheet_.totalsRows) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    const reg::Cell& cell = sheet_.rows[row][column];
    if (column == 0)
        return role == Qt::DisplayRole ? ToQString(cell.text) : QVariant();
    const reg::IndicatorRow& sums = table_->rows[row];
    const reg::IndicatorDefinition& definition = DefinitionOf(index.column());
    const Side side = SideOf(index.column());
    switch (role) {
    case Qt::DisplayRole: return ToQString(reg::IndicatorText(cell.number, sheet_.decimals[column]));
    case Qt::TextAlignmentRole: return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ToolTipRole:
        if (side == kChange)
            return ToQString(sheet_.headers[column]) + QStringLiteral(": ")
                + ToQString(reg::YearPeriodText(table_->current)) + QStringLiteral(" минус ")
                + ToQString(reg::YearPeriodText(table_->previous));
        return ToQString(reg::IndicatorToolTip(definition, side == kCurrent ? sums.current : sums.previous));
    default: return {};
    }
}

QVariant IndicatorsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QAbstractTableModel::headerData(section, orientation, role);
    // A header may still ask for a section of the table before a reset.
    if (section < 0 || section >= columnCount())
        return {};
    if (role == Qt::ToolTipRole && section > 0) {
        const reg::IndicatorDefinition& definition = DefinitionOf(section);
        return QString::fromUtf8(definition.header) + QStringLiteral(" = ") + QString::fromUtf8(definition.how);
    }
    return ToQString(sheet_.headers[static_cast<std::size_t>(section)]);
}

void IndicatorsModel::setTable(std::optional<reg::IndicatorTable> table)
{
    reg::ExportTable sheet = table ? reg::IndicatorsTable(*table) : reg::ExportTable{};
    const bool sameShape = sheet.rows.size() == sheet_.rows.size() && sheet.headers.size() == sheet_.headers.size();
    if (!sameShape)
        beginResetModel();
    table_ = std::move(table);
    sheet_ = std::move(sheet);
    if (!sameShape) {
        endResetModel();
    } else if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    }
}

IndicatorsView::IndicatorsView(QWidget* parent)
    : QWidget(parent)
    , model_(new IndicatorsModel(this))
{
    auto* layout = new QVBoxLayout(this);
    title_ = Named<QLabel>("LblIndicators", this);
    table_ = SetUpRowTable(Named<QTableView>("TblIndicators", this));
    table_->setModel(model_);
    table_->verticalHeader()->hide();
    FreezeFirstColumn(table_);
    // The widths follow the sheet's when its columns first come.
    connect(model_, &QAbstractItemModel::modelReset, table_, [this] {
        if (model_->columnCount() == 0)
            return;
        SetColumnWidths(table_, model_->sheet().widths);
        table_->setColumnWidth(0, DistrictColumnWidth(table_));
    });
    layout->addWidget(title_);
    // The chart of the frequency rate by district: the report draws the same.
    chart_ = new IndicatorChart(this);
    chart_->setObjectName(QStringLiteral("ChartIndicators"));
    auto* split = Named<QSplitter>("SplitIndicators", this);
    // Beside the table: the chart is as tall as its districts, and the table
    // keeps every one of its rows in sight.
    split->addWidget(table_);
    split->addWidget(chart_);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 1);
    split->setSizes({2 * fontMetrics().averageCharWidth() * 60, fontMetrics().averageCharWidth() * 60});
    layout->addWidget(split, 1);
}

void IndicatorsView::show(const std::vector<const reg::RegisterRow*>& rows, std::optional<int> district,
                          std::optional<reg::YearPeriod> period)
{
    if (!period) {
        title_->setText(QStringLiteral("Показатели: ") + QString::fromUtf8(reg::kChooseYearAndPeriod));
        model_->setTable(std::nullopt);
        chart_->setVisible(false);
        return;
    }
    // The year before lies outside the window's year filter: of the filters
    // only the district applies here.
    reg::RegisterFilter inDistrict;
    inDistrict.district = district;
    std::vector<const reg::RegisterRow*> chosen;
    for (const reg::RegisterRow* row : rows)
        if (reg::Matches(*row, inDistrict))
            chosen.push_back(row);
    reg::IndicatorTable table = reg::ComputeIndicators(chosen, *period);
    title_->setText(QStringLiteral("Показатели: ") + ToQString(reg::YearPeriodText(table.current))
                    + QStringLiteral(", рядом ") + ToQString(reg::YearPeriodText(table.previous)));
    chart_->setTable(table);
    chart_->setVisible(true);
    model_->setTable(std::move(table));
}
