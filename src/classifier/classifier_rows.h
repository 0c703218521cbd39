#pragma once
// The rows of one classifier table: read-only, loaded once per program run
// from the program's own resources, and shared by every picker.
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "classifier/classifier_kind.h"

class ClassifierRows {
public:
    // Reads a table written as tab-separated UTF-8 text: a header line with
    // the column names, then one row per line. In the notes a line break is
    // written "\n" and becomes CR LF; "\\" becomes a backslash.
    static ClassifierRows FromTsv(QStringView text);
    // The same rows with the named columns in that order (a column the rows
    // lack is empty throughout; others are left out).
    ClassifierRows withColumns(const QStringList& names) const;

    int rowCount() const { return rowCount_; }
    int columnCount() const { return int(names_.size()); }
    const QString& columnName(int column) const { return names_[column]; }
    // The column of that name regardless of letter case, or -1.
    int columnIndex(QStringView name) const;
    const QString& value(int row, int column) const { return columns_[column][row]; }
    // All values of one column in table order (what a locate scans).
    const QStringList& column(int column) const { return columns_[column]; }

private:
    QStringList names_;
    QList<QStringList> columns_; // column by column, for fast scans
    int rowCount_ = 0;
};

// The table of that classifier, loaded when first asked for.
const ClassifierRows& ClassifierRowsOf(ClassifierKind kind);
