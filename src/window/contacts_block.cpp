#include "window/contacts_block.h"

#include <algorithm>

#include <QBoxLayout>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>

#include "card/entry_lists.h"
#include "widgets/field_captions.h"
#include "widgets/messages_qt.h"
#include "widgets/named_button.h"
#include "widgets/table_grid.h"
#include "window/contact_dialog.h"
#include "window/main_window.h"

namespace {

constexpr int kTypeWidth = 195;
constexpr int kDataWidth = 324;
constexpr int kMinRowHeight = 16;
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 25;
constexpr int kLabelWidth = 150; // "Контактная информация" with room to spare
constexpr int kInner = 8;        // margin inside the frame

// A row holds one line of the grid's font and its grid line; it is never
// lower than the rows the program has always had.
int RowHeightFor(const QWidget* grid) { return std::max(kMinRowHeight, grid->fontMetrics().height() + 3); }

// Runs the contact dialog over `over` on the entry the list has begun to add
// or edit, and takes the accepted entry into the list and `table`.
void RunContactDialog(QWidget* over, QTableWidget* table)
{
    card::EntryLists& lists = FrmGn->lists();
    TFrmKontakt dialog(over);
    if (lists.dialogMode == card::DialogMode::Edit)
        dialog.setSlot(lists.contacts.slot(lists.contacts.editIndex()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    TableGrid grid(table);
    lists.contacts.accept(lists.dialogMode, dialog.slot(), grid);
}

} // namespace

ContactsBlock::ContactsBlock(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Bevel1"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);

    auto* Label6 = new QLabel(CardText(card::kContactsCaption), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setMinimumWidth(kLabelWidth);

    BitBtn1 = MakeNamedButton("BitBtn1", QStringLiteral("Добавить"), this, EnterKey::PressesFocusedButton);
    BitBtn2 = MakeNamedButton("BitBtn2", QStringLiteral("Редактировать"), this, EnterKey::PressesFocusedButton);
    BitBtn3 = MakeNamedButton("BitBtn3", QStringLiteral("Удалить"), this, EnterKey::PressesFocusedButton);

    StrGridKont = new QTableWidget(this);
    StrGridKont->setObjectName(QStringLiteral("StrGridKont"));
    // A data row for every slot of the contact list, so every contact can be
    // seen, edited and deleted.
    SetUpStringGrid(StrGridKont, card::ContactList::kCapacity, {kTypeWidth, kDataWidth}, kMinRowHeight);
    StrGridKont->horizontalHeader()->setHighlightSections(false);
    StrGridKont->setFrameShape(QFrame::NoFrame);
    StrGridKont->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StrGridKont->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    StrGridKont->setTabKeyNavigation(false);
    fitGrid();

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(5);
    buttons->addWidget(Label6);
    for (QPushButton* button : {BitBtn1, BitBtn2, BitBtn3}) {
        button->setMinimumSize(kButtonWidth, kButtonHeight);
        buttons->addWidget(button, 0, Qt::AlignLeft);
    }
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    const int inner = kInner - frameWidth();
    layout->setContentsMargins(inner, inner, inner, inner);
    layout->setSpacing(4);
    layout->addLayout(buttons);
    layout->addWidget(StrGridKont, 0, Qt::AlignTop);
    layout->addStretch(1);

    connect(BitBtn1, &QPushButton::clicked, this, &ContactsBlock::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &ContactsBlock::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &ContactsBlock::BitBtn3Click);
}

int ContactsBlock::blockHeight() const { return sizeHint().height(); }

void ContactsBlock::setHeightLimit(int height)
{
    if (height == heightLimit_)
        return;
    heightLimit_ = height;
    fitGrid();
}

void ContactsBlock::fitGrid()
{
    const int rowHeight = RowHeightFor(StrGridKont);
    QHeaderView* rows = StrGridKont->verticalHeader();
    rows->setMinimumSectionSize(rowHeight);
    rows->setDefaultSectionSize(rowHeight);
    const int frame = 2 * StrGridKont->frameWidth();
    const int header = StrGridKont->horizontalHeader()->sizeHint().height();
    const int everyRow = header + card::ContactList::kCapacity * rowHeight + frame;
    int height = everyRow;
    if (heightLimit_ > 0) {
        // A taller font than the page was drawn for (Windows' own dialog font
        // or scaling) would push the last rows past the page's edge, where no
        // one could reach them: within the limit they scroll. One row at the
        // least, so the grid stays a grid.
        const QMargins margins = layout() ? layout()->contentsMargins() : QMargins(kInner, kInner, kInner, kInner);
        const int room = heightLimit_ - margins.top() - margins.bottom();
        height = std::min(everyRow, std::max(room, header + rowHeight + frame));
    }
    // A scroll bar takes its width beside the columns, not from the second one.
    const int scrollBar
        = height < everyRow ? StrGridKont->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, StrGridKont) : 0;
    StrGridKont->setFixedSize(kTypeWidth + kDataWidth + frame + scrollBar, height);
    // Once placed on its page the block follows the grid's new height.
    if (layout()) {
        layout()->activate();
        resize(width(), sizeHint().height());
    }
}

void ContactsBlock::changeEvent(QEvent* event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitGrid();
}

void ContactsBlock::writeGridHeader()
{
    TableGrid(StrGridKont).setHeader({CardText(card::kContactColumns[0]), CardText(card::kContactColumns[1])});
    fitGrid(); // the titles may need a higher header than the numbers before them
}

QList<QWidget*> ContactsBlock::tabOrder() const { return {BitBtn1, BitBtn2, BitBtn3, StrGridKont}; }

void ContactsBlock::BitBtn1Click()
{
    RunGuarded([this] {
        card::EntryLists& lists = FrmGn->lists();
        // A full list takes no more contacts: the dialog does not open.
        if (lists.contacts.beginAdd(lists.dialogMode))
            RunContactDialog(window(), StrGridKont);
    });
}

void ContactsBlock::BitBtn2Click()
{
    RunGuarded([this] {
        card::EntryLists& lists = FrmGn->lists();
        if (lists.contacts.beginEdit(TableGrid(StrGridKont).currentRow(), lists.dialogMode))
            RunContactDialog(window(), StrGridKont);
    });
}

void ContactsBlock::BitBtn3Click()
{
    RunGuarded([this] {
        TableGrid grid(StrGridKont);
        FrmGn->lists().contacts.remove(grid.currentRow(), grid);
    });
}
