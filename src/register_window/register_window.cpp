#include "register_window/register_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <set>

#include "card/card_file_store.h"
#include "card/district.h"
#include "card/district_names.h"
#include "print/card_preview.h"
#include "register/register_export.h"
#include "register/register_reprint.h"
#include "widgets/messages_qt.h"
#include "widgets/named.h"
#include "widgets/named_button.h"

namespace {

constexpr char kFolderKey[] = "register/folder";

// A table of whole rows that are read, never edited.
QTableView* SetUpRowTable(QTableView* table)
{
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTextElideMode(Qt::ElideMiddle); // file names differ at their ends
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    // Long headers wrap onto three lines rather than widen every column.
    table->horizontalHeader()->setDefaultAlignment(
        Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter | int(Qt::TextWordWrap)));
    table->horizontalHeader()->setFixedHeight(3 * table->fontMetrics().height() + 8);
    return table;
}

void SetColumnWidths(QTableView* table, const std::vector<int>& characters)
{
    const int unit = table->fontMetrics().averageCharWidth();
    for (std::size_t i = 0; i < characters.size(); ++i)
        table->setColumnWidth(static_cast<int>(i), characters[i] * unit + 12);
}

QSettings Settings() { return QSettings(QStringLiteral("UNRA5"), QStringLiteral("unra5-register")); }

} // namespace

RegisterWindow::RegisterWindow(QWidget* parent, reg::RowReader readRow)
    : QMainWindow(parent)
    , model_(new RegisterModel(this))
    , proxy_(new RegisterProxy(model_, this))
    , totals_(new CellTableModel(
          [] {
              std::vector<std::string> headers;
              for (const auto& column : reg::RegisterColumns())
                  headers.push_back(column.header);
              return headers;
          }(),
          false, this))
    , districts_(new CellTableModel(reg::DistrictHeaders(), true, this))
    , feeder_(model_, std::move(readRow))
{
    setObjectName(QStringLiteral("FrmRegister"));
    setWindowTitle(QString::fromUtf8(kRegisterTitle));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(buildFilters());

    tabs_ = Named<QTabWidget>("TabViews", central);
    tabs_->addTab(buildCardsView(), QStringLiteral("Карточки"));
    tblDistricts_ = SetUpRowTable(Named<QTableView>("TblDistricts", tabs_));
    tblDistricts_->setModel(districts_);
    std::vector<int> districtWidths(reg::DistrictHeaders().size(), 12);
    districtWidths[0] = 22;
    SetColumnWidths(tblDistricts_, districtWidths);
    tabs_->addTab(tblDistricts_, QStringLiteral("По районам"));
    layout->addWidget(tabs_, 1);

    auto* bottom = new QHBoxLayout;
    lblSummary_ = Named<QLabel>("LblSummary", central);
    progress_ = Named<QProgressBar>("ProgressReading", central);
    progress_->setVisible(false);
    btnCancel_ = MakeNamedButton("BtnCancel", QStringLiteral("Отмена"), central);
    btnCancel_->setEnabled(false);
    bottom->addWidget(lblSummary_, 1);
    bottom->addWidget(progress_);
    bottom->addWidget(btnCancel_);
    layout->addLayout(bottom);
    setCentralWidget(central);

    connect(btnOpen_, &QPushButton::clicked, this, &RegisterWindow::chooseFolder);
    connect(btnExport_, &QPushButton::clicked, this, &RegisterWindow::chooseExportFile);
    connect(btnCancel_, &QPushButton::clicked, this, &RegisterWindow::cancelReading);
    connect(btnPrintCard_, &QPushButton::clicked, this, &RegisterWindow::printSelectedCard);
    connect(tblCards_, &QTableView::doubleClicked, this, &RegisterWindow::printSelectedCard);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this), &QShortcut::activated, this,
            &RegisterWindow::printSelectedCard);
    // The selection may also go without a word when rows are filtered out or
    // the table is emptied.
    connect(tblCards_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &RegisterWindow::updatePrintButton);
    connect(tabs_, &QTabWidget::currentChanged, this, &RegisterWindow::updatePrintButton);
    connect(proxy_, &QAbstractItemModel::modelReset, this, &RegisterWindow::updatePrintButton);
    connect(proxy_, &QAbstractItemModel::layoutChanged, this, &RegisterWindow::updatePrintButton);
    connect(proxy_, &QAbstractItemModel::rowsRemoved, this, &RegisterWindow::updatePrintButton);

    connect(&feeder_, &RowFeeder::rowsAdded, this, &RegisterWindow::updateYears);
    connect(&feeder_, &RowFeeder::progressed, this, &RegisterWindow::showProgress);
    connect(&feeder_, &RowFeeder::finished, this, &RegisterWindow::finishReading);
    connect(&feeder_, &RowFeeder::sumsDue, this, &RegisterWindow::updateSums);
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(proxy_, signal, &feeder_, &RowFeeder::requestSums);
    connect(proxy_, &QAbstractItemModel::modelReset, &feeder_, &RowFeeder::requestSums);
    connect(proxy_, &QAbstractItemModel::layoutChanged, &feeder_, &RowFeeder::requestSums);
    connect(proxy_, &QAbstractItemModel::dataChanged, &feeder_, &RowFeeder::requestSums);

    resize(1200, 700);
    updateSums();
}

