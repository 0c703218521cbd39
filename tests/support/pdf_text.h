#pragma once
// Reading a PDF back with poppler's command-line tools (poppler-utils).
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// `text` without white space: a line wrapped on the page reads as one.
inline QString Compact(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s+"))); }

// The text of the PDF in the order it was drawn, compacted.
inline QString PdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")});
    process.waitForFinished(30000);
    return Compact(QString::fromUtf8(process.readAllStandardOutput()));
}

inline int PdfPageCount(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    process.waitForFinished(30000);
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

// The first of `expected` not found, in this order, in the compacted `text`;
// empty when all are there.
inline QString MissingInOrder(const QString& text, const QStringList& expected)
{
    qsizetype from = 0;
    for (const QString& item : expected) {
        const qsizetype at = text.indexOf(Compact(item), from);
        if (at < 0)
            return item;
        from = at + Compact(item).size();
    }
    return {};
}

// With UNRA5_KEEP_PDF set to a folder, a copy of the PDF is kept there (the
// picture of the printed card in docs/images/ is made from it).
inline void KeepForTheGuide(const QString& path)
{
    const QString folder = qEnvironmentVariable("UNRA5_KEEP_PDF");
    if (!folder.isEmpty()) {
        QFile::remove(folder + QLatin1Char('/') + path);
        QFile::copy(path, folder + QLatin1Char('/') + path);
    }
}
