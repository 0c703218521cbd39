#include "window/staff_dialog.h"

#include <algorithm>

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "card/errors.h"
#include "widgets/date_picker.h"
#include "widgets/key_filters.h"
#include "widgets/messages_qt.h"
#include "widgets/named.h"
#include "widgets/named_button.h"

TFrmSotr::TFrmSotr(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmSotr"));
    setWindowTitle(QStringLiteral("Сотрудники службы охраны труда"));
    setModal(true);

    EdDoljn = Named<QLineEdit>("EdDoljn", this);
    EdFIO = Named<QLineEdit>("EdFIO", this);
    EDNUd = Named<QLineEdit>("EDNUd", this);
    DTUd = MakeDatePicker(QStringLiteral("DTUd"), this);
    DTUd->setDate(defaultDate());
    EdOrg = Named<QLineEdit>("EdOrg", this);
    for (QLineEdit* edit : {EdDoljn, EdFIO, EDNUd, EdOrg})
        InstallCardText(edit);
    BtnOk = MakeNamedButton("BtnOk", QStringLiteral("Принять"), this);
    BtnClose = MakeNamedButton("BtnClose", QStringLiteral("Закрыть"), this);

    struct Column {
        const char* labelName;
        QString text;
        QWidget* field;
        int width;
    };
    const Column columns[] = {
        {"Label1", QStringLiteral("Должность работника"), EdDoljn, 150},
        {"Label2", QStringLiteral("Ф.И.О. работника"), EdFIO, 150},
        {"Label3", QStringLiteral("№ удостоверения о проверке знаний"), EDNUd, 125},
        {"Label4", QStringLiteral("дата выдачи удостоверения"), DTUd, 105},
        {"Label5", QStringLiteral("Название организации, выдавшей удостоверение"), EdOrg, 185},
    };
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    for (int i = 0; i < 5; ++i) {
        const Column& column = columns[i];
        // A larger font widens a column only where its field (the date) would
        // no longer show its text.
        const int width = std::max(column.width, column.field->minimumSizeHint().width());
        QLabel* label = NamedLabel(column.labelName, column.text, this, column.field);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        label->setFixedWidth(width);
        fields->addWidget(label, 0, i);
        column.field->setFixedWidth(width);
        fields->addWidget(column.field, 1, i);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtnOk);
    buttons->addWidget(BtnClose);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(fields);
    layout->addSpacing(12);
    layout->addLayout(buttons);

    setTabOrder(EdDoljn, EdFIO);
    setTabOrder(EdFIO, EDNUd);
    setTabOrder(EDNUd, DTUd);
    setTabOrder(DTUd, EdOrg);
    setTabOrder(EdOrg, BtnOk);
    setTabOrder(BtnOk, BtnClose);

    connect(BtnOk, &QPushButton::clicked, this, &TFrmSotr::BtnOkClick);
    connect(BtnClose, &QPushButton::clicked, this, &TFrmSotr::BtnCloseClick);
}

void TFrmSotr::setSlot(const Slot& entry)
{
    EdDoljn->setText(QString::fromStdString(entry[card::SotrList::Doljn]));
    EdFIO->setText(QString::fromStdString(entry[card::SotrList::FIO]));
    EDNUd->setText(QString::fromStdString(entry[card::SotrList::NUd]));
    RunGuarded([&] { DTUd->setDate(ToQDate(card::StrToDate(entry[card::SotrList::DatUd]))); });
    EdOrg->setText(QString::fromStdString(entry[card::SotrList::Org]));
}

TFrmSotr::Slot TFrmSotr::slot() const
{
    return {EdDoljn->text().toStdString(), EdFIO->text().toStdString(), EDNUd->text().toStdString(),
            PickerDateText(DTUd), EdOrg->text().toStdString()};
}

void TFrmSotr::BtnOkClick() { accept(); }

void TFrmSotr::BtnCloseClick() { reject(); }

void TFrmSotr::keyPressEvent(QKeyEvent* event)
{
    // The dialog has no cancel button: Escape does not close it.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
