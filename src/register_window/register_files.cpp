#include "register_window/register_files.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>

#include "print/card_preview.h"
#include "register/register_export.h"
#include "register/register_reprint.h"
#include "register/register_submissions.h"
#include "register_report/register_report.h"
#include "register_window/register_models.h"
#include "register_window/register_settings.h"
#include "register_window/register_window.h"
#include "widgets/messages_qt.h"

QString ChooseExportFile(QWidget* parent, const QString& cardsFolder)
{
    QString filter;
    const QString remembered = RememberedExportFolder();
    const QString folder = !remembered.isEmpty() && QDir(remembered).exists() ? remembered : cardsFolder;
    const QString start = folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("Сводка.xlsx"));
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Экспорт сводки"), start,
                                                QStringLiteral("Книга Excel (*.xlsx);;Текст CSV (*.csv)"), &filter);
    if (path.isEmpty())
        return path;
    RememberExportFolder(QFileInfo(path).absolutePath());
    if (reg::ExportFormatOf(Utf8(path)) == reg::ExportFormat::None)
        path += filter.contains(QStringLiteral("csv")) ? QStringLiteral(".csv") : QStringLiteral(".xlsx");
    return path;
}

void PrintCardOfRow(QWidget* parent, const reg::RegisterRow& row, const QString& cardsFolder)
{
    const QString shown = QDir::toNativeSeparators(QDir(cardsFolder).filePath(ToQString(row.file)));
    const reg::CardReadAgain again = reg::ReadCardAgain(row);
    if (!again.record) {
        // The stop icon for a file that cannot be read, none for one that
        // holds no card now.
        const std::string text = "Карточка не напечатана: " + Utf8(shown) + "\n" + again.reason;
        if (again.refusal == reg::CardReadAgain::Refusal::FileError)
            Boxes().error(text);
        else
            Boxes().info(text);
        return;
    }
    const std::string pdf = reg::PdfBesideCard(Utf8(QDir::fromNativeSeparators(shown)));
    ShowCardPreview(parent, *again.record,
                    {QString::fromUtf8(kRegisterTitle), QString::fromLatin1(UNRA5_VERSION), QDate::currentDate()},
                    QDir::toNativeSeparators(ToQString(pdf)));
}

void ShowReport(QWidget* parent, const reg::ExportContent& content, reg::YearPeriod period, std::optional<int> district)
{
    ReportContents report;
    report.rows = content.all;
    report.period = period;
    report.district = district;
    report.submissions = reg::CompareSubmissions(content.all, period, content.reference);
    report.info = content.info;
    report.print = {QString::fromUtf8(kRegisterTitle), QString::fromLatin1(UNRA5_VERSION), QDate::currentDate()};
    ShowRegisterReportPreview(parent, report);
}
