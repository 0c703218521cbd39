#pragma once
// The filters over the register's rows: district, year, period and state.
// A year or period the user has not chosen goes to the core's default once
// a reading ends, so no total adds different years or periods unasked.
#include <QWidget>

#include <vector>

#include "register/register_summary.h"

class QComboBox;
class QHBoxLayout;

class FilterBar final : public QWidget {
    Q_OBJECT
public:
    explicit FilterBar(QWidget* parent);

    reg::RegisterFilter filter() const;
    // The filter in words, for the lines above an export's tables: "все
    // карточки", or "район Г. НАЛЬЧИК, год 2014, Годовой, с ошибками".
    QString text() const;
    // The chosen year and period; nullopt while either shows all.
    std::optional<reg::YearPeriod> yearPeriod() const;

    // A new folder: every year goes, and the year and period show all until
    // the reading ends or the user chooses.
    void reset();
    // Adds the years of cards read since.
    void addYears(const std::vector<reg::RegisterRow>& rows);
    // Chooses the default year and period unless the user chose one since
    // the last reset.
    void chooseDefault(const std::vector<const reg::RegisterRow*>& rows);

signals:
    void changed();

private:
    void userChanged();

    QComboBox* district_;
    QComboBox* year_;
    QComboBox* period_;
    QComboBox* state_;
    bool chosenByUser_ = false;
    std::size_t yearsSeen_ = 0; // rows whose years are in the list
};
