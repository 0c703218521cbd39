#include "register_window/register_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "register/register_export.h"
#include "register_window/cards_view.h"
#include "register_window/filter_bar.h"
#include "register_window/indicators_view.h"
#include "register_window/reading_bar.h"
#include "register_window/register_files.h"
#include "register_window/register_settings.h"
#include "register_window/row_tables.h"
#include "register_window/submissions_view.h"
#include "widgets/named.h"
#include "widgets/named_button.h"

RegisterWindow::RegisterWindow(QWidget* parent, reg::RowReader readRow)
    : QMainWindow(parent)
    , model_(new RegisterModel(this))
    , proxy_(new RegisterProxy(model_, this))
    , totals_(new CellTableModel(RegisterColumnHeaders(), false, this))
    , districts_(new CellTableModel(reg::DistrictHeaders(), true, this))
    , districtTotals_(new CellTableModel(reg::DistrictHeaders(), false, this))
    , feeder_(model_, std::move(readRow))
{
    setObjectName(QStringLiteral("FrmRegister"));
    // The version as the card program's caption gives it.
    setWindowTitle(QString::fromUtf8(kRegisterTitle) + QStringLiteral(" версия ") + QString::fromLatin1(UNRA5_VERSION));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(buildTopBar());
    tabs_ = Named<QTabWidget>("TabViews", central);
    cards_ = new CardsView(proxy_, totals_, tabs_);
    tabs_->addTab(cards_, QStringLiteral("Карточки"));
    districtView_ = new TableWithTotals("TblDistricts", "TblDistrictTotals", districts_, districtTotals_, true, tabs_);
    std::vector<int> districtWidths(reg::DistrictHeaders().size(), 12);
    districtView_->setColumnWidths(districtWidths);
    districtView_->table()->setColumnWidth(0, DistrictColumnWidth(districtView_->table()));
    tabs_->addTab(districtView_, QStringLiteral("По районам"));
    indicators_ = new IndicatorsView(tabs_);
    tabs_->addTab(indicators_, QStringLiteral("Показатели"));
    submissions_ = new SubmissionsView(tabs_);
    tabs_->addTab(submissions_, QStringLiteral("Сдали / не сдали"));
    layout->addWidget(tabs_, 1);
    bar_ = new ReadingBar(central);
    layout->addWidget(bar_);
    setCentralWidget(central);
    connectViews();
    resize(1200, 700);
    updateSums();
}

RegisterWindow::~RegisterWindow() { feeder_.stop(); }

QWidget* RegisterWindow::buildTopBar()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    btnOpen_ = MakeNamedButton("BtnOpenFolder", QStringLiteral("Открыть папку…"), bar);
    btnOpen_->setToolTip(QStringLiteral("Открыть папку с карточками (Ctrl+O); F5 — прочитать её снова"));
    lblFolder_ = Named<QLabel>("LblFolder", bar);
    filters_ = new FilterBar(bar);
    btnExport_ = MakeNamedButton("BtnExport", QStringLiteral("Экспорт…"), bar);
    btnReport_ = MakeNamedButton("BtnReport", QStringLiteral("Отчёт…"), bar);
    btnReport_->setToolTip(QStringLiteral("Отчёт района за выбранные год и период: просмотр, печать, PDF"));
    btnPrintCard_ = MakeNamedButton("BtnPrintCard", QStringLiteral("Печать карточки…"), bar);
    btnPrintCard_->setToolTip(QStringLiteral("Печать или PDF карточки выбранной строки (Ctrl+P, двойной щелчок)"));
    btnPrintCard_->setEnabled(false);
    row->addWidget(btnOpen_);
    row->addWidget(lblFolder_, 1);
    row->addWidget(filters_);
    row->addWidget(btnExport_);
    row->addWidget(btnReport_);
    row->addWidget(btnPrintCard_);
    return bar;
}

