#include "register_window/filter_bar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QSignalBlocker>

#include <set>

#include "card/card_file_store.h"
#include "card/district.h"
#include "card/district_names.h"
#include "register_window/register_models.h"
#include "widgets/named.h"

FilterBar::FilterBar(QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    district_ = Named<QComboBox>("CombDistrict", this);
    district_->addItem(QStringLiteral("Все районы"));
    for (int i = 0; i < card::kDistrictCount; ++i)
        district_->addItem(ToQString(std::string(card::DistrictName(i))), i);
    year_ = Named<QComboBox>("CombYear", this);
    year_->addItem(QStringLiteral("Все годы"));
    period_ = Named<QComboBox>("CombPeriod", this);
    period_->addItem(QStringLiteral("Все периоды"));
    for (int i = 0; i < 2; ++i)
        period_->addItem(ToQString(card::kReportPeriodItems[i]).trimmed(), i);
    state_ = Named<QComboBox>("CombState", this);
    state_->addItem(QStringLiteral("Все карточки"));
    state_->addItem(QString::fromUtf8(reg::kStateOk), static_cast<int>(reg::StateFilter::Ok));
    state_->addItem(QStringLiteral("с ошибками"), static_cast<int>(reg::StateFilter::Faulty));
    state_->addItem(QStringLiteral("не прочитаны"), static_cast<int>(reg::StateFilter::Refused));
    state_->addItem(QStringLiteral("повторы"), static_cast<int>(reg::StateFilter::Repeats));
    for (QComboBox* combo : {district_, year_, period_, state_}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        row->addWidget(combo);
        connect(combo, &QComboBox::currentIndexChanged, this, &FilterBar::changed);
    }
    for (QComboBox* combo : {year_, period_})
        connect(combo, &QComboBox::currentIndexChanged, this, &FilterBar::userChanged);
}

void FilterBar::userChanged() { chosenByUser_ = true; }

reg::RegisterFilter FilterBar::filter() const
{
    reg::RegisterFilter filter;
    if (district_->currentIndex() > 0)
        filter.district = district_->currentData().toInt();
    if (year_->currentIndex() > 0)
        filter.year = year_->currentData().toInt();
    if (period_->currentIndex() > 0)
        filter.period = period_->currentData().toInt();
    if (state_->currentIndex() > 0)
        filter.state = static_cast<reg::StateFilter>(state_->currentData().toInt());
    return filter;
}

QString FilterBar::text() const
{
    QStringList parts;
    if (district_->currentIndex() > 0)
        parts << QStringLiteral("район ") + district_->currentText();
    if (year_->currentIndex() > 0)
        parts << QStringLiteral("год ") + year_->currentText();
    for (const QComboBox* combo : {period_, state_})
        if (combo->currentIndex() > 0)
            parts << combo->currentText();
    return parts.isEmpty() ? QStringLiteral("все карточки") : parts.join(QStringLiteral(", "));
}

std::optional<reg::YearPeriod> FilterBar::yearPeriod() const
{
    if (year_->currentIndex() <= 0 || period_->currentIndex() <= 0)
        return std::nullopt;
    return reg::YearPeriod{year_->currentData().toInt(), period_->currentData().toInt()};
}

void FilterBar::reset()
{
    const QSignalBlocker blockYear(year_);
    const QSignalBlocker blockPeriod(period_);
    while (year_->count() > 1)
        year_->removeItem(1);
    year_->setCurrentIndex(0);
    period_->setCurrentIndex(0);
    chosenByUser_ = false;
    yearsSeen_ = 0;
}

void FilterBar::addYears(const std::vector<reg::RegisterRow>& rows)
{
    std::set<int> years;
    for (int i = 1; i < year_->count(); ++i)
        years.insert(year_->itemData(i).toInt());
    std::set<int> fresh;
    for (std::size_t i = yearsSeen_; i < rows.size(); ++i)
        if (rows[i].read() && !years.count(rows[i].year))
            fresh.insert(rows[i].year);
    yearsSeen_ = rows.size();
    if (fresh.empty())
        return;
    const QVariant chosen = year_->currentData();
    years.insert(fresh.begin(), fresh.end());
    const QSignalBlocker block(year_);
    while (year_->count() > 1)
        year_->removeItem(1);
    for (int year : years)
        year_->addItem(QString::number(year), year);
    year_->setCurrentIndex(chosen.isValid() ? year_->findData(chosen) : 0);
}

void FilterBar::chooseDefault(const std::vector<const reg::RegisterRow*>& rows)
{
    if (chosenByUser_)
        return;
    const auto chosen = reg::DefaultYearPeriod(rows);
    if (!chosen)
        return;
    {
        const QSignalBlocker blockYear(year_);
        const QSignalBlocker blockPeriod(period_);
        year_->setCurrentIndex(year_->findData(chosen->year));
        period_->setCurrentIndex(period_->findData(chosen->period));
    }
    chosenByUser_ = false;
    emit changed();
}
