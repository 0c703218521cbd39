#pragma once
// The district's annual report on labour protection: a heading that says
// what it holds, the indicators of the chosen year and period beside the
// year before with the change, the chart of the frequency rate, the lists of
// enterprises to chase and the account of the files read. Laid out on A4
// pages by the print layer (a table row is never split, a heading stays with
// its table, every page numbered), for the preview, the printer and a PDF.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "print/paged_document.h"
#include "register/register_cli.h"
#include "register/register_row.h"
#include "register/register_submissions.h"
#include "register/register_summary.h"
#include "register/register_table.h"

class QPagedPaintDevice;
class QTextDocument;
class QWidget;

struct ReportContents {
    // Every row of the reading: refused files, repeats and other years too
    // (the year before and the account of the files come from them).
    std::vector<const reg::RegisterRow*> rows;
    reg::YearPeriod period; // the report's year and period
    // The office's chosen district (an item of the district list); all when none.
    std::optional<int> district;
    // Who did not hand in and who is new (reg::CompareSubmissions over all
    // rows, with the office's list when it has one); the report keeps the
    // entries of the chosen district.
    reg::SubmissionLists submissions;
    reg::ExportInfo info; // what the report holds: folders, filter, list, date
    PrintInfo print;      // the pages' footer: program, version, date
};
// The report's body (everything but the page footers) as a document, laid
// out for `device` (the chart's size follows its resolution).
std::unique_ptr<QTextDocument> RegisterReportDocument(const ReportContents& contents);

// Prints the report on `device`; the number of pages, 0 when the device
// could not be painted on.
int PrintRegisterReport(const ReportContents& contents, QPagedPaintDevice& device);

// Writes the report as a PDF file at `path`, which must end in ".pdf" (a
// report never overwrites a card). On failure `error` says which file and
// why, in Russian.
bool WriteRegisterReportPdf(const ReportContents& contents, const QString& path, QString* error);

// The writer of the command line's --report: the report of everything the
// reading found, with `print`'s footer.
reg::ReportWriter RegisterReportWriter(const PrintInfo& print);

// "Отчёт 2014 Годовой.pdf".
QString RegisterReportPdfName(const ReportContents& contents);

// The print preview of the report (print, «Сохранить в PDF…»), modal. The
// save offers `pdfPath`, or RegisterReportPdfName in the first folder read.
void ShowRegisterReportPreview(QWidget* parent, const ReportContents& contents, const QString& pdfPath = QString());
