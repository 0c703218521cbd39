#pragma once
// Reading a PDF back with poppler's command-line tools (poppler-utils).
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QThread>

// The standard output of one of poppler's tools run on `arguments`.
// Built for Windows, the tests run under Wine, which starts the Debian
// machine's own tools (there are no Windows ones) through the Unix shell.
// Wine neither connects a Unix program's output to a Windows pipe nor lets
// a Windows program wait for its end, so the shell leaves the output in the
// current folder under its final name once the tool is done.
inline QString PopplerOutput(const char* tool, const QStringList& arguments)
{
#ifdef _WIN32
    // A Unix tool cannot open a Windows path such as C:/users/…/Temp: a file
    // named by one is handed over as a copy in the current folder, which the
    // shell starts in too.
    QStringList unixArguments;
    QStringList copies;
    for (const QString& argument : arguments) {
        if (QDir::isAbsolutePath(argument) && QFile::exists(argument)) {
            const QString copy = QStringLiteral("poppler-input-%1.pdf").arg(copies.size());
            QFile::remove(copy);
            QFile::copy(argument, copy);
            copies << copy;
            unixArguments << copy;
        } else {
            unixArguments << argument;
        }
    }
    const QString output = QStringLiteral("poppler-output.txt");
    QProcess::startDetached(QStringLiteral("Z:/bin/sh"),
                            QStringList{QStringLiteral("-c"),
                                        QStringLiteral("\"$0\" \"$@\" >%1.part; mv %1.part %1").arg(output),
                                        QStringLiteral("/usr/bin/") + QLatin1String(tool)}
                                + unixArguments);
    QFile file(output);
    for (QDeadlineTimer deadline(30000); !file.exists() && !deadline.hasExpired();)
        QThread::msleep(20);
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.remove();
    for (const QString& copy : copies)
        QFile::remove(copy);
    return QString::fromUtf8(text);
#else
    QProcess process;
    process.start(QLatin1String(tool), arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
#endif
}

// `text` without white space: a line wrapped on the page reads as one.
inline QString Compact(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s+"))); }

// The text of the PDF in the order it was drawn, compacted.
inline QString PdfText(const QString& path)
{
    return Compact(PopplerOutput("pdftotext", {QStringLiteral("-raw"), path, QStringLiteral("-")}));
}

inline int PdfPageCount(const QString& path)
{
    const QString info = PopplerOutput("pdfinfo", {path});
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
