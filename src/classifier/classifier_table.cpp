#include "classifier/classifier_table.h"

#include <algorithm>

#include <QFont>

#include "classifier/classifier_rows.h"

ClassifierTable::ClassifierTable(const ClassifierRows& rows, QObject* parent)
    : QAbstractTableModel(parent)
    , rows_(rows)
    , codeColumn_(rows.columnIndex(u"OKVED"))
    , headingColumn_(rows.columnIndex(u"RAZDEL"))
    , nameColumn_(rows.columnIndex(u"NAME"))
{
}

void ClassifierTable::open()
{
    if (open_)
        return;
    beginResetModel();
    open_ = true;
    current_ = 0;
    endResetModel();
    emit openChanged(true);
    emit currentRowChanged(currentRow());
}

void ClassifierTable::close()
{
    if (!open_)
        return;
    beginResetModel();
    open_ = false;
    endResetModel();
    emit openChanged(false);
    emit currentRowChanged(-1);
}

int ClassifierTable::size() const { return rows_.rowCount(); }

void ClassifierTable::first() { moveTo(0); }
void ClassifierTable::prior() { moveTo(current_ - 1); }
void ClassifierTable::next() { moveTo(current_ + 1); }
void ClassifierTable::last() { moveTo(size() - 1); }

void ClassifierTable::moveTo(int row)
{
    if (!open_ || size() == 0)
        return;
    row = std::clamp(row, 0, size() - 1);
    if (row == current_)
        return;
    current_ = row;
    emit currentRowChanged(row);
}

bool ClassifierTable::locate(QStringView column, const QString& text)
{
    const int c = rows_.columnIndex(column);
    if (!open_ || c < 0)
        return false;
    const QStringList& values = rows_.column(c);
    for (int row = 0; row < values.size(); ++row) {
        if (values[row] == text) {
            moveTo(row);
            return true;
        }
    }
    return false;
}

QString ClassifierTable::value(QStringView column) const
{
    const int c = rows_.columnIndex(column);
    if (!open_ || c < 0 || size() == 0)
        return {};
    return rows_.value(current_, c);
}

int ClassifierTable::columnIndex(QStringView column) const { return rows_.columnIndex(column); }

bool ClassifierTable::isHeadingRow(int row) const
{
    return codeColumn_ >= 0 && headingColumn_ >= 0 && rows_.value(row, codeColumn_) == rows_.value(row, headingColumn_);
}

int ClassifierTable::rowCount(const QModelIndex& parent) const { return parent.isValid() || !open_ ? 0 : size(); }

int ClassifierTable::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_.columnCount(); }

QVariant ClassifierTable::data(const QModelIndex& index, int role) const
{
    if (!open_ || !index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole: return rows_.value(index.row(), index.column());
    case Qt::ToolTipRole: // long names are shown whole when hovered
        if (index.column() == nameColumn_)
            return rows_.value(index.row(), index.column());
        return {};
    case Qt::FontRole:
        if (isHeadingRow(index.row())) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default: return {};
    }
}

QVariant ClassifierTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return rows_.columnName(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
