#pragma once
// The staff dialog (FrmSotr): one employee of the labour-protection service.
// Its caller hands it the entry to edit (setSlot) and, when it is accepted,
// takes the entry it shows (slot) into the staff list.
#include <QDate>
#include <QDialog>

#include "card/entry_lists.h"

class QDateEdit;
class QLineEdit;
class QPushButton;

class TFrmSotr : public QDialog {
    Q_OBJECT
public:
    using Slot = card::SotrList::Slot;

    explicit TFrmSotr(QWidget* parent = nullptr);

    // Shows the entry being edited. A stored date that is no date is
    // reported; the picker keeps its default, and the remaining field is
    // still filled so that accepting does not lose the issuing organisation.
    void setSlot(const Slot& entry);
    // The entry as the dialog shows it, the date as its short-date text.
    Slot slot() const;

    // The date the picker shows unless an entry being edited brings its own.
    static QDate defaultDate() { return QDate(2014, 6, 3); }

public slots:
    void BtnOkClick();
    void BtnCloseClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* EdDoljn = nullptr;
    QLineEdit* EdFIO = nullptr;
    QLineEdit* EDNUd = nullptr;
    QDateEdit* DTUd = nullptr;
    QLineEdit* EdOrg = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnClose = nullptr;
};