RegisterWindow::~RegisterWindow() { feeder_.stop(); }

QWidget* RegisterWindow::buildFilters()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    btnOpen_ = MakeNamedButton("BtnOpenFolder", QStringLiteral("Открыть папку…"), bar);
    lblFolder_ = Named<QLabel>("LblFolder", bar);
    row->addWidget(btnOpen_);
    row->addWidget(lblFolder_, 1);

    combDistrict_ = Named<QComboBox>("CombDistrict", bar);
    combDistrict_->addItem(QStringLiteral("Все районы"));
    for (int i = 0; i < card::kDistrictCount; ++i)
        combDistrict_->addItem(ToQString(std::string(card::DistrictName(i))), i);
    combYear_ = Named<QComboBox>("CombYear", bar);
    combYear_->addItem(QStringLiteral("Все годы"));
    combPeriod_ = Named<QComboBox>("CombPeriod", bar);
    combPeriod_->addItem(QStringLiteral("Все периоды"));
    for (int i = 0; i < 2; ++i)
        combPeriod_->addItem(ToQString(card::kReportPeriodItems[i]).trimmed(), i);
    combState_ = Named<QComboBox>("CombState", bar);
    combState_->addItem(QStringLiteral("Все карточки"));
    combState_->addItem(QString::fromUtf8(reg::kStateOk), static_cast<int>(reg::StateFilter::Ok));
    combState_->addItem(QStringLiteral("с ошибками"), static_cast<int>(reg::StateFilter::Faulty));
    combState_->addItem(QStringLiteral("не прочитаны"), static_cast<int>(reg::StateFilter::Refused));
    combState_->addItem(QStringLiteral("повторы"), static_cast<int>(reg::StateFilter::Repeats));
    for (QComboBox* combo : {combDistrict_, combYear_, combPeriod_, combState_}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        row->addWidget(combo);
        connect(combo, &QComboBox::currentIndexChanged, this, &RegisterWindow::applyFilters);
    }
    btnExport_ = MakeNamedButton("BtnExport", QStringLiteral("Экспорт…"), bar);
    row->addWidget(btnExport_);
    btnPrintCard_ = MakeNamedButton("BtnPrintCard", QStringLiteral("Печать карточки…"), bar);
    btnPrintCard_->setToolTip(QStringLiteral("Печать или PDF карточки выбранной строки (Ctrl+P, двойной щелчок)"));
    btnPrintCard_->setEnabled(false);
    row->addWidget(btnPrintCard_);
    return bar;
}

