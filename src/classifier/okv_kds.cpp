#include "classifier/okv_kds.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "classifier/classifier_rows.h"
#include "classifier/classifier_table.h"
#include "classifier/code_field_output.h"
#include "classifier/record_navigator.h"
#include "widgets/key_filters.h"
#include "widgets/messages_qt.h"
#include "widgets/named.h"
#include "widgets/named_button.h"

namespace {

// The grid's columns, in the order shown, with their widths (0: the rest).
struct GridColumn {
    const char* name;
    int width;
};
constexpr GridColumn kGridColumns[] = {{"RAZDEL", 60}, {"OKVED", 80}, {"NAME", 0}};

constexpr int kItemOkved = 0;
constexpr int kItemKdes2 = 1;

// The search field takes digits and Backspace. Tab is let through so that it
// still moves the focus on.
std::optional<QChar> SearchFieldChar(QChar typed)
{
    if (typed.unicode() == 9)
        return typed;
    return DigitsAndBackspace(typed);
}

} // namespace

TFrm_okv::TFrm_okv(const CodeTarget& target, QWidget* parent)
    : QDialog(parent)
    , target_(target)
{
    setObjectName(QStringLiteral("Frm_okv"));
    setWindowTitle(QStringLiteral("Выбор кода ОКВЭД / КДЕС2"));

    // Each picker has its own pair of tables, both open at their first row.
    cldtset_okved = new ClassifierTable(ClassifierRowsOf(ClassifierKind::Okved), this);
    cldtset_okved->setObjectName(QStringLiteral("cldtset_okved"));
    cldtset_kdes2 = new ClassifierTable(ClassifierRowsOf(ClassifierKind::Kdes2), this);
    cldtset_kdes2->setObjectName(QStringLiteral("cldtset_kdes2"));

    buildControls();
    // The grid and the navigator start on the OKVED table.
    bindGrid(cldtset_okved);
    dbnav1->bind(cldtset_okved);
    showNote();
    wireHandlers();
}

