#pragma once
// The print preview of one card, from which the user prints it or saves it
// as a PDF.
#include <QSize>
#include <QString>

#include "print/card_print.h"

class QWidget;

// "<card file name>.pdf": the card's file name with .pdf instead of .crd,
// characters that no file name may hold replaced by "_".
QString CardPdfName(const card::TCardRec& card);

// The client size the preview opens in on a screen whose free area (the task
// bar aside) is `available`: 900 × 800, lower down to 600 where the screen
// needs it with the window's frame (900 × 688 on 1366 × 768 with a 40-pixel
// task bar). Empty where not even that fits: the preview opens maximised.
QSize CardPreviewSize(const QSize& available);

// Shows the preview modally. "Сохранить в PDF…" offers `pdfPath`, or when it
// is empty CardPdfName in the current folder; a line below the pages then
// names the file written, with its whole path.
void ShowCardPreview(QWidget* parent, const card::TCardRec& card, const CardPrintInfo& info,
                     const QString& pdfPath = QString());
