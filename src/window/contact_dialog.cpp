#include "window/contact_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/form_font.h"
#include "widgets/key_filters.h"
#include "widgets/named.h"
#include "widgets/named_button.h"

namespace {

// Wide enough for a web address or an e-mail address without scrolling.
constexpr int kFieldMinWidth = 300;
constexpr QSize kButtonMinSize(95, 25);

} // namespace

TFrmKontakt::TFrmKontakt(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmKontakt"));
    setWindowTitle(QStringLiteral("Контактная информация"));
    setFont(FormFont());
    setModal(true);

    ComBTypeK = new QComboBox(this);
    ComBTypeK->setObjectName(QStringLiteral("ComBTypeK"));
    ComBTypeK->setEditable(true);
    ComBTypeK->setInsertPolicy(QComboBox::NoInsert);
    ComBTypeK->addItems(contactTypes());
    ComBTypeK->setCurrentIndex(0);
    ComBTypeK->setMinimumWidth(kFieldMinWidth);

    EdKontakt = new QLineEdit(this);
    EdKontakt->setObjectName(QStringLiteral("EdKontakt"));
    EdKontakt->setMinimumWidth(kFieldMinWidth);

    BtnOK = MakeNamedButton("BtnOK", QStringLiteral("Принять"), this);
    BtnClose = MakeNamedButton("BtnClose", QStringLiteral("Закрыть"), this);

    // Sizes come from the font, so the labels keep their whole text wherever
    // the program runs; the dialog itself cannot be resized.
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(16);
    fields->addWidget(NamedLabel("Label1", QStringLiteral("Тип контакта"), this, ComBTypeK), 0, 0);
    fields->addWidget(ComBTypeK, 0, 1);
    fields->addWidget(NamedLabel("LblKontkt", QStringLiteral("Контактные данные"), this, EdKontakt), 1, 0);
    fields->addWidget(EdKontakt, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {BtnOK, BtnClose}) {
        button->setMinimumSize(kButtonMinSize);
        buttons->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    setTabOrder(ComBTypeK, EdKontakt);
    setTabOrder(EdKontakt, BtnOK);
    setTabOrder(BtnOK, BtnClose);

    InstallCardText(EdKontakt);
    InstallCharFilter(EdKontakt, [this](QChar typed) { return EdKontaktKeyPress(typed); });
    InstallCharFilter(ComBTypeK, CardCharacter);
    InstallCardText(ComBTypeK->lineEdit());
    connect(BtnOK, &QPushButton::clicked, this, &TFrmKontakt::BtnOKClick);
    connect(BtnClose, &QPushButton::clicked, this, &TFrmKontakt::BtnCloseClick);
}

const QStringList& TFrmKontakt::contactTypes()
{
    static const QStringList types{QStringLiteral("Телефон"), QStringLiteral("Факс"),
                                   QStringLiteral("Электронная почта"), QStringLiteral("Сайт")};
    return types;
}

void TFrmKontakt::setSlot(const Slot& slot)
{
    const QString type = QString::fromStdString(slot[card::ContactList::TypeK]);
    int match = -1;
    for (int i = 0; i < ComBTypeK->count(); ++i) {
        if (ComBTypeK->itemText(i).compare(type, Qt::CaseInsensitive) == 0) {
            match = i;
            break;
        }
    }
    ComBTypeK->setCurrentIndex(match);
    // A type typed freely when the contact was added is shown as it is, so
    // accepting unchanged keeps it (an empty type would free the slot).
    if (match < 0)
        ComBTypeK->setEditText(type);
    EdKontakt->setText(QString::fromStdString(slot[card::ContactList::DataK]));
}

TFrmKontakt::Slot TFrmKontakt::slot() const
{
    return {ComBTypeK->currentText().toStdString(), EdKontakt->text().toStdString()};
}

std::optional<QChar> TFrmKontakt::EdKontaktKeyPress(QChar typed)
{
    if (typed.unicode() != 13)
        return typed;
    if (!EdKontakt->text().isEmpty())
        BtnOKClick();
    return std::nullopt;
}

void TFrmKontakt::BtnOKClick() { accept(); }

void TFrmKontakt::BtnCloseClick() { reject(); }

void TFrmKontakt::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        switch (event->key()) {
        case Qt::Key_Escape:
            // No cancel button either: Escape does not close the dialog.
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Enter presses the button that has the focus, and only that one.
            if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
                button->click();
            event->accept();
            return;
        default: break;
        }
    }
    QDialog::keyPressEvent(event);
}
