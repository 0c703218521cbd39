#include "window/date_picker.h"


bool DatePicker::focusNextPrevChild(bool next) { return QWidget::focusNextPrevChild(next); }

QDateEdit* MakeDatePicker(const QString& name, QWidget* parent)
{
    auto* picker = new DatePicker(parent);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    // Fixed form, whatever the machine's locale.
    picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return picker;
}

QDate ToQDate(const card::Date& date) { return QDate(date.year, date.month, date.day); }

card::Date FromQDate(const QDate& date) { return card::Date{date.year(), date.month(), date.day()}; }

std::string PickerDateText(const QDateEdit* picker) { return card::FormatShortDate(FromQDate(picker->date())); }
    // Every date a card may hold shows as it is, so an old date saves back
    // unchanged (the toolkit's own earliest date is 14.09.1752).
    picker->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