void RegisterWindow::connectViews()
{
    connect(btnOpen_, &QPushButton::clicked, this, &RegisterWindow::chooseFolder);
    connect(btnExport_, &QPushButton::clicked, this, &RegisterWindow::chooseExportFile);
    connect(btnReport_, &QPushButton::clicked, this, &RegisterWindow::showReport);
    connect(bar_, &ReadingBar::cancelClicked, this, &RegisterWindow::cancelReading);
    connect(btnPrintCard_, &QPushButton::clicked, this, &RegisterWindow::printSelectedCard);
    connect(cards_, &CardsView::printRequested, this, &RegisterWindow::printSelectedCard);
    connect(cards_, &CardsView::repeatChosen, this, &RegisterWindow::repeatChosen);
    connect(filters_, &FilterBar::changed, this, &RegisterWindow::applyFilters);
    connect(submissions_, &SubmissionsView::referenceChanged, this, &RegisterWindow::updateSums);
    const std::pair<QKeySequence, void (RegisterWindow::*)()> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_P), &RegisterWindow::printSelectedCard},
        {QKeySequence(Qt::CTRL | Qt::Key_O), &RegisterWindow::chooseFolder},
        {QKeySequence(Qt::Key_F5), &RegisterWindow::reload},
    };
    for (const auto& [key, slot] : keys)
        connect(new QShortcut(key, this), &QShortcut::activated, this, slot);
    // The selection may also go without a word when rows are filtered out or
    // the table is emptied.
    connect(cards_->table()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &RegisterWindow::updatePrintButton);
    connect(tabs_, &QTabWidget::currentChanged, this, &RegisterWindow::updatePrintButton);
    connect(tabs_, &QTabWidget::currentChanged, this, &RegisterWindow::updateReportTab);
    connect(proxy_, &QAbstractItemModel::modelReset, this, &RegisterWindow::updatePrintButton);
    connect(proxy_, &QAbstractItemModel::layoutChanged, this, &RegisterWindow::updatePrintButton);
    connect(proxy_, &QAbstractItemModel::rowsRemoved, this, &RegisterWindow::updatePrintButton);

    connect(&feeder_, &RowFeeder::rowsAdded, this, [this] { filters_->addYears(model_->rows()); });
    connect(&feeder_, &RowFeeder::progressed, bar_, &ReadingBar::progress);
    connect(&feeder_, &RowFeeder::finished, this, &RegisterWindow::finishReading);
    connect(&feeder_, &RowFeeder::sumsDue, this, &RegisterWindow::updateSums);
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(proxy_, signal, &feeder_, &RowFeeder::requestSums);
    connect(proxy_, &QAbstractItemModel::modelReset, &feeder_, &RowFeeder::requestSums);
    connect(proxy_, &QAbstractItemModel::layoutChanged, &feeder_, &RowFeeder::requestSums);
    connect(proxy_, &QAbstractItemModel::dataChanged, &feeder_, &RowFeeder::requestSums);
}

QString RegisterWindow::rememberedFolder() { return RememberedFolder(); }

void RegisterWindow::chooseFolder()
{
    const QString start = folder_.isEmpty() ? rememberedFolder() : folder_;
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Открыть папку с карточками"), start);
    if (!folder.isEmpty())
        openFolder(folder);
}

void RegisterWindow::openRememberedFolder()
{
    const QString folder = rememberedFolder();
    if (!folder.isEmpty() && QDir(folder).exists())
        openFolder(folder);
}

void RegisterWindow::reload()
{
    if (!folder_.isEmpty())
        openFolder(QDir::fromNativeSeparators(folder_));
}

void RegisterWindow::openFolder(const QString& folder)
{
    feeder_.stop();
    folder_ = QDir::toNativeSeparators(folder);
    RememberFolder(folder);
    lblFolder_->setText(folder_);
    model_->clear();
    model_->setRepeatChoice(RememberedRepeatChoice(folder));
    filters_->reset();
    applyFilters();

    bar_->start();
    btnExport_->setEnabled(false); // an export would save part of the folder
    feeder_.start(Utf8(folder));
}

bool RegisterWindow::reading() const { return feeder_.reading(); }

void RegisterWindow::cancelReading()
{
    if (!reading())
        return;
    feeder_.cancel();
    bar_->cancelling();
}

