#pragma once
// The contact dialog: one contact's type and data. It is created anew for
// every opening, reads the add/edit flag and the edit index of the main
// window's contact list, and on "Принять" stores the entry straight into
// that list and its grid.
#include <optional>

#include <QChar>
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

class TFrmKontakt : public QDialog {
    Q_OBJECT
public:
    explicit TFrmKontakt(QWidget* parent = nullptr);

    // The contact types offered; any other text may be typed.
    static const QStringList& contactTypes();

public slots:
    void BtnOKClick();
    void BtnCloseClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    std::optional<QChar> EdKontaktKeyPress(QChar typed);

    QComboBox* ComBTypeK = nullptr;
    QLineEdit* EdKontakt = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnClose = nullptr;
};
