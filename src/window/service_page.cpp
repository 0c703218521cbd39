#include "window/service_page.h"

#include <algorithm>

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "widgets/field_captions.h"
#include "widgets/messages_qt.h"
#include "widgets/named.h"
#include "widgets/named_button.h"
#include "widgets/radio_group.h"
#include "widgets/table_grid.h"
#include "window/main_window.h"
#include "window/record_controls.h"
#include "window/staff_dialog.h"

namespace {

// Column widths of the staff grid: position, full name, certificate number,
// date of issue, issued by.
const QList<int> kStaffColumnWidths{166, 172, 82, 81, 342};
constexpr int kStaffRowHeight = 26;

card::SotrList& Staff() { return FrmGn->lists().staff; }

// Runs the staff dialog over the main window on the entry the list has begun
// to add or edit, and takes the accepted entry into the list and `grid`.
void RunStaffDialog(TableGrid& grid)
{
    const card::DialogMode mode = FrmGn->lists().dialogMode;
    TFrmSotr dialog(FrmGn);
    if (mode == card::DialogMode::Edit)
        dialog.setSlot(Staff().slot(Staff().editIndex()));
    if (dialog.exec() == QDialog::Accepted)
        Staff().accept(mode, dialog.slot(), grid);
}

} // namespace

ServicePage::ServicePage(QWidget* parent)
    : QWidget(parent)
{
    const QString service = ControlName("HasOtService");
    auto* label11 = NamedLabel("Label11", CaptionText(service.toStdString()), this);
    RGrpSot = MakeYesNoGroup(service, this);
    RGrpSot->setMinimumWidth(120);
    auto* notice = NamedLabel("lbl_1",
                              QStringLiteral("Внимание! Служба ОТ в организации создается в соответствии с "
                                             "постановлением Минтруда РФ от 08.02.2000 г. № 14 и состоит не "
                                             "менее, чем из 2 человек.\r\n"),
                              this);
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    notice->setMinimumWidth(380);

    auto* label12 = NamedLabel("Label12", CardText(card::kStaffCaption), this);

    StrGridSOT = new QTableWidget(this);
    StrGridSOT->setObjectName(QStringLiteral("StrGridSOT"));
    // Every slot of the staff list gets its row, so every employee can be
    // seen, edited and deleted.
    SetUpStringGrid(StrGridSOT, card::SotrList::kCapacity, kStaffColumnWidths, kStaffRowHeight);
    StrGridSOT->setTabKeyNavigation(false); // Tab leaves the grid; arrows move the current cell
    grid_ = std::make_unique<TableGrid>(StrGridSOT);

    BtnAddSotr = MakeNamedButton("BtnAddSotr", QStringLiteral("Добавить"), this);
    BitBtn7 = MakeNamedButton("BitBtn7", QStringLiteral("Редактировать"), this);
    BitBtn8 = MakeNamedButton("BitBtn8", QStringLiteral("Удалить"), this);

    auto* top = new QHBoxLayout;
    top->addWidget(label11, 0, Qt::AlignVCenter);
    top->addWidget(RGrpSot, 0, Qt::AlignVCenter);
    top->addSpacing(16);
    top->addWidget(notice, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtnAddSotr);
    buttons->addWidget(BitBtn7);
    buttons->addWidget(BitBtn8);
    buttons->addStretch(1);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(8, 8, 8, 8);
    page->addLayout(top);
    page->addSpacing(4);
    page->addWidget(label12);
    page->addWidget(StrGridSOT, 1);
    page->addLayout(buttons);

    setTabOrder(RGrpSot->item(0), RGrpSot->item(1));
    setTabOrder(RGrpSot->item(1), StrGridSOT);
    setTabOrder(StrGridSOT, BtnAddSotr);
    setTabOrder(BtnAddSotr, BitBtn7);
    setTabOrder(BitBtn7, BitBtn8);

    connect(BtnAddSotr, &QPushButton::clicked, this, &ServicePage::BtnAddSotrClick);
    connect(BitBtn7, &QPushButton::clicked, this, &ServicePage::BitBtn7Click);
    connect(BitBtn8, &QPushButton::clicked, this, &ServicePage::BitBtn8Click);
}

ServicePage::~ServicePage() = default;

void ServicePage::writeGridHeader()
{
    QStringList titles;
    for (std::string_view title : card::kStaffColumns)
        titles << CardText(title);
    grid_->setHeader(titles);
    // A title wider than its column under the screen's font widens the column
    // rather than being cut (the title of the current column is drawn bold).
    QHeaderView* header = StrGridSOT->horizontalHeader();
    QFont titleFont = header->font();
    titleFont.setBold(true);
    const QFontMetrics title(titleFont);
    constexpr int kTitleMargins = 16;
    for (int column = 0; column < StrGridSOT->columnCount(); ++column) {
        const int needed = title.horizontalAdvance(StrGridSOT->horizontalHeaderItem(column)->text()) + kTitleMargins;
        header->resizeSection(column, std::max(kStaffColumnWidths[column], needed));
    }
}

void ServicePage::BtnAddSotrClick()
{
    RunGuarded([this] {
        // On a full list the dialog does not open: there is no slot to add into.
        if (Staff().beginAdd(FrmGn->lists().dialogMode))
            RunStaffDialog(*grid_);
    });
}

void ServicePage::BitBtn7Click()
{
    RunGuarded([this] {
        if (Staff().beginEdit(grid_->currentRow(), FrmGn->lists().dialogMode))
            RunStaffDialog(*grid_);
    });
}

void ServicePage::BitBtn8Click()
{
    RunGuarded([this] { Staff().remove(grid_->currentRow(), *grid_); });
}