void RegisterWindow::finishReading()
{
    bar_->finish();
    btnExport_->setEnabled(true);
    filters_->chooseDefault(reg::Pointers(model_->rows()));
    updateSums();
}

void RegisterWindow::repeatChosen()
{
    RememberRepeatChoice(QDir::fromNativeSeparators(folder_), model_->repeatChoice());
    updateSums();
}

// The report's tabs are computed only while shown: a switch of year or period
// keeps the event loop waiting for the tab in front alone.
void RegisterWindow::updateReportTab()
{
    const auto all = reg::Pointers(model_->rows());
    if (tabs_->currentWidget() == indicators_)
        indicators_->show(all, filters_->filter().district, filters_->yearPeriod());
    else if (tabs_->currentWidget() == submissions_)
        submissions_->show(all, filters_->filter().district, filters_->yearPeriod());
}

QString RegisterWindow::cancelledNote() const
{
    const std::string note = feeder_.cancelledNote();
    return note.empty() ? QString() : QStringLiteral(" (") + ToQString(note) + QLatin1Char(')');
}

void RegisterWindow::applyFilters()
{
    proxy_->setRowFilter(filters_->filter());
    updateSums();
}

void RegisterWindow::updateSums()
{
    feeder_.sumsUpdated();
    btnReport_->setEnabled(!reading() && filters_->yearPeriod());
    const auto shown = proxy_->shownRows();
    totals_->setRows({reg::TotalsRow(shown)});
    districts_->setRows(reg::DistrictRows(shown));
    districtTotals_->setRows({reg::DistrictTotalsRow(shown)});
    const auto all = reg::Pointers(model_->rows());
    updateReportTab();
    QString summary = ToQString(reg::SummaryLine(reg::CountRows(all)));
    if (reading())
        summary = QStringLiteral("Чтение карточек… ") + summary;
    bar_->setText(summary + cancelledNote());
}

void RegisterWindow::chooseExportFile()
{
    if (reading())
        return;
    const QString path = ChooseExportFile(this, folder_);
    if (!path.isEmpty())
        exportTo(path);
}

reg::ExportContent RegisterWindow::exportContent() const
{
    reg::ExportContent content;
    content.shown = proxy_->shownRows();
    content.all = reg::Pointers(model_->rows());
    content.reference = submissions_->reference();
    content.info.folders = {Utf8(folder_)};
    content.info.filter = Utf8(filters_->text());
    content.info.period = filters_->yearPeriod();
    content.district = filters_->filter().district;
    if (content.reference)
        content.info.reference = content.reference->file;
    return content;
}

void RegisterWindow::showReport()
{
    if (const auto period = filters_->yearPeriod(); period && !reading())
        ShowReport(this, exportContent(), *period, filters_->filter().district);
}

bool RegisterWindow::exportTo(const QString& path)
{
    if (reading())
        return false;
    // A CSV holds the one table of the tab shown (the cards without one).
    const auto sheets = reg::ExportSheets(exportContent());
    const std::size_t shownTab = static_cast<std::size_t>(std::max(0, tabs_->currentIndex()));
    const std::string failure = reg::ExportSheetsTo(sheets, Utf8(path), shownTab < sheets.size() ? shownTab : 0);
    if (!failure.empty()) {
        QMessageBox::warning(this, QString::fromUtf8(kRegisterTitle), ToQString(failure));
        return false;
    }
    bar_->setText(QStringLiteral("Сохранено: ") + QDir::toNativeSeparators(path) + cancelledNote());
    return true;
}

const reg::RegisterRow* RegisterWindow::selectedCardRow() const
{
    return tabs_->currentWidget() == cards_ ? cards_->selectedCardRow() : nullptr;
}

void RegisterWindow::updatePrintButton() { btnPrintCard_->setEnabled(selectedCardRow() != nullptr); }

void RegisterWindow::printSelectedCard()
{
    if (const reg::RegisterRow* row = selectedCardRow())
        PrintCardOfRow(this, *row, folder_);
}

void RegisterWindow::closeEvent(QCloseEvent* event)
{
    feeder_.stop();
    QMainWindow::closeEvent(event);
}