QWidget* RegisterWindow::buildCardsView()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    tblCards_ = SetUpRowTable(Named<QTableView>("TblCards", page));
    tblCards_->setModel(proxy_);
    tblCards_->setSortingEnabled(true);
    tblCards_->sortByColumn(reg::kColumnFile, Qt::AscendingOrder);
    std::vector<int> widths;
    for (const auto& column : reg::RegisterColumns())
        widths.push_back(column.width);
    SetColumnWidths(tblCards_, widths);

    // The totals: one row under the table, its columns kept under the
    // table's columns.
    tblTotals_ = SetUpRowTable(Named<QTableView>("TblTotals", page));
    tblTotals_->setModel(totals_);
    tblTotals_->horizontalHeader()->hide();
    tblTotals_->setVerticalHeader(new QHeaderView(Qt::Vertical, tblTotals_));
    tblTotals_->verticalHeader()->setDefaultSectionSize(tblCards_->verticalHeader()->defaultSectionSize());
    tblTotals_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tblTotals_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tblTotals_->setFixedHeight(tblCards_->verticalHeader()->defaultSectionSize() + 4);
    SetColumnWidths(tblTotals_, widths);
    QFont bold = tblTotals_->font();
    bold.setBold(true);
    tblTotals_->setFont(bold);
    // The lambdas hold the two tables, not the window: they also run while the
    // window's QWidget part closes its children, when the window is no more.
    QTableView* cards = tblCards_;
    QTableView* totals = tblTotals_;
    connect(cards->horizontalHeader(), &QHeaderView::sectionResized, totals,
            [totals](int section, int, int size) { totals->setColumnWidth(section, size); });
    connect(tblCards_->horizontalScrollBar(), &QScrollBar::valueChanged, tblTotals_->horizontalScrollBar(),
            &QScrollBar::setValue);
    // The row numbers of both tables take the same width. A header's new
    // width alone does not move its table's cells: the table places them
    // again when the header says its geometry changed.
    connect(cards->verticalHeader(), &QHeaderView::geometriesChanged, totals, [cards, totals] {
        QHeaderView* header = totals->verticalHeader();
        header->setFixedWidth(cards->verticalHeader()->width());
        emit header->geometriesChanged();
    });
    layout->addWidget(tblCards_, 1);
    layout->addWidget(tblTotals_);
    return page;
}

QString RegisterWindow::rememberedFolder() { return Settings().value(QString::fromLatin1(kFolderKey)).toString(); }

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

void RegisterWindow::openFolder(const QString& folder)
{
    feeder_.stop();
    folder_ = QDir::toNativeSeparators(folder);
    Settings().setValue(QString::fromLatin1(kFolderKey), folder);
    lblFolder_->setText(folder_);
    model_->clear();
    combYear_->blockSignals(true);
    while (combYear_->count() > 1)
        combYear_->removeItem(1);
    combYear_->setCurrentIndex(0);
    combYear_->blockSignals(false);
    applyFilters();

    progress_->setRange(0, 0);
    progress_->setValue(0);
    progress_->setVisible(true);
    btnCancel_->setEnabled(true);
    btnExport_->setEnabled(false); // an export would save part of the folder
    lblSummary_->setText(QStringLiteral("Чтение карточек…"));
    const QByteArray path = folder.toUtf8();
    feeder_.start(std::string(path.constData(), static_cast<std::size_t>(path.size())));
}

bool RegisterWindow::reading() const { return feeder_.reading(); }

void RegisterWindow::cancelReading()
{
    if (!reading())
        return;
    feeder_.cancel();
    btnCancel_->setEnabled(false);
}

void RegisterWindow::showProgress(int done, int total)
{
    progress_->setRange(0, total);
    progress_->setValue(done);
}

void RegisterWindow::finishReading()
{
    btnCancel_->setEnabled(false);
    btnExport_->setEnabled(true);
    progress_->setVisible(false);
    updateSums();
}

QString RegisterWindow::cancelledNote() const
{
    const std::string note = feeder_.cancelledNote();
    return note.empty() ? QString() : QStringLiteral(" (") + ToQString(note) + QLatin1Char(')');
}

void RegisterWindow::updateYears()
{
    std::set<int> years;
    for (int i = 1; i < combYear_->count(); ++i)
        years.insert(combYear_->itemData(i).toInt());
    std::set<int> fresh;
    for (const reg::RegisterRow& row : model_->rows())
        if (row.read() && !years.count(row.year))
            fresh.insert(row.year);
    if (fresh.empty())
        return;
    const QVariant chosen = combYear_->currentData();
    years.insert(fresh.begin(), fresh.end());
    combYear_->blockSignals(true);
    while (combYear_->count() > 1)
        combYear_->removeItem(1);
    for (int year : years)
        combYear_->addItem(QString::number(year), year);
    combYear_->setCurrentIndex(chosen.isValid() ? combYear_->findData(chosen) : 0);
    combYear_->blockSignals(false);
}

