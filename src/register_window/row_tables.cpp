#include "register_window/row_tables.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

#include "card/district.h"
#include "card/district_names.h"
#include "register_window/register_models.h"
#include "widgets/named.h"

namespace {

constexpr int kHeaderLines = 3;
constexpr int kCellPadding = 12;

// The first column of `host` drawn over the host's own, so it stays while
// the other columns scroll beneath it.
class FrozenColumn final : public QTableView {
public:
    explicit FrozenColumn(QTableView* host)
        : QTableView(host)
        , host_(host)
    {
        setObjectName(host->objectName() + QStringLiteral("Frozen"));
        setModel(host->model());
        setSelectionModel(host->selectionModel());
        setFocusPolicy(Qt::NoFocus);
        setSelectionBehavior(host->selectionBehavior());
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setTextElideMode(host->textElideMode());
        setFont(host->font());
        verticalHeader()->hide();
        horizontalHeader()->setDefaultAlignment(host->horizontalHeader()->defaultAlignment());
        horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        verticalHeader()->setDefaultSectionSize(host->verticalHeader()->defaultSectionSize());
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollMode(host->verticalScrollMode());
        setStyleSheet(QStringLiteral("QTableView { border: none; }"));
        connect(host->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
            if (section == 0) {
                setColumnWidth(0, size);
                place();
            }
        });
        connect(verticalScrollBar(), &QScrollBar::valueChanged, host->verticalScrollBar(), &QScrollBar::setValue);
        connect(host->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(), &QScrollBar::setValue);
        connect(host->model(), &QAbstractItemModel::modelReset, this, &FrozenColumn::showFirstOnly);
        connect(host->model(), &QAbstractItemModel::columnsInserted, this, &FrozenColumn::showFirstOnly);
        host->viewport()->installEventFilter(this);
        host->verticalHeader()->installEventFilter(this);
        showFirstOnly();
        viewport()->stackUnder(host->viewport());
        raise();
        show();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            place();
        return QTableView::eventFilter(watched, event);
    }

private:
    void showFirstOnly()
    {
        for (int c = 1; c < model()->columnCount(); ++c)
            setColumnHidden(c, true);
        setColumnWidth(0, host_->columnWidth(0));
        place();
    }
    // Headers count while they are not hidden on purpose: before the window
    // is shown none is visible yet.
    void place()
    {
        const QHeaderView* top = host_->horizontalHeader();
        const QHeaderView* side = host_->verticalHeader();
        const int headerHeight = top->isHidden() ? 0 : top->height();
        horizontalHeader()->setVisible(!top->isHidden());
        horizontalHeader()->setFixedHeight(top->height());
        const int left = host_->frameWidth() + (side->isHidden() ? 0 : side->width());
        setGeometry(left, host_->frameWidth(), host_->columnWidth(0), host_->viewport()->height() + headerHeight);
    }

    QTableView* host_;
};

} // namespace

QTableView* SetUpRowTable(QTableView* table)
{
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTextElideMode(Qt::ElideMiddle); // file names differ at their ends
    table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    // Long headers wrap onto three lines rather than widen every column.
    table->horizontalHeader()->setDefaultAlignment(
        Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter | int(Qt::TextWordWrap)));
    table->horizontalHeader()->setFixedHeight(kHeaderLines * table->fontMetrics().height() + 8);
    return table;
}

void SetColumnWidths(QTableView* table, const std::vector<int>& characters)
{
    const QFontMetrics metrics = table->fontMetrics();
    const int unit = metrics.averageCharWidth();
    const int lines = kHeaderLines * metrics.lineSpacing();
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const int column = static_cast<int>(i);
        const QString header = table->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        int width = characters[i] * unit + kCellPadding;
        // Wider until the header's words wrap into its lines whole.
        while (width < 40 * unit
               && (metrics.boundingRect(QRect(0, 0, width - kCellPadding, 10000), Qt::TextWordWrap, header).height()
                       > lines
                   || metrics.boundingRect(QRect(0, 0, width - kCellPadding, 10000), Qt::TextWordWrap, header).width()
                       > width - kCellPadding))
            width += unit;
        table->setColumnWidth(column, width);
    }
}

int DistrictColumnWidth(const QTableView* table)
{
    int widest = 0;
    for (int i = 0; i < card::kDistrictCount; ++i)
        widest
            = std::max(widest, table->fontMetrics().horizontalAdvance(ToQString(std::string(card::DistrictName(i)))));
    // A bold totals row and the sort of the row's frame take a little more.
    return widest + 2 * kCellPadding;
}

void FreezeFirstColumn(QTableView* table) { new FrozenColumn(table); }

TableWithTotals::TableWithTotals(const char* tableName, const char* totalsName, QAbstractItemModel* model,
                                 QAbstractItemModel* totals, bool frozenColumn, QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    table_ = SetUpRowTable(Named<QTableView>(tableName, this));
    table_->setModel(model);
    totals_ = SetUpRowTable(Named<QTableView>(totalsName, this));
    totals_->setModel(totals);
    totals_->horizontalHeader()->hide();
    totals_->setVerticalHeader(new QHeaderView(Qt::Vertical, totals_));
    totals_->verticalHeader()->setDefaultSectionSize(table_->verticalHeader()->defaultSectionSize());
    totals_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    totals_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    totals_->setFixedHeight(table_->verticalHeader()->defaultSectionSize() + 4);
    QFont bold = totals_->font();
    bold.setBold(true);
    totals_->setFont(bold);
    // The lambdas hold the two tables, not this widget: they also run while
    // the window's QWidget part closes its children.
    QTableView* cards = table_;
    QTableView* sums = totals_;
    connect(cards->horizontalHeader(), &QHeaderView::sectionResized, sums,
            [sums](int section, int, int size) { sums->setColumnWidth(section, size); });
    connect(cards->horizontalScrollBar(), &QScrollBar::valueChanged, sums->horizontalScrollBar(),
            &QScrollBar::setValue);
    // The row numbers of both tables take the same width. A header's new
    // width alone does not move its table's cells: the table places them
    // again when the header says its geometry changed.
    connect(cards->verticalHeader(), &QHeaderView::geometriesChanged, sums, [cards, sums] {
        QHeaderView* header = sums->verticalHeader();
        header->setFixedWidth(cards->verticalHeader()->width());
        emit header->geometriesChanged();
    });
    // The totals' cells end where the table's do: beside the totals a gap as
    // wide as the table's vertical scroll bar, which comes and goes with its
    // rows, so both scroll equally far to the right.
    auto* gap = new QWidget(this);
    gap->setFixedWidth(0);
    connect(cards->verticalScrollBar(), &QScrollBar::rangeChanged, gap, [cards, gap](int low, int high) {
        gap->setFixedWidth(high > low ? cards->verticalScrollBar()->sizeHint().width() : 0);
    });
    if (frozenColumn) {
        FreezeFirstColumn(table_);
        FreezeFirstColumn(totals_);
    }
    auto* totalsRow = new QHBoxLayout;
    totalsRow->setSpacing(0);
    totalsRow->addWidget(totals_, 1);
    totalsRow->addWidget(gap);
    layout->addWidget(table_, 1);
    layout->addLayout(totalsRow);
}

void TableWithTotals::setColumnWidths(const std::vector<int>& characters)
{
    SetColumnWidths(table_, characters);
    for (int c = 0; c < table_->model()->columnCount(); ++c)
        totals_->setColumnWidth(c, table_->columnWidth(c));
}
