#include "window/main_window.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTabWidget>

#include "card/messages.h"
#include "window/enterprise_page.h"
#include "window/file_version.h"
#include "window/service_page.h"
#include "window/state_page.h"
#include "window/workplace_pages.h"

TFrmGn* FrmGn = nullptr;

namespace {

// The bottom row of the window, in client pixels. The window's size is
// derived from where "Закрыть" stands.
constexpr int kButtonTop = 476;
constexpr int kButtonHeight = 25;
constexpr int kCloseLeft = 653;

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect where)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(where);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TFrmGn::TFrmGn(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmGn"));
    setWindowTitle(QString::fromUtf8(card::kAppTitle));
    FrmGn = this;

    PCtrl = new QTabWidget(this);
    PCtrl->setObjectName(QStringLiteral("PCtrl"));
    PCtrl->setDocumentMode(true);
    PCtrl->setGeometry(0, 0, kCloseLeft + 112, kButtonTop - 6);

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

    BitBtn4 = MakeButton(this, "BitBtn4", QStringLiteral("<< Назад"), {8, kButtonTop, 90, kButtonHeight});
    BitBtn5 = MakeButton(this, "BitBtn5", QStringLiteral("Далее >>"), {104, kButtonTop, 90, kButtonHeight});
    BtnLoadPr = MakeButton(this, "BtnLoadPr", QStringLiteral("Загрузить"), {453, kButtonTop, 95, kButtonHeight});
    BtnSavePr = MakeButton(this, "BtnSavePr", QStringLiteral("Сохранить"), {553, kButtonTop, 95, kButtonHeight});
    BtnClose = MakeButton(this, "BtnClose", QStringLiteral("Закрыть"), {kCloseLeft, kButtonTop, 95, kButtonHeight});
    // Navigation never takes the focus away from the field being edited.
    BitBtn4->setFocusPolicy(Qt::NoFocus);
    BitBtn5->setFocusPolicy(Qt::NoFocus);

    setTabOrder(PCtrl, BitBtn5);
    setTabOrder(BitBtn5, BitBtn4);
    setTabOrder(BitBtn4, BtnSavePr);
    setTabOrder(BtnSavePr, BtnLoadPr);
    setTabOrder(BtnLoadPr, BtnClose);

    connect(BitBtn4, &QPushButton::clicked, this, &TFrmGn::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TFrmGn::BitBtn5Click);
    connect(BtnSavePr, &QPushButton::clicked, this, &TFrmGn::BtnSavePrClick);
    connect(BtnLoadPr, &QPushButton::clicked, this, &TFrmGn::BtnLoadPrClick);
    connect(BtnClose, &QPushButton::clicked, this, &TFrmGn::BtnCloseClick);

    FormCreate();
}

TFrmGn::~TFrmGn()
{
    if (FrmGn == this)
        FrmGn = nullptr;
}

void TFrmGn::FormCreate()
{
    enterprise_->writeGridHeader();
    service_->writeGridHeader();
    lists_.contacts.resetCounters();
    lists_.staff.resetCounters();
    resize(BtnClose->x() + 120, BtnClose->y() + 80);
    state_->setDatesToToday();
}

void TFrmGn::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

void TFrmGn::FormShow()
{
    const std::string version = FileVersionText(QCoreApplication::applicationFilePath().toStdString());
    setWindowTitle(QString::fromUtf8(card::kAppTitle) + QStringLiteral(" версия ")
                   + QString::fromStdString(version));
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

void TFrmGn::BtnSavePrClick() {}

void TFrmGn::BtnLoadPrClick() {}

void TFrmGn::BtnCloseClick() { close(); }
