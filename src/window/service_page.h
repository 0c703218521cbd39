#pragma once
// Page "Служба ОТ": whether the enterprise has a labour-protection service,
// and the service's staff (the staff list shown in its grid, edited through
// the staff dialog).
#include <memory>

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;
class RadioGroup;
class TableGrid;

class ServicePage : public QWidget {
    Q_OBJECT
public:
    explicit ServicePage(QWidget* parent = nullptr);
    ~ServicePage() override;

    // Header row of the staff grid (done when the main window is created).
    void writeGridHeader();

    // The staff grid as the staff list sees it.
    TableGrid& staffGrid() { return *grid_; }
    RadioGroup* serviceGroup() const { return RGrpSot; }

public slots:
    void BtnAddSotrClick(); // "Добавить"
    void BitBtn7Click();    // "Редактировать"
    void BitBtn8Click();    // "Удалить"

private:
    RadioGroup* RGrpSot = nullptr;
    QTableWidget* StrGridSOT = nullptr;
    QPushButton* BtnAddSotr = nullptr;
    QPushButton* BitBtn7 = nullptr;
    QPushButton* BitBtn8 = nullptr;
    std::unique_ptr<TableGrid> grid_;
};
