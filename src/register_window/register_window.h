#pragma once
// The register's window: the chosen folder's cards as one table with
// filters and a totals row, a view per district, the annual report's
// figures, and the export. Each view is a widget of its own; the window
// builds them and passes the rows between them.
#include <QMainWindow>

#include "register/register_reader.h"
#include "register/register_table.h"
#include "register_window/register_models.h"
#include "register_window/row_feeder.h"

class CardsView;
class FilterBar;
class IndicatorsView;
class QLabel;
class QPushButton;
class ReadingBar;
class QTabWidget;
class SubmissionsView;
class TableWithTotals;

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
    // Reads the open folder again (F5).
    void reload();
    // Writes the shown rows, the districts and, with a year and period, the
    // indicators and who handed in to `path` (a CSV holds the tab shown);
    // false after a message says why not, and while a reading runs
    // («Экспорт…» is off then). After a cancelled reading the report says
    // what was left out.
    bool exportTo(const QString& path);
    // The print preview of the card of the selected row, read again from its
    // file; a file that has gone or changed says which and why.
    void printSelectedCard();
    // Stops a reading under way: the rows read so far stay.
    void cancelReading();
    bool reading() const;

    RegisterModel* model() const { return model_; }
    RegisterProxy* proxy() const { return proxy_; }
    CellTableModel* totals() const { return totals_; }
    CellTableModel* districts() const { return districts_; }
    CellTableModel* districtTotals() const { return districtTotals_; }
    IndicatorsView* indicators() const { return indicators_; }
    SubmissionsView* submissions() const { return submissions_; }

    static QString rememberedFolder();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildTopBar();
    void connectViews();
    void chooseFolder();
    void chooseExportFile();
    // The annual report of the chosen year and period («Отчёт…»).
    void showReport();
    // The one selected row of a card that was read, in the cards view; null
    // when there is none.
    const reg::RegisterRow* selectedCardRow() const;
    void updatePrintButton();
    void finishReading();
    void repeatChosen();
    // " (чтение отменено: пропущено 5 файлов из 120)" after a cancelled
    // reading that left files out; empty otherwise.
    QString cancelledNote() const;
    void applyFilters();
    // What the export and the report hold, for the lines above their tables.
    reg::ExportContent exportContent() const;
    void updateSums();
    void updateReportTab();

    RegisterModel* model_;
    RegisterProxy* proxy_;
    CellTableModel* totals_;
    CellTableModel* districts_;
    CellTableModel* districtTotals_;
    RowFeeder feeder_;
    QString folder_;

    QPushButton* btnOpen_ = nullptr;
    QPushButton* btnExport_ = nullptr;
    QPushButton* btnReport_ = nullptr;
    QPushButton* btnPrintCard_ = nullptr;
    QLabel* lblFolder_ = nullptr;
    ReadingBar* bar_ = nullptr;
    FilterBar* filters_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    CardsView* cards_ = nullptr;
    TableWithTotals* districtView_ = nullptr;
    IndicatorsView* indicators_ = nullptr;
    SubmissionsView* submissions_ = nullptr;
};
