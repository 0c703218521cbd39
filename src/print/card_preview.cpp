#include "print/card_preview.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

#include "card/card_file_store.h"
#include "widgets/messages_qt.h"

namespace {

void SaveCardPdf(QWidget* parent, const card::TCardRec& card, const CardPrintInfo& info, const QString& offered)
{
    QFileDialog dialog(parent, QStringLiteral("Сохранение карточки в PDF"), offered, QStringLiteral("PDF (*.pdf)"));
    dialog.setObjectName(QStringLiteral("PdfDlg"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    if (!WriteCardPdf(card, info, path))
        Boxes().info("Не удалось записать файл: " + QDir::toNativeSeparators(path).toStdString());
}

} // namespace

QString CardPdfName(const card::TCardRec& card)
{
    // The store names the card's file; a store of its own keeps the program's
    // working record out of it.
    card::CardFileStore store;
    store.card() = card;
    QString name = QString::fromStdString(store.CardFileName());
    if (name.endsWith(QStringLiteral(".crd")))
        name.chop(4);
    for (QChar& c : name)
        if (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    return name + QStringLiteral(".pdf");
}

void ShowCardPreview(QWidget* parent, const card::TCardRec& card, const CardPrintInfo& info, const QString& pdfPath)
{
    const QString offered = pdfPath.isEmpty() ? QDir::current().filePath(CardPdfName(card)) : pdfPath;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(CardPageLayout());
    printer.setDocName(CardPdfName(card));
    printer.setCreator(info.program);

    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("CardPreview"));
    preview.setWindowTitle(QStringLiteral("Печать карточки предприятия"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&card, &info](QPrinter* target) { PrintCard(card, info, *target); });
    if (auto* toolbar = preview.findChild<QToolBar*>()) {
        toolbar->addSeparator();
        QAction* savePdf = toolbar->addAction(QStringLiteral("Сохранить в PDF…"));
        savePdf->setObjectName(QStringLiteral("ActSavePdf"));
        QObject::connect(savePdf, &QAction::triggered, &preview,
                         [&preview, &card, &info, &offered] { SaveCardPdf(&preview, card, info, offered); });
    }
    preview.resize(900, 800);
    preview.exec();
}
