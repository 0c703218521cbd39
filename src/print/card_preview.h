#pragma once
// The print preview of one card, from which the user prints it or saves it
// as a PDF.
#include <QString>

#include "print/card_print.h"
#include "print/print_preview.h"

class QWidget;

// "<card file name>.pdf": the card's file name with .pdf instead of .crd,
// characters that no file name may hold replaced by "_".
QString CardPdfName(const card::TCardRec& card);

// Shows the preview modally (ShowPrintPreview). "Сохранить в PDF…" offers
// `pdfPath`, or when it is empty CardPdfName in the current folder; a line
// below the pages then names the file written, with its whole path.
void ShowCardPreview(QWidget* parent, const card::TCardRec& card, const CardPrintInfo& info,
                     const QString& pdfPath = QString());
