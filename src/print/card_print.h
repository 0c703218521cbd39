#pragma once
// The printed card: one enterprise card laid out as an A4 form in Russian,
// from its record. The content is what the record holds (what a save stores),
// the captions those of the card window.
#include <memory>

#include <QPageLayout>

#include "print/paged_document.h"

class QPagedPaintDevice;
class QTextDocument;

namespace card {
class TCardRec;
}

// What the footer of every page says besides the page number.
using CardPrintInfo = PrintInfo;

// The body of the form (everything but the page footers) as a document.
std::unique_ptr<QTextDocument> CardDocument(const card::TCardRec& card);

// A4 portrait with the form's margins: the page the card is made for.
QPageLayout CardPageLayout();

// Lays the card out on A4 portrait pages of `device` (a printer or a PDF
// writer) with a footer on each. Returns the number of pages, 0 when the
// device could not be painted on.
int PrintCard(const card::TCardRec& card, const CardPrintInfo& info, QPagedPaintDevice& device);

// Writes the card as a PDF file; false when the file cannot be written.
bool WriteCardPdf(const card::TCardRec& card, const CardPrintInfo& info, const QString& path);
