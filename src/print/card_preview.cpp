#include "print/card_preview.h"

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

#include "card/card_file_store.h"
#include "widgets/messages_qt.h"

namespace {

// A window's frame beyond its client area on Windows: the title bar and the
// borders, with room to spare.
constexpr QSize kFrame(16, 40);
constexpr QSize kPreferred(900, 800);
constexpr int kLeastHeight = 600;

// Writes the PDF where the user chooses; `saved` then names the file.
void SaveCardPdf(QWidget* parent, const card::TCardRec& card, const CardPrintInfo& info, const QString& offered,
                 QLabel* saved)
{
    QFileDialog dialog(parent, QStringLiteral("Сохранение карточки в PDF"), offered, QStringLiteral("PDF (*.pdf)"));
    dialog.setObjectName(QStringLiteral("PdfDlg"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    if (!WriteCardPdf(card, info, path)) {
        Boxes().info("Не удалось записать файл: " + QDir::toNativeSeparators(path).toStdString());
        return;
    }
    // The dialog may have gone to another folder than the one offered.
    saved->setText(QStringLiteral("Сохранен файл: ") + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    saved->show();
}

} // namespace

QSize CardPreviewSize(const QSize& available)
{
    const QSize room = available - kFrame;
    if (room.width() < kPreferred.width() || room.height() < kLeastHeight)
        return {};
    return {kPreferred.width(), std::min(kPreferred.height(), room.height())};
}

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
    // Below the pages, once a PDF has been saved: where it went.
    auto* saved = new QLabel(&preview);
    saved->setObjectName(QStringLiteral("LblPdfSaved"));
    saved->setTextInteractionFlags(Qt::TextSelectableByMouse);
    saved->setContentsMargins(6, 3, 6, 3); // clear of the window's edges
    saved->hide();
    if (preview.layout())
        preview.layout()->addWidget(saved);
    if (auto* toolbar = preview.findChild<QToolBar*>()) {
        toolbar->addSeparator();
        QAction* savePdf = toolbar->addAction(QStringLiteral("Сохранить в PDF…"));
        savePdf->setObjectName(QStringLiteral("ActSavePdf"));
        QObject::connect(savePdf, &QAction::triggered, &preview, [&preview, &card, &info, &offered, saved] {
            SaveCardPdf(&preview, card, info, offered, saved);
        });
    }
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize size = CardPreviewSize(screen ? screen->availableGeometry().size() : kPreferred + kFrame);
    if (size.isEmpty())
        preview.setWindowState(Qt::WindowMaximized);
    else
        preview.resize(size);
    preview.exec();
}
