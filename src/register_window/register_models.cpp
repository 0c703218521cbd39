#include "register_window/register_models.h"

#include <QBrush>
#include <QColor>

namespace {

const QColor kRed(255, 0, 0);

QVariant CellData(const reg::Cell& cell, int role)
{
    switch (role) {
    case Qt::DisplayRole: return ToQString(reg::ShownText(cell));
    case Qt::TextAlignmentRole:
        return cell.number ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default: return {};
    }
}

} // namespace

QString ToQString(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

int RegisterModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RegisterModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(reg::RegisterColumns().size());
}

QVariant RegisterModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const reg::RegisterRow& r = row(index.row());
    const int column = index.column();
    if (role == Qt::ForegroundRole) {
        const bool marked = (column == reg::kColumnInn && r.read() && !r.innValid)
            || (column == reg::StateColumn() && r.state != reg::CardState::Ok);
        return marked ? QVariant(QBrush(kRed)) : QVariant();
    }
    if (role == Qt::ToolTipRole && column == reg::StateColumn())
        return ToQString(r.stateText);
    return CellData(reg::RegisterColumns()[static_cast<std::size_t>(column)].cell(r), role);
}

QVariant RegisterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QAbstractTableModel::headerData(section, orientation, role);
    return ToQString(reg::RegisterColumns()[static_cast<std::size_t>(section)].header);
}

void RegisterModel::clear()
{
    beginResetModel();
    rows_.clear();
    byKey_.clear();
    endResetModel();
}

void RegisterModel::append(std::vector<reg::RegisterRow>&& rows)
{
    if (rows.empty())
        return;
    const int first = static_cast<int>(rows_.size());
    std::vector<std::vector<int>*> touched;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (const auto key = reg::RepeatKeyOf(rows[i])) {
            std::vector<int>& same = byKey_[*key];
            same.push_back(first + static_cast<int>(i));
            if (same.size() > 1)
                touched.push_back(&same);
        }
    }
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    for (reg::RegisterRow& r : rows)
        rows_.push_back(std::move(r));
    int low = -1, high = -1; // earlier rows that now repeat a new one
    for (const std::vector<int>* same : touched) {
        std::vector<reg::RegisterRow*> group;
        for (int index : *same)
            group.push_back(&rows_[static_cast<std::size_t>(index)]);
        reg::MarkRepeatGroup(group);
        for (int index : *same) {
            if (index < first) {
                low = low < 0 ? index : std::min(low, index);
                high = std::max(high, index);
            }
        }
    }
    endInsertRows();
    if (low >= 0)
        emit dataChanged(index(low, 0), index(high, columnCount() - 1));
}

RegisterProxy::RegisterProxy(RegisterModel* source, QObject* parent)
    : QSortFilterProxyModel(parent)
    , source_(source)
{
    setSourceModel(source);
}

void RegisterProxy::setRowFilter(const reg::RegisterFilter& filter)
{
    filter_ = filter;
    invalidateFilter();
}

std::vector<const reg::RegisterRow*> RegisterProxy::shownRows() const
{
    std::vector<const reg::RegisterRow*> shown;
    const int n = rowCount();
    shown.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        shown.push_back(&source_->row(mapToSource(index(i, 0)).row()));
    return shown;
}

// Rows are numbered as shown, whatever order they were read in.
QVariant RegisterProxy::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return QSortFilterProxyModel::headerData(section, orientation, role);
}

bool RegisterProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    return reg::Matches(source_->row(sourceRow), filter_);
}

// Numbers by value; empty cells (files not read) last in either order;
// texts by their characters' codes, which keeps the Russian alphabet (but
// for Ё) and is cheap enough to sort rows into place while they arrive.
bool RegisterProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const auto& column = reg::RegisterColumns()[static_cast<std::size_t>(left.column())];
    const reg::Cell a = column.cell(source_->row(left.row()));
    const reg::Cell b = column.cell(source_->row(right.row()));
    if (a.number && b.number)
        return *a.number < *b.number;
    if (a.number.has_value() != b.number.has_value())
        return sortOrder() == Qt::AscendingOrder ? a.number.has_value() : !a.number.has_value();
    return a.text < b.text;
}

CellTableModel::CellTableModel(std::vector<std::string> headers, bool numbered, QObject* parent)
    : QAbstractTableModel(parent)
    , headers_(std::move(headers))
    , numbered_(numbered)
{
}

int CellTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CellTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant CellTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const auto& row = rows_[static_cast<std::size_t>(index.row())];
    if (static_cast<std::size_t>(index.column()) >= row.size())
        return {};
    return CellData(row[static_cast<std::size_t>(index.column())], role);
}

QVariant CellTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return numbered_ ? QVariant(section + 1) : QVariant(QString());
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QAbstractTableModel::headerData(section, orientation, role);
    return ToQString(headers_[static_cast<std::size_t>(section)]);
}

void CellTableModel::setRows(std::vector<std::vector<reg::Cell>> rows)
{
    if (rows.size() == rows_.size()) {
        rows_ = std::move(rows);
        if (!rows_.empty())
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}
