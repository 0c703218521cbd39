#include "register_window/indicators_view.h"

#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "register_window/register_models.h"
#include "register_window/row_tables.h"
#include "widgets/named.h"

namespace {

// Each figure takes three columns: the chosen period, the year before, the
// change.
enum Side { kCurrent, kPrevious, kChange, kSides };

const reg::IndicatorDefinition& DefinitionOf(int column)
{
    return reg::IndicatorDefinitions()[static_cast<std::size_t>((column - 1) / kSides)];
}

Side SideOf(int column) { return static_cast<Side>((column - 1) % kSides); }

QString NameOf(const reg::IndicatorDefinition& definition)
{
    return QString::fromUtf8(*definition.sign ? definition.sign : definition.header);
}

} // namespace

int IndicatorsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !table_ ? 0 : static_cast<int>(table_->rows.size());
}

int IndicatorsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1 + kSides * static_cast<int>(reg::IndicatorDefinitions().size());
}

QVariant IndicatorsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !table_)
        return {};
    const reg::IndicatorRow& row = table_->rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::FontRole && index.row() == rowCount() - 1) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (index.column() == 0)
        return role == Qt::DisplayRole ? ToQString(row.district) : QVariant();
    const reg::IndicatorDefinition& definition = DefinitionOf(index.column());
    const Side side = SideOf(index.column());
    switch (role) {
    case Qt::DisplayRole:
        if (side == kChange)
            return ToQString(
                reg::IndicatorText(reg::IndicatorChange(definition, row.current, row.previous), definition.decimals));
        return ToQString(
            reg::IndicatorText(definition.value(side == kCurrent ? row.current : row.previous), definition.decimals));
    case Qt::TextAlignmentRole: return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ToolTipRole:
        if (side == kChange)
            return NameOf(definition) + QStringLiteral(": ") + ToQString(reg::YearPeriodText(table_->current))
                + QStringLiteral(" минус ") + ToQString(reg::YearPeriodText(table_->previous));
        return ToQString(reg::IndicatorToolTip(definition, side == kCurrent ? row.current : row.previous));
    default: return {};
    }
}

QVariant IndicatorsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == 0)
        return QStringLiteral("Район");
    const reg::IndicatorDefinition& definition = DefinitionOf(section);
    const Side side = SideOf(section);
    if (role == Qt::ToolTipRole)
        return QString::fromUtf8(definition.header) + QStringLiteral(" = ") + QString::fromUtf8(definition.how);
    if (side == kChange)
        return NameOf(definition) + QStringLiteral(", изменение");
    if (!table_)
        return NameOf(definition);
    return NameOf(definition) + QLatin1Char(' ')
        + QString::number(side == kCurrent ? table_->current.year : table_->previous.year);
}

void IndicatorsModel::setTable(std::optional<reg::IndicatorTable> table)
{
    const bool sameRows = table && table_ && table->rows.size() == table_->rows.size();
    if (!sameRows)
        beginResetModel();
    table_ = std::move(table);
    if (sameRows) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    } else {
        endResetModel();
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
    std::vector<int> widths(static_cast<std::size_t>(model_->columnCount()), 9);
    SetColumnWidths(table_, widths);
    table_->setColumnWidth(0, DistrictColumnWidth(table_));
    table_->verticalHeader()->hide();
    FreezeFirstColumn(table_);
    layout->addWidget(title_);
    layout->addWidget(table_, 1);
    // The chart of the frequency rate by district comes from the report's
    // layer and stands here, under the table.
}

void IndicatorsView::show(const std::vector<const reg::RegisterRow*>& rows, std::optional<int> district,
                          std::optional<reg::YearPeriod> period)
{
    if (!period) {
        title_->setText(QStringLiteral("Показатели: ") + QString::fromUtf8(reg::kChooseYearAndPeriod));
        model_->setTable(std::nullopt);
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
    model_->setTable(std::move(table));
}
