#pragma once
// A document printed on paged devices (a printer, a PDF writer): a page ends
// only at the top of a table row or of the paragraphs after a table, so a row
// is never split and a heading stays with its table; a table continued
// overleaf gets its title rows again; every page has a footer. The printed
// card and the register's report are both laid out this way.
#include <QDate>
#include <QFont>
#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class QTextDocument;

// What the footer of every page says besides the page number.
struct PrintInfo {
    QString program; // e.g. "ЮНРА5. Карточка предприятия."
    QString version; // e.g. "2.1.1.0"
    QDate printedOn;
};

// The font of the printed pages at `points`: Arial, or the system's sans-serif.
QFont PrintFont(int points);

// A4 portrait with the margins of the printed pages (a wider one to bind).
QPageLayout PrintPageLayout();

// Lays `document` out at the width of the device's page and prints it on the
// device's pages with a footer on each. Returns the number of pages, 0 when
// the device could not be painted on.
int PrintPagedDocument(QTextDocument& document, const PrintInfo& info, QPagedPaintDevice& device);
