#include "window/contacts_block.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "card/entry_lists.h"
#include "window/contact_dialog.h"
#include "window/field_captions.h"
#include "window/main_window.h"
#include "window/messages_qt.h"
#include "window/named_button.h"
#include "window/table_grid.h"

namespace {

constexpr int kTypeWidth = 195;
constexpr int kDataWidth = 324;
constexpr int kRowHeight = 16;
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 25;
constexpr int kInner = 8;       // margin inside the frame
constexpr int kLabelWidth = 150; // "Контактная информация"
constexpr int kGridLeft = kInner + kLabelWidth + 4;

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
    Label6->setGeometry(kInner, kInner, kLabelWidth, 18);

    BitBtn1 = MakeNamedButton(this, "BitBtn1", QStringLiteral("Добавить"), EnterKey::PressesFocusedButton);
    BitBtn1->setGeometry(kInner, 30, kButtonWidth, kButtonHeight);
    BitBtn2 = MakeNamedButton(this, "BitBtn2", QStringLiteral("Редактировать"), EnterKey::PressesFocusedButton);
    BitBtn2->setGeometry(kInner, 60, kButtonWidth, kButtonHeight);
    BitBtn3 = MakeNamedButton(this, "BitBtn3", QStringLiteral("Удалить"), EnterKey::PressesFocusedButton);
    BitBtn3->setGeometry(kInner, 90, kButtonWidth, kButtonHeight);

    StrGridKont = new QTableWidget(this);
    StrGridKont->setObjectName(QStringLiteral("StrGridKont"));
    // A data row for every slot of the contact list, so every contact can be
    // seen, edited and deleted.
    SetUpStringGrid(StrGridKont, card::ContactList::kCapacity, {kTypeWidth, kDataWidth}, kRowHeight);
    StrGridKont->verticalHeader()->setMinimumSectionSize(kRowHeight);
    StrGridKont->verticalHeader()->setDefaultSectionSize(kRowHeight);
    StrGridKont->horizontalHeader()->setHighlightSections(false);
    StrGridKont->setFrameShape(QFrame::NoFrame);
    StrGridKont->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StrGridKont->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    StrGridKont->setTabKeyNavigation(false);
    const int gridHeight = StrGridKont->horizontalHeader()->sizeHint().height()
                           + card::ContactList::kCapacity * kRowHeight;
    StrGridKont->setGeometry(kGridLeft, kInner, kTypeWidth + kDataWidth, gridHeight);

    connect(BitBtn1, &QPushButton::clicked, this, &ContactsBlock::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &ContactsBlock::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &ContactsBlock::BitBtn3Click);
}

int ContactsBlock::blockHeight() const { return StrGridKont->height() + 2 * kInner; }

void ContactsBlock::writeGridHeader()
{
    TableGrid(StrGridKont).setHeader({CardText(card::kContactColumns[0]), CardText(card::kContactColumns[1])});
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
