#pragma once
// The register's window: the chosen folder's cards as one table with
// filters and a totals row, a view per district, and the export.
#include <QMainWindow>

#include "register/register_reader.h"
#include "register_window/register_models.h"
#include "register_window/row_feeder.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;

inline constexpr char kRegisterTitle[] = "ЮНРА5. Сводка карточек.";

class RegisterWindow final : public QMainWindow {
    Q_OBJECT
public:
    // `readRow` turns each found file into its row (tests hold a reading
    // part-way with it).
    explicit RegisterWindow(QWidget* parent = nullptr, reg::RowReader readRow = reg::ReadCardFileRow);
    ~RegisterWindow() override;

    // Reads every card under `folder` into the table (the folder is
    // remembered for the next start). An earlier reading is cancelled.
    void openFolder(const QString& folder);
    // Opens the folder of the last start, if there is one.
    void openRememberedFolder();
    // Writes the shown rows (and the districts) to `path`; false after a
    // message says why not, and while a reading runs («Экспорт…» is off
    // then). After a cancelled reading the report says what was left out.
    bool exportTo(const QString& path);
    // The print preview of the card of the selected row, read again from its
    // file; a file that has gone or changed gives the card program's message.
    void printSelectedCard();
    // Stops a reading under way: the rows read so far stay.
    void cancelReading();
    bool reading() const;

    RegisterModel* model() const { return model_; }
    RegisterProxy* proxy() const { return proxy_; }
    CellTableModel* totals() const { return totals_; }
    CellTableModel* districts() const { return districts_; }

    static QString rememberedFolder();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void chooseFolder();
    void chooseExportFile();
    // The one selected row of a card that was read, in the cards view; null
    // when there is none.
    const reg::RegisterRow* selectedCardRow() const;
    void updatePrintButton();
    void showProgress(int done, int total);
    void finishReading();
    // " (чтение отменено: пропущено 5 файлов из 120)" after a cancelled
    // reading that left files out; empty otherwise.
    QString cancelledNote() const;
    void applyFilters();
    void updateSums();
    void updateYears();
    QWidget* buildFilters();
    QWidget* buildCardsView();

    RegisterModel* model_;
    RegisterProxy* proxy_;
    CellTableModel* totals_;
    CellTableModel* districts_;
    RowFeeder feeder_;
    QString folder_;

    QPushButton* btnOpen_ = nullptr;
    QPushButton* btnExport_ = nullptr;
    QPushButton* btnPrintCard_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    QLabel* lblFolder_ = nullptr;
    QLabel* lblSummary_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QComboBox* combDistrict_ = nullptr;
    QComboBox* combYear_ = nullptr;
    QComboBox* combPeriod_ = nullptr;
    QComboBox* combState_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QTableView* tblCards_ = nullptr;
    QTableView* tblTotals_ = nullptr;
    QTableView* tblDistricts_ = nullptr;
};
