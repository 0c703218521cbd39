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
