#include "widgets/date_picker.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpression>

namespace {

bool IsDateCharacter(const QString& text)
{
    return text.size() == 1
        && (text.at(0) == QLatin1Char('.') || (text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9')));
}

// Day and month, each followed by its dot: what begins a whole date.
bool IsDayAndMonth(const QString& typed)
{
    static const QRegularExpression dayAndMonth(QStringLiteral("^[0-9]{1,2}\\.[0-9]{1,2}\\.$"));
    return dayAndMonth.match(typed).hasMatch();
}

// The date typed whole, day, month and four-digit year; an invalid date when
// `typed` is none.
QDate WholeDate(const QString& typed)
{
    static const QRegularExpression whole(QStringLiteral("^([0-9]{1,2})\\.([0-9]{1,2})\\.([0-9]{4})$"));
    const QRegularExpressionMatch match = whole.match(typed);
    if (!match.hasMatch())
        return {};
    return QDate(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
}

} // namespace

DatePicker::DatePicker(QWidget* parent)
    : QDateEdit(parent)
{
    // Clicks land in the edit inside the picker.
    lineEdit()->installEventFilter(this);
}

void DatePicker::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (!retyping_) {
        if (!IsDateCharacter(text)) {
            typedRun_.clear();
        } else {
            if (typedRun_.isEmpty())
                runStart_ = date();
            typedRun_ += text;
            // Day and month with their dots begin a whole date: typed after a
            // click into the month or the year they went into the wrong
            // parts, so they go again from the day.
            if (IsDayAndMonth(typedRun_)) {
                retypeFromTheDay();
                return;
            }
        }
    }
    const int part = currentSectionIndex();
    typingKey_ = event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab;
    QDateEdit::keyPressEvent(event);
    typingKey_ = false;
    const bool filledUp = !text.isEmpty() && text.at(0).isDigit() && currentSectionIndex() != part;
    movedOnTo_ = filledUp ? currentSectionIndex() : -1;
    // The picker fits a day to the month it holds while the month and year
    // are still to come (31 typed in June gives 30); the whole date typed is
    // the one meant.
    if (const QDate typed = WholeDate(typedRun_); !retyping_ && typed.isValid() && typed != date())
        setDate(typed);
}

void DatePicker::retypeFromTheDay()
{
    retyping_ = true;
    setDate(runStart_);
    setSelectedSection(sectionAt(0));
    for (const QChar c : typedRun_) {
        const int key = c == QLatin1Char('.') ? Qt::Key_Period : Qt::Key_0 + (c.unicode() - '0');
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        keyPressEvent(&press);
    }
    retyping_ = false;
}

void DatePicker::focusInEvent(QFocusEvent* event)
{
    typedRun_.clear();
    QDateEdit::focusInEvent(event);
}

bool DatePicker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit()) {
        if (event->type() == QEvent::MouseButtonPress) {
            typedRun_.clear();
        } else if (event->type() == QEvent::MouseButtonRelease
                   && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !lineEdit()->hasSelectedText()) {
            // The press put the cursor into a part; a drag that selected
            // text keeps its selection.
            setSelectedSection(currentSection());
        }
    }
    return QDateEdit::eventFilter(watched, event);
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
