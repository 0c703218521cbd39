#include "print/print_preview.h"

#include <QAction>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

#include "card/messages.h"

namespace {

void SavePdf(QWidget* parent, const PrintPreview& preview)
{
    QFileDialog dialog(parent, preview.pdfDialogTitle, preview.offeredPdf, QStringLiteral("PDF (*.pdf)"));
    dialog.setObjectName(QStringLiteral("PdfDlg"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString failure = preview.writePdf(dialog.selectedFiles().constFirst());
    if (!failure.isEmpty())
        card::messages().info(failure.toStdString());
}

} // namespace

void ShowPrintPreview(QWidget* parent, const PrintPreview& preview)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(preview.pageLayout);
    printer.setDocName(preview.documentName);
    printer.setCreator(preview.creator);

    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(preview.objectName);
    dialog.setWindowTitle(preview.title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&preview](QPrinter* target) { preview.paint(*target); });
    if (auto* toolbar = dialog.findChild<QToolBar*>()) {
        toolbar->addSeparator();
        QAction* savePdf = toolbar->addAction(QStringLiteral("Сохранить в PDF…"));
        savePdf->setObjectName(QStringLiteral("ActSavePdf"));
        QObject::connect(savePdf, &QAction::triggered, &dialog, [&dialog, &preview] { SavePdf(&dialog, preview); });
    }
    dialog.resize(900, 800);
    dialog.exec();
}
