#include "window/contact_dialog.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "window/form_font.h"
#include "window/key_filters.h"
#include "window/named_button.h"

namespace {

constexpr int kLabelLeft = 10;
constexpr int kFieldLeft = 150;
constexpr int kFieldWidth = 300;
constexpr int kFieldHeight = 21;

QLabel* AddLabel(QWidget* dialog, const char* name, const QString& text, QWidget* buddy, int top)
{
    auto* label = new QLabel(text, dialog);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(kLabelLeft, top, kFieldLeft - kLabelLeft - 6, kFieldHeight);
    label->setBuddy(buddy);
    return label;
}

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
    ComBTypeK->setGeometry(kFieldLeft, 12, kFieldWidth, kFieldHeight);
    AddLabel(this, "Label1", QStringLiteral("Тип контакта"), ComBTypeK, 12);

    EdKontakt = new QLineEdit(this);
    EdKontakt->setObjectName(QStringLiteral("EdKontakt"));
    EdKontakt->setGeometry(kFieldLeft, 42, kFieldWidth, kFieldHeight);
    AddLabel(this, "LblKontkt", QStringLiteral("Контактные данные"), EdKontakt, 42);

    BtnOK = MakeNamedButton(this, "BtnOK", QStringLiteral("Принять"));
    BtnOK->setGeometry(kFieldLeft + kFieldWidth - 200, 74, 95, 25);
    BtnClose = MakeNamedButton(this, "BtnClose", QStringLiteral("Закрыть"));
    BtnClose->setGeometry(kFieldLeft + kFieldWidth - 95, 74, 95, 25);
    setFixedSize(kFieldLeft + kFieldWidth + 12, 110);

    setTabOrder(ComBTypeK, EdKontakt);
    setTabOrder(EdKontakt, BtnOK);
    setTabOrder(BtnOK, BtnClose);

    InstallCharFilter(EdKontakt, CardCharacter);
    InstallCharFilter(EdKontakt, [this](QChar typed) { return EdKontaktKeyPress(typed); });
    InstallCharFilter(ComBTypeK, CardCharacter);
    InstallCharFilter(ComBTypeK->lineEdit(), CardCharacter);
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
        default:
            break;
        }
    }
    QDialog::keyPressEvent(event);
}
