#include "widgets/date_picker.h"

#include <QKeyEvent>

void DatePicker::keyPressEvent(QKeyEvent* event)
{
    const int part = currentSectionIndex();
    typingKey_ = event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab;
    QDateEdit::keyPressEvent(event);
    typingKey_ = false;
    const QString text = event->text();
    const bool filledUp = !text.isEmpty() && text.at(0).isDigit() && currentSectionIndex() != part;
    movedOnTo_ = filledUp ? currentSectionIndex() : -1;
}

bool DatePicker::focusNextPrevChild(bool next)
{
    if (!typingKey_)
        return QWidget::focusNextPrevChild(next);
    // A separator typed into the date.
    const int target = currentSectionIndex() + (next ? 1 : -1);
    if (movedOnTo_ == currentSectionIndex() || target < 0 || target >= sectionCount())
        return true;
    return QDateEdit::focusNextPrevChild(next);
}

QDateEdit* MakeDatePicker(const QString& name, QWidget* parent)
{
    auto* picker = new DatePicker(parent);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    // Fixed form, whatever the machine's locale.
    picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    // Every date a card may hold shows as it is, so an old date saves back
    // unchanged (the toolkit's own earliest date is 14.09.1752).
    picker->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    return picker;
}

QDate ToQDate(const card::Date& date) { return QDate(date.year, date.month, date.day); }

card::Date FromQDate(const QDate& date) { return card::Date{date.year(), date.month(), date.day()}; }

std::string PickerDateText(const QDateEdit* picker) { return card::FormatShortDate(FromQDate(picker->date())); }