// The controls, their arrangement and the tab order.
void TFrm_okv::buildControls()
{
    rgrp_okv_kds = new QGroupBox(QStringLiteral("выбор: ОКВЭД/ОКВЭД2"), this);
    rgrp_okv_kds->setObjectName(QStringLiteral("rgrp_okv_kds"));
    rgrpItems_ = new QButtonGroup(rgrp_okv_kds);
    auto* items = new QVBoxLayout(rgrp_okv_kds);
    for (ClassifierKind kind : {ClassifierKind::Okved, ClassifierKind::Kdes2}) {
        auto* item = new QRadioButton(Utf8(InfoOf(kind).choiceText), rgrp_okv_kds);
        const int index = kind == ClassifierKind::Okved ? kItemOkved : kItemKdes2;
        item->setObjectName(QStringLiteral("rgrp_okv_kds_%1").arg(index));
        rgrpItems_->addButton(item, index);
        items->addWidget(item);
    }
    rgrpItems_->button(kItemOkved)->setChecked(true);

    lbl_1 = NamedLabel("lbl_1", Utf8("Поиск по коду "), this);
    edt_eh_locate = new QLineEdit(this);
    edt_eh_locate->setObjectName(QStringLiteral("edt_eh_locate"));
    edt_eh_locate->setFixedWidth(120);
    lbl_2 = NamedLabel("lbl_2", Utf8("* код вводить без точек"), this);
    QPalette red = lbl_2->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    lbl_2->setPalette(red);

    dbgrd1 = new QTableView(this);
    dbgrd1->setObjectName(QStringLiteral("dbgrd1"));
    dbgrd1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgrd1->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgrd1->setSelectionMode(QAbstractItemView::SingleSelection);
    dbgrd1->setTabKeyNavigation(false);
    dbgrd1->setWordWrap(false);
    dbgrd1->verticalHeader()->hide();
    dbgrd1->verticalHeader()->setDefaultSectionSize(dbgrd1->fontMetrics().height() + 6);
    dbgrd1->horizontalHeader()->setStretchLastSection(true);
    dbgrd1->horizontalHeader()->setHighlightSections(false);

    dbmemo_ABOUT = new QPlainTextEdit(this);
    dbmemo_ABOUT->setObjectName(QStringLiteral("dbmemo_ABOUT"));
    dbmemo_ABOUT->setReadOnly(true);
    dbmemo_ABOUT->setFixedHeight(130);
    dbmemo_ABOUT->hide();

    bitbtn_Ok = MakeNamedButton("bitbtn_Ok", Utf8("Принять"), this);
    bitbtn_close = MakeNamedButton("bitbtn_close", Utf8("Закрыть"), this);
    dbnav1 = new RecordNavigator(this);
    dbnav1->setObjectName(QStringLiteral("dbnav1"));

    // Arrangement: the radio group at the top left, the search to its right,
    // the grid across the width, the note under it, the buttons at the bottom.
    auto* search = new QGridLayout;
    search->addWidget(lbl_1, 0, 0, 1, 2);
    search->addWidget(edt_eh_locate, 1, 0);
    search->addWidget(lbl_2, 1, 1);
    search->setColumnStretch(2, 1);
    search->setRowStretch(2, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(rgrp_okv_kds);
    top->addSpacing(12);
    top->addLayout(search, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(dbnav1);
    bottom->addStretch(1);
    bottom->addWidget(bitbtn_Ok);
    bottom->addWidget(bitbtn_close);
    auto* form = new QVBoxLayout(this);
    form->addLayout(top);
    form->addWidget(dbgrd1, 1);
    form->addWidget(dbmemo_ABOUT);
    form->addLayout(bottom);
    resize(800, 560);

    QWidget* tabOrder[] = {rgrpItems_->button(kItemOkved),
                           rgrpItems_->button(kItemKdes2),
                           edt_eh_locate,
                           dbgrd1,
                           dbmemo_ABOUT,
                           bitbtn_Ok,
                           bitbtn_close,
                           dbnav1->firstButton(),
                           dbnav1->priorButton(),
                           dbnav1->nextButton(),
                           dbnav1->lastButton()};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

// What the controls do: the tables' moves, the radio group's keys and focus,
// the search field and the buttons.
void TFrm_okv::wireHandlers()
{
    for (ClassifierTable* table : {cldtset_okved, cldtset_kdes2}) {
        connect(table, &ClassifierTable::currentRowChanged, this, [this, table] {
            if (table == gridTable_)
                showCurrentRow();
        });
    }
    connect(cldtset_kdes2, &ClassifierTable::currentRowChanged, this, &TFrm_okv::showNote);
    // The radio group is one stop in the tab order, at its selected item; the
    // arrow keys choose the item before or after it.
    for (QAbstractButton* item : rgrpItems_->buttons()) {
        item->setFocusPolicy(item->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
        InstallKeyDownFilter(item, [this](int key) {
            const int step = (key == Qt::Key_Down || key == Qt::Key_Right) ? 1
                : (key == Qt::Key_Up || key == Qt::Key_Left)               ? -1
                                                                           : 0;
            if (step == 0)
                return false;
            if (QAbstractButton* next = rgrpItems_->button(rgrpItems_->checkedId() + step))
                next->setChecked(true);
            return true;
        });
    }
    connect(rgrpItems_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        rgrpItems_->button(id)->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
        if (checked) // the item that was selected before reports its un-check
            rgrp_okv_kdsClick();
    });
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (isInRadioGroup(old) && now && !isInRadioGroup(now) && now->window() == this)
            rgrp_okv_kdsExit();
    });
    InstallCharFilter(edt_eh_locate, SearchFieldChar);
    OnEnter(edt_eh_locate, [this](FocusVia via) {
        if (via != FocusVia::Mouse)
            edt_eh_locate->selectAll(); // the next digit replaces the text
    });
    connect(edt_eh_locate, &QLineEdit::textChanged, this, &TFrm_okv::edt_eh_locateChange);
    connect(bitbtn_Ok, &QPushButton::clicked, this, [this] { RunGuarded([this] { bitbtn_OkClick(); }); });
    connect(bitbtn_close, &QPushButton::clicked, this, &TFrm_okv::bitbtn_closeClick);
}

TFrm_okv::~TFrm_okv()
{
    // The children go after this destructor; the one that has the focus then
    // reports its loss to the application, which this picker must not hear.
    disconnect(focusWatch_);
}

ClassifierKind TFrm_okv::selectedKind() const
{
    return rgrpItems_->checkedId() == kItemKdes2 ? ClassifierKind::Kdes2 : ClassifierKind::Okved;
}

ClassifierTable* TFrm_okv::table(ClassifierKind kind) const
{
    return kind == ClassifierKind::Okved ? cldtset_okved : cldtset_kdes2;
}

void TFrm_okv::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

void TFrm_okv::FormShow() { edt_eh_locate->setFocus(); }

void TFrm_okv::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TFrm_okv::FormClose()
{
    cldtset_okved->close();
    cldtset_kdes2->close();
}

void TFrm_okv::rgrp_okv_kdsClick()
{
    if (selectedKind() == ClassifierKind::Okved) {
        cldtset_kdes2->close();
        cldtset_okved->open();
    } else {
        cldtset_kdes2->open();
        cldtset_okved->close();
    }
    // Leaving the radio group rebinds the grid; the search field keeps its
    // text, wholly selected, and searches again only when it changes.
    edt_eh_locate->setFocus(Qt::OtherFocusReason);
    if (gridTable_ != table(selectedKind()))
        rgrp_okv_kdsExit(); // the focus did not move (the window is not active)
    QCoreApplication::processEvents();
}

void TFrm_okv::rgrp_okv_kdsExit()
{
    const bool kdes2 = selectedKind() == ClassifierKind::Kdes2;
    bindGrid(table(selectedKind()));
    dbnav1->bind(table(selectedKind()));
    dbmemo_ABOUT->setVisible(kdes2);
}

void TFrm_okv::edt_eh_locateChange()
{
    // The dots of a code appear by themselves: at length 3 or 6 a dot goes in
    // before the last character. That insertion is a change of its own and
    // brings this handler back for the longer text.
    const qsizetype length = edt_eh_locate->text().size();
    if (length == 3 || length == 6) {
        edt_eh_locate->setCursorPosition(int(length - 1));
        edt_eh_locate->insert(QStringLiteral("."));
        edt_eh_locate->setCursorPosition(int(edt_eh_locate->text().size()));
    }
    table(selectedKind())->locate(u"okved", edt_eh_locate->text());
}

void TFrm_okv::bitbtn_OkClick()
{
    const ClassifierKind kind = selectedKind();
    ClassifierTable* chosen = table(kind);
    const QString code = chosen->value(u"okved");
    if (code == chosen->value(u"razdel")) {
        Boxes().info(InfoOf(kind).headingMessage);
        return;
    }
    WriteChosenCode(target_, code, kind);
    accept();
}

void TFrm_okv::bitbtn_closeClick() { reject(); }

void TFrm_okv::keyPressEvent(QKeyEvent* event)
{
    // Enter presses the button that has the focus and does nothing elsewhere:
    // only "Принять" accepts, never the grid or the search field.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        if (button && button->window() == this)
            button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TFrm_okv::isInRadioGroup(const QWidget* widget) const
{
    return widget && (widget == rgrp_okv_kds || rgrp_okv_kds->isAncestorOf(widget));
}

void TFrm_okv::bindGrid(ClassifierTable* table)
{
    if (gridTable_ == table)
        return;
    gridTable_ = table;
    dbgrd1->setModel(table);
    QHeaderView* header = dbgrd1->horizontalHeader();
    for (int column = 0; column < table->columnCount(); ++column)
        header->setSectionHidden(column, true);
    int visual = 0;
    for (const GridColumn& shown : kGridColumns) {
        const int column = table->columnIndex(QString::fromLatin1(shown.name));
        header->setSectionHidden(column, false);
        header->moveSection(header->visualIndex(column), visual++);
        if (shown.width > 0)
            header->resizeSection(column, shown.width);
    }
    connect(dbgrd1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, table](const QModelIndex& current) {
                if (current.isValid() && table == gridTable_)
                    table->moveTo(current.row());
            });
    showCurrentRow();
}

void TFrm_okv::showCurrentRow()
{
    const int row = gridTable_ ? gridTable_->currentRow() : -1;
    if (row < 0)
        return;
    const int codeColumn = dbgrd1->horizontalHeader()->logicalIndex(1);
    const QModelIndex current = gridTable_->index(row, codeColumn);
    dbgrd1->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    dbgrd1->scrollTo(current);
}

void TFrm_okv::showNote()
{
    // The note memo always follows the KDES2 table; it is empty while that
    // table is closed.
    dbmemo_ABOUT->setPlainText(cldtset_kdes2->value(u"ABOUT"));
}

void ShowClassifierPicker(const CodeTarget& target, QWidget* parent)
{
    TFrm_okv picker(target, parent);
    picker.exec();
}
