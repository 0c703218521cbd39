#pragma once
// One picker's view of a classifier table: whether it is open and which row
// is current, over the shared read-only rows. As an item model it is also the
// data link the grid, the note memo and the record navigator follow.
#include <QAbstractTableModel>
#include <QString>
#include <QStringView>

class ClassifierRows;

class ClassifierTable : public QAbstractTableModel {
    Q_OBJECT
public:
    // The table starts open, its first row current.
    explicit ClassifierTable(const ClassifierRows& rows, QObject* parent = nullptr);

    // Opening a closed table makes its first row current; an open table keeps
    // its current row. Closing keeps the rows; a closed table shows none.
    void open();
    void close();
    bool isOpen() const { return open_; }

    // The current row, or -1 while the table is closed.
    int currentRow() const { return open_ ? current_ : -1; }
    int size() const;
    void first();
    void prior();
    void next();
    void last();
    void moveTo(int row);

    // Makes the first row in table order whose `column` equals `text` exactly
    // (whole value, case-sensitive) current. A miss moves nothing.
    bool locate(QStringView column, const QString& text);
    // A value of the current row; the column name is matched regardless of
    // case. Empty when the table is closed or has no such column.
    QString value(QStringView column) const;
    // The model column of that name regardless of case, or -1.
    int columnIndex(QStringView column) const;
    // A heading row is one whose code equals its heading code.
    bool isHeadingRow(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void currentRowChanged(int row);
    void openChanged(bool open);

private:
    const ClassifierRows& rows_;
    int codeColumn_;
    int headingColumn_;
    int nameColumn_;
    bool open_ = true;
    int current_ = 0;
};
