#include "print/paged_document.h"

#include <algorithm>
#include <vector>

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {

constexpr int kFooterPoints = 7;

// The footer of a page: program, version and date of printing, page number.
void DrawFooter(QPainter& painter, const QRectF& area, const PrintInfo& info, int page, int pages)
{
    QFont font = painter.font();
    font.setPointSize(kFooterPoints);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawLine(area.topLeft(), area.topRight());
    const QString left = info.program + QStringLiteral(" версия ") + info.version;
    const QString right = QStringLiteral("Напечатано ") + info.printedOn.toString(QStringLiteral("dd.MM.yyyy"))
        + QStringLiteral(", лист %1 из %2").arg(page).arg(pages);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignBottom, left);
    painter.drawText(area, Qt::AlignRight | Qt::AlignBottom, right);
}

// A place where a page may end: the top of a group of paragraphs after a
// table (so a heading stays with its table and the signature lines stay
// together), or the top of a table row (a row is never split; the table's
// title rows are drawn again on the next page).
struct Break {
    qreal y;
    QRectF table;  // the table the break falls in; empty between tables
    QRectF header; // its title rows
};

// One page's part of the document: [top, bottom), after the title rows of
// the table it continues, closed by a line when a table goes on overleaf.
struct PageSlice {
    qreal top;
    qreal bottom;
    QRectF header;
    QRectF openTable;
};

qreal RowTop(QAbstractTextDocumentLayout& layout, QTextTable& table, int row, qreal above)
{
    qreal top = layout.frameBoundingRect(&table).bottom();
    for (int c = 0; c < table.columns(); ++c)
        top = std::min(top, layout.blockBoundingRect(table.cellAt(row, c).firstCursorPosition().block()).top());
    return top - above;
}

std::vector<Break> Breaks(QTextDocument& document, qreal rowPadding)
{
    QAbstractTextDocumentLayout& layout = *document.documentLayout();
    const qreal end = document.size().height(); // lays the whole document out
    std::vector<Break> breaks;
    bool afterTable = true;
    qreal tableBottom = 0;
    for (QTextFrame::iterator it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (QTextBlock block = it.currentBlock(); block.isValid()) {
            // A paragraph's margin may reach back over the table above it.
            if (afterTable)
                breaks.push_back({std::max(tableBottom, layout.blockBoundingRect(block).top()), {}, {}});
            afterTable = false;
            continue;
        }
        auto* table = qobject_cast<QTextTable*>(it.currentFrame());
        if (!table)
            continue;
        afterTable = true;
        const QRectF rect = layout.frameBoundingRect(table);
        tableBottom = rect.bottom();
        const int titleRows = table->format().headerRowCount();
        QRectF header;
        if (titleRows > 0)
            header = QRectF(rect.left(), rect.top(), rect.width(),
                            RowTop(layout, *table, titleRows, rowPadding) - rect.top());
        // The first row stays with the title rows, the last with the one before.
        for (int r = titleRows + 1; r < table->rows() - 1; ++r)
            breaks.push_back({RowTop(layout, *table, r, rowPadding), rect, header});
    }
    breaks.push_back({end, {}, {}});
    return breaks;
}

std::vector<PageSlice> Paginate(QTextDocument& document, qreal pageHeight, qreal pixel)
{
    // Above a row's text: its padding and border (2 and 1 pixels in the HTML).
    const std::vector<Break> breaks = Breaks(document, 3 * pixel);
    const qreal end = breaks.back().y;
    std::vector<PageSlice> slices;
    qreal top = 0;
    QRectF header;
    while (top < end - pixel) {
        const qreal limit = top + pageHeight - header.height();
        const Break* chosen = nullptr;
        for (const Break& b : breaks)
            if (b.y > top + pixel && b.y <= limit)
                chosen = &b;
        // Nothing fits whole (a row taller than a page): cut where the page ends.
        const Break forced{limit, {}, {}};
        if (!chosen)
            chosen = &forced;
        slices.push_back({top, chosen->y, header, chosen->table});
        top = chosen->y;
        header = chosen->header;
    }
    if (slices.empty())
        slices.push_back({0, end, {}, {}});
    return slices;
}

// Draws the band [top, top + height) of the document at `y` on the page.
void DrawBand(QPainter& painter, QTextDocument& document, qreal top, qreal height, qreal y, qreal width)
{
    painter.save();
    painter.setClipRect(QRectF(0, y, width, height));
    painter.translate(0, y - top);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, top, width, height);
    context.palette.setColor(QPalette::Text, Qt::black);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

void DrawSlice(QPainter& painter, QTextDocument& document, const PageSlice& slice, qreal width)
{
    qreal y = 0;
    if (!slice.header.isEmpty()) {
        DrawBand(painter, document, slice.header.top(), slice.header.height(), 0, width);
        y = slice.header.height();
    }
    DrawBand(painter, document, slice.top, slice.bottom - slice.top, y, width);
    if (!slice.openTable.isEmpty()) {
        const qreal bottom = y + slice.bottom - slice.top;
        painter.save();
        painter.setPen(QPen(Qt::black, 0));
        painter.drawLine(QPointF(slice.openTable.left(), bottom), QPointF(slice.openTable.right(), bottom));
        painter.restore();
    }
}

} // namespace

QFont PrintFont(int points)
{
    QFont font(QStringLiteral("Arial"), points);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QPageLayout PrintPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 10, 12, 8),
                       QPageLayout::Millimeter);
}

int PrintPagedDocument(QTextDocument& document, const PrintInfo& info, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    painter.setFont(PrintFont(kFooterPoints));
    const qreal footerHeight = 2.2 * painter.fontMetrics().height();
    const QSizeF page(device.width(), device.height());
    const QSizeF body(page.width(), page.height() - footerHeight);

    document.documentLayout()->setPaintDevice(&device);
    document.setTextWidth(body.width());
    const std::vector<PageSlice> slices = Paginate(document, body.height(), device.logicalDpiY() / 96.0);
    const int pages = static_cast<int>(slices.size());
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            device.newPage();
        DrawSlice(painter, document, slices[p], body.width());
        DrawFooter(painter, QRectF(0, body.height(), page.width(), footerHeight), info, p + 1, pages);
    }
    painter.end();
    return pages;
}
