#pragma once
// The contact dialog: one contact's type and data. It is created anew for
// every opening; its caller hands it the entry to edit (setSlot) and, when it
// is accepted, takes the entry it shows (slot) into the contact list.
#include <optional>

#include <QChar>
#include <QDialog>

#include "card/entry_lists.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class TFrmKontakt : public QDialog {
    Q_OBJECT
public:
    explicit TFrmKontakt(QWidget* parent = nullptr);

    using Slot = card::ContactList::Slot;

    // The contact types offered; any other text may be typed.
    static const QStringList& contactTypes();

    // Shows the entry being edited: a type matching an item in any case
    // selects that item, any other type stands in the type box as it is.
    void setSlot(const Slot& slot);
    // The entry as the dialog shows it.
    Slot slot() const;

public slots:
    void BtnOKClick();
    void BtnCloseClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::optional<QChar> EdKontaktKeyPress(QChar typed);

    QComboBox* ComBTypeK = nullptr;
    QLineEdit* EdKontakt = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnClose = nullptr;
};
