#include "print/print_preview.h"

#include <algorithm>

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>

#include "widgets/messages_qt.h"

namespace {

// A window's frame beyond its client area on Windows: the title bar and the
// borders, with room to spare.
constexpr QSize kFrame(16, 40);
constexpr QSize kPreferred(900, 800);
constexpr int kLeastHeight = 600;

// Writes the PDF where the user chooses; `saved` then names the file.
void SavePdf(QWidget* parent, const PrintPreview& preview, QLabel* saved)
{
    QFileDialog dialog(parent, preview.pdfDialogTitle, preview.offeredPdf, QStringLiteral("PDF (*.pdf)"));
    dialog.setObjectName(QStringLiteral("PdfDlg"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    if (const QString failure = preview.writePdf(path); !failure.isEmpty()) {
        Boxes().info(failure.toStdString());
        return;
    }
    // The dialog may have gone to another folder than the one offered.
    saved->setText(QStringLiteral("Сохранен файл: ") + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    saved->show();
}

} // namespace

QSize PreviewSize(const QSize& available)
{
    const QSize room = available - kFrame;
    if (room.width() < kPreferred.width() || room.height() < kLeastHeight)
        return {};
    return {kPreferred.width(), std::min(kPreferred.height(), room.height())};
}

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
    // Below the pages, once a PDF has been saved: where it went.
    auto* saved = new QLabel(&dialog);
    saved->setObjectName(QStringLiteral("LblPdfSaved"));
    saved->setTextInteractionFlags(Qt::TextSelectableByMouse);
    saved->setContentsMargins(6, 3, 6, 3); // clear of the window's edges
    saved->hide();
    if (dialog.layout())
        dialog.layout()->addWidget(saved);
    if (auto* toolbar = dialog.findChild<QToolBar*>()) {
        toolbar->addSeparator();
        QAction* savePdf = toolbar->addAction(QStringLiteral("Сохранить в PDF…"));
        savePdf->setObjectName(QStringLiteral("ActSavePdf"));
        QObject::connect(savePdf, &QAction::triggered, &dialog,
                         [&dialog, &preview, saved] { SavePdf(&dialog, preview, saved); });
    }
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize size = PreviewSize(screen ? screen->availableGeometry().size() : kPreferred + kFrame);
    if (size.isEmpty())
        dialog.setWindowState(Qt::WindowMaximized);
    else
        dialog.resize(size);
    dialog.exec();
}
