#pragma once
// Page "Предприятие": the enterprise's identity and, at the bottom, its
// contacts. Every control carries its name as objectName, which is how the
// save and load commands reach them.
#include <optional>

#include <QChar>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class ContactsBlock;

class EnterprisePage : public QWidget {
    Q_OBJECT
public:
    explicit EnterprisePage(QWidget* parent = nullptr);
    // Header row of the contacts grid (done when the main window is created).
    void writeGridHeader();
    QTableWidget* contactsGrid() const;

    // The districts of `CombRn`, in list order: the item index is what the
    // card stores as the district code.
    static const QStringList& districtNames();

    // Character filters: the typed character passes, or nullopt swallows it.
    static std::optional<QChar> Ed_nameKeyPress(QChar typed);
    static std::optional<QChar> Ed_innKeyPress(QChar typed);
    static std::optional<QChar> CombRnKeyPress(QChar typed);
    static bool CombRnKeyDown(int qtKey);

public slots:
    void Ed_innChange();
    void Ed_innExit();
    void Ed_okvedChange();
    void Ed_okvedExit();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* Ed_opf = nullptr;
    QLineEdit* Ed_inn = nullptr;
    QLineEdit* Ed_name = nullptr;
    QLineEdit* Ed_okved = nullptr;
    QLabel* lbl_okv = nullptr;
    QLineEdit* Ed_doljn = nullptr;
    QLineEdit* Ed_fio = nullptr;
    QComboBox* CombRn = nullptr;
    QLineEdit* Ed_np = nullptr;
    QLineEdit* Ed_adr = nullptr;
    ContactsBlock* contacts_ = nullptr;
};
