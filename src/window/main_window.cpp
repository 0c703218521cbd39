#include "window/main_window.h"

#include <algorithm>

#include <QAbstractButton>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabWidget>

#include "card/card_commands.h"
#include "card/card_transfer.h"
#include "print/card_preview.h"
#include "version/file_version.h"
#include "widgets/form_font.h"
#include "widgets/messages_qt.h"
#include "widgets/named_button.h"
#include "window/card_file_dialog.h"
#include "window/enterprise_page.h"
#include "window/service_page.h"
#include "window/state_page.h"
#include "window/widget_form.h"
#include "window/workplace_pages.h"

TFrmGn* FrmGn = nullptr;

namespace {

// The bottom row of the window, in client pixels. The window's size is
// derived from where "Закрыть" stands.
constexpr int kButtonTop = 476;
constexpr int kButtonHeight = 25;
constexpr int kCloseLeft = 653;
constexpr int kMargin = 4;

QString& ProgramFile()
{
    static QString path;
    return path;
}

std::string ProgramVersion()
{
    const QString program = ProgramFile().isEmpty() ? QCoreApplication::applicationFilePath() : ProgramFile();
    return FileVersionText(program.toStdString());
}

} // namespace

TFrmGn::TFrmGn(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmGn"));
    setWindowTitle(QString::fromUtf8(card::kAppTitle));
    setFont(FormFont());
    FrmGn = this;

    PCtrl = new QTabWidget(this);
    PCtrl->setObjectName(QStringLiteral("PCtrl"));
    PCtrl->setDocumentMode(true);
    PCtrl->setGeometry(kMargin, kMargin, kCloseLeft + 112 - 2 * kMargin, kButtonTop - 6 - kMargin);

    enterprise_ = new EnterprisePage(this);
    service_ = new ServicePage(this);
    state_ = new StatePage(this);
    PCtrl->addTab(enterprise_, QStringLiteral("Предприятие"));
    PCtrl->addTab(service_, QStringLiteral("Служба ОТ"));
    PCtrl->addTab(state_, QStringLiteral("Состояние ОТ"));
    for (int page = 3; page <= 6; ++page) {
        auto* workplaces = new WorkplacePage(page, this);
        PCtrl->addTab(workplaces, WorkplacePage::caption(page));
    }
    PCtrl->setCurrentIndex(0);
    // The tab widget places its page stack itself when it is shown. Marked as
    // placed already, the stack is not first sized to fit every page, which
    // would lay out the wrapped labels of all seven pages at start-up.
    if (auto* stack = PCtrl->findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly))
        stack->setAttribute(Qt::WA_Resized);

    BitBtn4 = MakeNamedButton("BitBtn4", QStringLiteral("<< Назад"), this, EnterKey::PressesFocusedButton);
    BitBtn4->setGeometry(8, kButtonTop, 90, kButtonHeight);
    BitBtn5 = MakeNamedButton("BitBtn5", QStringLiteral("Далее >>"), this, EnterKey::PressesFocusedButton);
    BitBtn5->setGeometry(104, kButtonTop, 90, kButtonHeight);
    BtnLoadPr = MakeNamedButton("BtnLoadPr", QStringLiteral("Загрузить"), this, EnterKey::PressesFocusedButton);
    BtnLoadPr->setGeometry(453, kButtonTop, 95, kButtonHeight);
    BtnSavePr = MakeNamedButton("BtnSavePr", QStringLiteral("Сохранить"), this, EnterKey::PressesFocusedButton);
    BtnSavePr->setGeometry(553, kButtonTop, 95, kButtonHeight);
    BtnClose = MakeNamedButton("BtnClose", QStringLiteral("Закрыть"), this, EnterKey::PressesFocusedButton);
    BtnClose->setGeometry(kCloseLeft, kButtonTop, 95, kButtonHeight);
    BtnPrint = MakeNamedButton("BtnPrint", QStringLiteral("Печать…"), this, EnterKey::PressesFocusedButton);
    BtnPrint->setGeometry(353, kButtonTop, 95, kButtonHeight);
    // Page navigation leaves the keyboard focus in the field being edited: a
    // click does not take it, while Tab still reaches both buttons.
    BitBtn4->setFocusPolicy(Qt::TabFocus);
    BitBtn5->setFocusPolicy(Qt::TabFocus);

    setTabOrder(PCtrl, BitBtn5);
    setTabOrder(BitBtn5, BitBtn4);
    setTabOrder(BitBtn4, BtnSavePr);
    setTabOrder(BtnSavePr, BtnLoadPr);
    setTabOrder(BtnLoadPr, BtnClose);
    setTabOrder(BtnClose, BtnPrint);

    connect(BitBtn4, &QPushButton::clicked, this, &TFrmGn::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TFrmGn::BitBtn5Click);
    connect(BtnSavePr, &QPushButton::clicked, this, &TFrmGn::BtnSavePrClick);
    connect(BtnLoadPr, &QPushButton::clicked, this, &TFrmGn::BtnLoadPrClick);
    connect(BtnClose, &QPushButton::clicked, this, &TFrmGn::BtnCloseClick);
    connect(BtnPrint, &QPushButton::clicked, this, &TFrmGn::BtnPrintClick);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this), &QShortcut::activated, this,
            &TFrmGn::BtnPrintClick);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, BtnSavePr, &QPushButton::click);
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, BtnLoadPr, &QPushButton::click);

    FormCreate();
    rememberCard();
}

