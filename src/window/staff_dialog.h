#pragma once
// The staff dialog (FrmSotr): one employee of the labour-protection service.
// It reads the shared dialog mode and the staff list's edit index, and on
// "Принять" stores the entry straight into the list and its grid.
#include <QDate>
#include <QDialog>

class QDateEdit;
class QLineEdit;
class QPushButton;

class TFrmSotr : public QDialog {
    Q_OBJECT
public:
    explicit TFrmSotr(QWidget* parent = nullptr);

    // Creates a new dialog over the main window and shows it modally.
    static void Open();

    // The date the picker shows unless an entry being edited brings its own.
    static QDate defaultDate() { return QDate(2014, 6, 3); }

public slots:
    void BtnOkClick();
    void BtnCloseClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();

    QLineEdit* EdDoljn = nullptr;
    QLineEdit* EdFIO = nullptr;
    QLineEdit* EDNUd = nullptr;
    QDateEdit* DTUd = nullptr;
    QLineEdit* EdOrg = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnClose = nullptr;
};