void RegisterWindow::applyFilters()
{
    reg::RegisterFilter filter;
    if (combDistrict_->currentIndex() > 0)
        filter.district = combDistrict_->currentData().toInt();
    if (combYear_->currentIndex() > 0)
        filter.year = combYear_->currentData().toInt();
    if (combPeriod_->currentIndex() > 0)
        filter.period = combPeriod_->currentData().toInt();
    if (combState_->currentIndex() > 0)
        filter.state = static_cast<reg::StateFilter>(combState_->currentData().toInt());
    proxy_->setRowFilter(filter);
    updateSums();
}

void RegisterWindow::updateSums()
{
    feeder_.sumsUpdated();
    const auto shown = proxy_->shownRows();
    totals_->setRows({reg::TotalsRow(shown)});
    districts_->setRows(reg::DistrictRows(shown));
    const auto all = reg::Pointers(model_->rows());
    QString summary = ToQString(reg::SummaryLine(reg::CountRows(all)));
    if (reading())
        summary = QStringLiteral("Чтение карточек… ") + summary;
    lblSummary_->setText(summary + cancelledNote());
}

void RegisterWindow::chooseExportFile()
{
    if (reading())
        return;
    QString filter;
    const QString start = folder_.isEmpty() ? QString() : QDir(folder_).filePath(QStringLiteral("Сводка.xlsx"));
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Экспорт сводки"), start,
                                                QStringLiteral("Книга Excel (*.xlsx);;Текст CSV (*.csv)"), &filter);
    if (path.isEmpty())
        return;
    if (reg::ExportFormatOf(path.toStdString()) == reg::ExportFormat::None)
        path += filter.contains(QStringLiteral("csv")) ? QStringLiteral(".csv") : QStringLiteral(".xlsx");
    exportTo(path);
}

bool RegisterWindow::exportTo(const QString& path)
{
    if (reading())
        return false;
    const auto shown = proxy_->shownRows();
    const QByteArray utf8 = path.toUtf8();
    const bool districtsShown = tabs_->currentIndex() == 1;
    const std::string failure
        = reg::ExportTables(reg::CardsTable(shown), reg::DistrictsTable(shown),
                            std::string(utf8.constData(), static_cast<std::size_t>(utf8.size())), districtsShown);
    if (!failure.empty()) {
        QMessageBox::warning(this, QString::fromUtf8(kRegisterTitle), ToQString(failure));
        return false;
    }
    lblSummary_->setText(QStringLiteral("Сохранено: ") + QDir::toNativeSeparators(path) + cancelledNote());
    return true;
}

const reg::RegisterRow* RegisterWindow::selectedCardRow() const
{
    if (tabs_->currentWidget() == tblDistricts_)
        return nullptr;
    const QModelIndexList selected = tblCards_->selectionModel()->selectedRows();
    if (selected.size() != 1)
        return nullptr;
    const QModelIndex source = proxy_->mapToSource(selected.constFirst());
    if (!source.isValid())
        return nullptr;
    const reg::RegisterRow& row = model_->row(source.row());
    return row.read() ? &row : nullptr;
}

void RegisterWindow::updatePrintButton() { btnPrintCard_->setEnabled(selectedCardRow() != nullptr); }

void RegisterWindow::printSelectedCard()
{
    const reg::RegisterRow* row = selectedCardRow();
    if (!row)
        return;
    const QByteArray shown = QDir(folder_).filePath(ToQString(row->file)).toUtf8();
    const reg::CardReadAgain again = reg::ReadCardAgain(*row);
    // The card program's boxes: the error display, or the information box
    // for a file that holds no card.
    if (again.refusal == reg::CardReadAgain::Refusal::FileError) {
        Boxes().error(again.text);
        return;
    }
    if (!again.record) {
        Boxes().info(again.text);
        return;
    }
    const std::string pdf = reg::PdfBesideCard(std::string(shown.constData(), static_cast<std::size_t>(shown.size())));
    ShowCardPreview(this, *again.record,
                    {QString::fromUtf8(kRegisterTitle), QString::fromLatin1(UNRA5_VERSION), QDate::currentDate()},
                    QDir::toNativeSeparators(ToQString(pdf)));
}

void RegisterWindow::closeEvent(QCloseEvent* event)
{
    feeder_.stop();
    QMainWindow::closeEvent(event);
}