TFrmGn::~TFrmGn()
{
    if (FrmGn == this)
        FrmGn = nullptr;
}

void TFrmGn::setProgramFile(const QString& path) { ProgramFile() = path; }

void TFrmGn::FormCreate()
{
    enterprise_->writeGridHeader();
    service_->writeGridHeader();
    lists_.contacts.resetCounters();
    lists_.staff.resetCounters();
    outerSize_ = QSize(BtnClose->x() + 120, BtnClose->y() + 80);
    resize(outerSize_);
    state_->setDatesToToday();
}

void TFrmGn::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
    keepOuterSize();
}

void TFrmGn::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    keepOuterSize();
}

void TFrmGn::keepOuterSize()
{
    if (outerSizeKept_ || !isVisible())
        return;
    const QSize frame = frameGeometry().size() - size();
    if (frame.width() <= 0 && frame.height() <= 0)
        return; // no frame known (yet)
    outerSizeKept_ = true;
    resize(outerSize_ - frame);
}

void TFrmGn::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PCtrl->resize(width() - 2 * kMargin, PCtrl->height());
}

void TFrmGn::FormShow()
{
    setWindowTitle(QString::fromUtf8(card::kAppTitle) + QStringLiteral(" версия ")
                   + QString::fromStdString(ProgramVersion()));
}

void TFrmGn::BitBtn4Click()
{
    if (PCtrl->currentIndex() > 0)
        PCtrl->setCurrentIndex(PCtrl->currentIndex() - 1);
}

void TFrmGn::BitBtn5Click()
{
    if (PCtrl->currentIndex() < PCtrl->count() - 1)
        PCtrl->setCurrentIndex(PCtrl->currentIndex() + 1);
}

void TFrmGn::BtnSavePrClick()
{
    RunGuarded([this] {
        WidgetForm form(this);
        BoxDialogue user;
        const card::Outcome saved = card::SaveCard(form, lists_, store_, user);
        ShowMessages(saved);
        if (saved.accepted)
            rememberCard();
        else
            bringForward(saved.field);
    });
}

void TFrmGn::BtnLoadPrClick()
{
    RunGuarded([this] {
        if (!mayDropCard(card::kLoadUnsavedQuestion))
            return;
        const QString path = ChooseCardFile(this);
        if (path.isEmpty())
            return;
        WidgetForm form(this);
        // A card without classifier source ends its load in the picker. The
        // card to compare with later is the one read, before a code is
        // picked, so that dropping the picked code asks first.
        bool remembered = false;
        form.beforePicker([this, &remembered] {
            rememberCard();
            remembered = true;
        });
        BoxDialogue user; // the load tells its messages as they come
        if (card::LoadCard(form, lists_, store_, path.toStdString(), user).accepted && !remembered)
            rememberCard();
    });
}

void TFrmGn::BtnCloseClick() { close(); }

void TFrmGn::BtnPrintClick()
{
    // The page shows what a save would store: the record comes from the save's
    // own conversion (a count that is no number stops here as it stops a save),
    // but neither the save's checks nor its file are involved.
    RunGuarded([this] {
        WidgetForm form(this);
        card::TCardRec card;
        const card::Outcome built = card::RecordFromWindow(form, lists_, card);
        if (!built.accepted) {
            ShowMessages(built);
            bringForward(built.field);
            return;
        }
        ShowCardPreview(
            this, card,
            {QString::fromUtf8(card::kAppTitle), QString::fromStdString(ProgramVersion()), QDate::currentDate()});
    });
}

void TFrmGn::closeEvent(QCloseEvent* event)
{
    if (mayDropCard(card::kCloseUnsavedQuestion))
        event->accept();
    else
        event->ignore();
}

void TFrmGn::rememberCard()
{
    WidgetForm form(this);
    keptCard_ = card::CardInWindow(form, lists_);
}

bool TFrmGn::mayDropCard(const char* question)
{
    WidgetForm form(this);
    const std::optional<card::TCardRec> shown = card::CardInWindow(form, lists_);
    if (shown && keptCard_ && *shown == *keptCard_)
        return true;
    // A reflexive Enter keeps the card.
    return Boxes().confirm(question, card::Answer::No) == card::Answer::Yes;
}

void TFrmGn::bringForward(const std::string& control)
{
    if (control.empty())
        return;
    QWidget* field = findChild<QWidget*>(QString::fromStdString(control));
    if (!field)
        return;
    // Each page the field sits on, from the innermost out, becomes the
    // current one of its tab widget or stack.
    for (QWidget* page = field; page->parentWidget(); page = page->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
        if (!stack)
            continue;
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
            tabs->setCurrentWidget(page);
        else
            stack->setCurrentWidget(page);
    }
    // A radio group takes no focus itself: its chosen button does (with none
    // chosen, its first).
    if (field->focusPolicy() == Qt::NoFocus) {
        const QList<QAbstractButton*> buttons = field->findChildren<QAbstractButton*>();
        const auto chosen
            = std::find_if(buttons.begin(), buttons.end(), [](QAbstractButton* b) { return b->isChecked(); });
        if (chosen != buttons.end())
            field = *chosen;
        else if (!buttons.isEmpty())
            field = buttons.first();
    }
    field->setFocus(Qt::OtherFocusReason);
}
