#include "print/paged_document.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextCursor>
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

// The widest word of a cell in the layout's device pixels.
qreal WidestWord(const QTextTableCell& cell, const QFont& documentFont, QPaintDevice* device)
{
    qreal widest = 0;
    for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
        const QTextBlock block = it.currentBlock();
        for (QTextBlock::iterator part = block.begin(); !part.atEnd(); ++part) {
            const QTextFragment fragment = part.fragment();
            const QFontMetricsF metrics(fragment.charFormat().font().resolve(documentFont), device);
            for (const QString& word : fragment.text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
                widest = std::max(widest, metrics.horizontalAdvance(word));
        }
    }
    return widest;
}

// Scales the font of the table's title rows by `factor`.
void ScaleTitleFont(QTextDocument& document, QTextTable& table, qreal factor)
{
    const int titleRows = table.format().headerRowCount();
    for (int r = 0; r < titleRows; ++r)
        for (int c = 0; c < table.columns(); ++c) {
            const QTextTableCell cell = table.cellAt(r, c);
            if (cell.row() != r || cell.column() != c)
                continue; // the part of a cell spanning from elsewhere
            QTextCursor cursor = cell.firstCursorPosition();
            const QFont font = cursor.charFormat().font().resolve(document.defaultFont());
            cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            QTextCharFormat smaller;
            smaller.setFontPointSize(std::max(5.0, font.pointSizeF() * factor));
            cursor.mergeCharFormat(smaller);
        }
}

// What a column of a laid-out table holds: its text width, the widest word
// of its titles and the widest word of any of its cells.
struct ColumnWords {
    qreal width = 0;
    qreal title = 0;
    qreal any = 0;
};

std::vector<ColumnWords> MeasureColumns(QTextDocument& document, QTextTable& table)
{
    QAbstractTextDocumentLayout& layout = *document.documentLayout();
    QPaintDevice* device = layout.paintDevice();
    // A little room beyond the word, so rounding in the layout cannot break it.
    const qreal slack = 2 * (device ? device->logicalDpiX() / 96.0 : 1.0);
    const int titleRows = table.format().headerRowCount();
    std::vector<ColumnWords> columns(table.columns());
    for (int r = 0; r < table.rows(); ++r)
        for (int c = 0; c < table.columns(); ++c) {
            const QTextTableCell cell = table.cellAt(r, c);
            if (cell.row() != r || cell.column() != c || cell.columnSpan() != 1)
                continue;
            ColumnWords& column = columns[c];
            column.width = layout.blockBoundingRect(cell.firstCursorPosition().block()).width();
            const qreal word = std::ceil(WidestWord(cell, document.defaultFont(), device)) + slack;
            column.any = std::max(column.any, word);
            if (r < titleRows)
                column.title = std::max(column.title, word);
        }
    return columns;
}

// New text widths of the columns, as much in all as now: each column at
// least the widest word of its titles; the width that takes comes from the
// widest of the other columns, trimmed to one level, first no further than
// their widest word, then no further than their titles' widest word.
std::vector<qreal> WidenForTitles(const std::vector<ColumnWords>& columns)
{
    qreal text = 0;
    for (const ColumnWords& column : columns)
        text += column.width;
    // The widths with every column trimmed to `level`, none below its floor.
    const auto trimmed = [&columns](qreal level, bool keepWords) {
        std::vector<qreal> widths;
        for (const ColumnWords& column : columns) {
            const qreal floor = keepWords ? std::max(column.title, column.any) : column.title;
            widths.push_back(column.width < column.title ? column.title
                                                         : std::min(column.width, std::max(floor, level)));
        }
        return widths;
    };
    const auto sum
        = [](const std::vector<qreal>& widths) { return std::accumulate(widths.begin(), widths.end(), 0.0); };
    const bool keepWords = sum(trimmed(0, true)) <= text;
    qreal low = 0;
    qreal high = text;
    for (int step = 0; step < 40; ++step) {
        const qreal level = (low + high) / 2;
        (sum(trimmed(level, keepWords)) > text ? high : low) = level;
    }
    return trimmed(low, keepWords);
}

// The layout breaks a line anywhere when a word does not fit its column,
// which long values need (a name with no space in it) but would cut a column
// title inside a word: a column too narrow for a word of its title takes
// width from the others (WidenForTitles). Where the page cannot give every
// title its widest word, the titles of the table get smaller.
void KeepTitleWordsWhole(QTextDocument& document, QTextTable& table)
{
    for (int pass = 0; pass < 10; ++pass) {
        document.size(); // lays the document out
        const std::vector<ColumnWords> columns = MeasureColumns(document, table);
        qreal titles = 0;
        qreal text = 0;
        bool cut = false;
        for (const ColumnWords& column : columns) {
            titles += column.title;
            text += column.width;
            cut = cut || column.width < column.title;
        }
        if (!cut)
            return;
        if (titles > text) {
            ScaleTitleFont(document, table, 0.95 * text / titles);
            continue;
        }
        // Widths as shares of the table: padding and borders are the table's
        // width less its text widths, alike for every column.
        const qreal tableWidth = document.documentLayout()->frameBoundingRect(&table).width();
        const qreal around = (tableWidth - text) / static_cast<qreal>(columns.size());
        QList<QTextLength> shares;
        for (qreal width : WidenForTitles(columns))
            shares << QTextLength(QTextLength::PercentageLength, 100 * (width + around) / tableWidth);
        QTextTableFormat format = table.format();
        format.setColumnWidthConstraints(shares);
        table.setFormat(format);
    }
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
    for (QTextFrame* frame : document.rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame); table && table->format().headerRowCount() > 0)
            KeepTitleWordsWhole(document, *table);
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
