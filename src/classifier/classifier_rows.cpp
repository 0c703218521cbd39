#include "classifier/classifier_rows.h"

#include <QFile>

namespace {

// A note's escapes: "\n" is a line break of the note (CR LF in the table),
// "\\" a backslash.
QString Unescape(QStringView field)
{
    qsizetype escape = field.indexOf(u'\\');
    if (escape < 0)
        return field.toString();
    QString out;
    out.reserve(field.size() + field.size() / 16);
    qsizetype from = 0;
    for (; escape >= 0 && escape + 1 < field.size(); escape = field.indexOf(u'\\', from)) {
        const QChar next = field[escape + 1];
        if (next != u'n' && next != u'\\') { // not an escape: the backslash stays
            out += field.mid(from, escape + 1 - from);
            from = escape + 1;
            continue;
        }
        out += field.mid(from, escape - from);
        out += next == u'n' ? QStringView(u"\r\n") : QStringView(u"\\");
        from = escape + 2;
    }
    out += field.mid(from);
    return out;
}

ClassifierRows Load(ClassifierKind kind)
{
    const ClassifierInfo& info = InfoOf(kind);
    QFile file(Utf8(info.dataFile));
    file.open(QIODevice::ReadOnly);
    return ClassifierRows::FromTsv(QString::fromUtf8(file.readAll())).withColumns(Utf8(info.columns).split(u' '));
}

} // namespace

ClassifierRows ClassifierRows::FromTsv(QStringView text)
{
    ClassifierRows rows;
    bool header = true;
    for (QStringView line : text.tokenize(u'\n', Qt::SkipEmptyParts)) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (header) {
            for (QStringView name : line.tokenize(u'\t'))
                rows.names_.append(name.toString());
            rows.columns_.resize(rows.names_.size());
            header = false;
            continue;
        }
        qsizetype column = 0;
        for (QStringView field : line.tokenize(u'\t')) {
            if (column == rows.columns_.size())
                break; // a stray field past the last column
            rows.columns_[column++].append(Unescape(field));
        }
        for (; column < rows.columns_.size(); ++column)
            rows.columns_[column].append(QString()); // an absent value
        ++rows.rowCount_;
    }
    return rows;
}

ClassifierRows ClassifierRows::withColumns(const QStringList& names) const
{
    ClassifierRows arranged;
    arranged.names_ = names;
    arranged.rowCount_ = rowCount_;
    for (const QString& name : names) {
        const int from = columnIndex(name);
        arranged.columns_.append(from >= 0 ? columns_[from] : QStringList(rowCount_, QString()));
    }
    return arranged;
}

int ClassifierRows::columnIndex(QStringView name) const
{
    for (int i = 0; i < names_.size(); ++i)
        if (name.compare(names_[i], Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const ClassifierRows& ClassifierRowsOf(ClassifierKind kind)
{
    // The resource object sits in a static library: naming it here keeps it linked.
    static const bool resourcesReady = [] {
        Q_INIT_RESOURCE(classifier_tables);
        return true;
    }();
    (void)resourcesReady;
    if (kind == ClassifierKind::Okved) {
        static const ClassifierRows okved = Load(ClassifierKind::Okved);
        return okved;
    }
    static const ClassifierRows kdes2 = Load(ClassifierKind::Kdes2);
    return kdes2;
}
