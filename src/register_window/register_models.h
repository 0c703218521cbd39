#pragma once
// The register's rows as Qt models: every card read (RegisterModel), the
// shown ones after filters and sorting (RegisterProxy), and small tables of
// cells for the totals row and the district view (CellTableModel).
#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <map>
#include <vector>

#include "register/register_columns.h"
#include "register/register_summary.h"

class RegisterModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const reg::RegisterRow& row(int index) const { return rows_[static_cast<std::size_t>(index)]; }
    const std::vector<reg::RegisterRow>& rows() const { return rows_; }

    void clear();
    // Adds rows; rows they repeat (and they themselves) are marked.
    void append(std::vector<reg::RegisterRow>&& rows);

    // The files the user chose to count among their repeats (kept per
    // folder): set before a reading, changed by countFile.
    void setRepeatChoice(reg::RepeatChoice chosen) { chosen_ = std::move(chosen); }
    const reg::RepeatChoice& repeatChoice() const { return chosen_; }
    // Makes the file of `index` the one of its repeats that counts; false
    // when it repeats nothing.
    bool countFile(int index);

private:
    // The rows of `row`'s INN, year and period (empty when it repeats nothing).
    const std::vector<int>* groupOf(const reg::RegisterRow& row) const;

    std::vector<reg::RegisterRow> rows_;
    reg::RepeatChoice chosen_;
    std::map<reg::RepeatKey, std::vector<int>> byKey_; // rows of each INN, year and period
};

class RegisterProxy final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit RegisterProxy(RegisterModel* source, QObject* parent = nullptr);

    void setRowFilter(const reg::RegisterFilter& filter);
    const reg::RegisterFilter& rowFilter() const { return filter_; }
    // The rows shown, in their shown order.
    std::vector<const reg::RegisterRow*> shownRows() const;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    RegisterModel* source_;
    reg::RegisterFilter filter_;
};

class CellTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    // `numbered`: rows are numbered in the vertical header (not the totals).
    CellTableModel(std::vector<std::string> headers, bool numbered, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setRows(std::vector<std::vector<reg::Cell>> rows);
    const std::vector<std::vector<reg::Cell>>& cells() const { return rows_; }

private:
    std::vector<std::string> headers_;
    std::vector<std::vector<reg::Cell>> rows_;
    bool numbered_;
};

// The headers of the register's columns, for the totals row under them.
std::vector<std::string> RegisterColumnHeaders();

// Headers, cells and numbers cross into Qt here, and paths back.
QString ToQString(const std::string& utf8);
std::string Utf8(const QString& text);
