#include "register_window/submissions_view.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "register/register_table.h"
#include "register_window/register_models.h"
#include "register_window/register_window.h"
#include "register_window/row_tables.h"
#include "widgets/named.h"
#include "widgets/named_button.h"

SubmissionsView::SubmissionsView(QWidget* parent)
    : QWidget(parent)
    , model_(new CellTableModel(reg::SubmissionsTable({}).headers, true, this))
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    title_ = Named<QLabel>("LblSubmissions", this);
    btnReference_ = MakeNamedButton("BtnReferenceList", QStringLiteral("Список предприятий…"), this);
    btnReference_->setToolTip(QStringLiteral("Список предприятий, которые должны сдать карточки (CSV или Excel со "
                                             "столбцами «ИНН» и «Наименование»), вместо карточек прошлого года"));
    top->addWidget(title_, 1);
    top->addWidget(btnReference_);
    layout->addLayout(top);
    table_ = SetUpRowTable(Named<QTableView>("TblSubmissions", this));
    table_->setModel(model_);
    SetColumnWidths(table_, reg::SubmissionsTable({}).widths);
    table_->setColumnWidth(1, DistrictColumnWidth(table_));
    layout->addWidget(table_, 1);
    connect(btnReference_, &QPushButton::clicked, this, &SubmissionsView::chooseReference);
}

void SubmissionsView::chooseReference()
{
    const QString start = reference_ ? QFileInfo(ToQString(reference_->file)).absolutePath() : QString();
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Список предприятий"), start,
                                                      QStringLiteral("Списки (*.csv *.xlsx);;Все файлы (*)"));
    if (!path.isEmpty())
        useReference(path);
}

bool SubmissionsView::useReference(const QString& path)
{
    reg::ReferenceReading reading = reg::ReadReferenceFile(Utf8(QDir::toNativeSeparators(path)));
    if (!reading.list) {
        QMessageBox::warning(this, QString::fromUtf8(kRegisterTitle), ToQString(reading.error));
        return false;
    }
    reference_ = std::move(reading.list);
    emit referenceChanged();
    return true;
}

void SubmissionsView::show(const std::vector<const reg::RegisterRow*>& rows, std::optional<int> district,
                           std::optional<reg::YearPeriod> period)
{
    if (!period) {
        title_->setText(QStringLiteral("Сдали / не сдали: ") + QString::fromUtf8(reg::kChooseYearAndPeriod));
        model_->setRows({});
        return;
    }
    const reg::SubmissionLists lists = reg::InDistrict(reg::CompareSubmissions(rows, *period, reference()), district);
    const QString against = reference_
        ? QStringLiteral("списком ") + QDir::toNativeSeparators(ToQString(reference_->file))
        : ToQString(reg::YearPeriodText(lists.previous));
    title_->setText(QStringLiteral("%1: не сдали %2, новых %3 (сравнение с %4)")
                        .arg(ToQString(reg::YearPeriodText(lists.current)))
                        .arg(lists.notHandedIn.size())
                        .arg(lists.newOnes.size())
                        .arg(against));
    model_->setRows(reg::SubmissionsTable(lists).rows);
}
