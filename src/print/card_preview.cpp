#include "print/card_preview.h"

#include <QDir>
#include <QPrinter>

#include "card/card_file_store.h"
#include "print/print_preview.h"

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
    PrintPreview preview;
    preview.objectName = QStringLiteral("CardPreview");
    preview.title = QStringLiteral("Печать карточки предприятия");
    preview.documentName = CardPdfName(card);
    preview.creator = info.program;
    preview.pageLayout = CardPageLayout();
    preview.paint = [&card, &info](QPrinter& printer) { PrintCard(card, info, printer); };
    preview.pdfDialogTitle = QStringLiteral("Сохранение карточки в PDF");
    preview.offeredPdf = pdfPath.isEmpty() ? QDir::current().filePath(CardPdfName(card)) : pdfPath;
    preview.writePdf = [&card, &info](const QString& path) {
        return WriteCardPdf(card, info, path)
            ? QString()
            : QStringLiteral("Не удалось записать файл: ") + QDir::toNativeSeparators(path);
    };
    ShowPrintPreview(parent, preview);
}
