#pragma once
// The print preview of a paged document, from which the user prints it or
// saves it as a PDF: the printed card's and the register's report's.
#include <functional>

#include <QPageLayout>
#include <QString>

class QPrinter;
class QWidget;

struct PrintPreview {
    QString objectName; // of the dialog
    QString title;      // its window title
    QString documentName;
    QString creator;
    QPageLayout pageLayout;
    // Draws the pages on the printer the preview or the print hands over.
    std::function<void(QPrinter&)> paint;
    // "Сохранить в PDF…": the save dialog's title, the path it offers, and the
    // writing of the chosen file, which returns what to tell the user when it
    // fails (empty when written).
    QString pdfDialogTitle;
    QString offeredPdf;
    std::function<QString(const QString& path)> writePdf;
};

// Shows the preview modally.
void ShowPrintPreview(QWidget* parent, const PrintPreview& preview);
