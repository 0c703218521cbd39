#pragma once
// The print preview of a paged document, from which the user prints it or
// saves it as a PDF: the printed card's and the register's report's.
#include <functional>

#include <QPageLayout>
#include <QSize>
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
    // fails (empty when written), shown in the program's boxes.
    QString pdfDialogTitle;
    QString offeredPdf;
    std::function<QString(const QString& path)> writePdf;
};

// The client size the preview opens in on a screen whose free area (the task
// bar aside) is `available`: 900 × 800, lower down to 600 where the screen
// needs it with the window's frame (900 × 688 on 1366 × 768 with a 40-pixel
// task bar). Empty where not even that fits: the preview opens maximised.
QSize PreviewSize(const QSize& available);

// Shows the preview modally; once a PDF has been saved, a line below the
// pages names the file written, with its whole path.
void ShowPrintPreview(QWidget* parent, const PrintPreview& preview);
