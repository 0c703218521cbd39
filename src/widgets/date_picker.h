#pragma once
// Date pickers of the card: a date in DD.MM.YYYY with a drop-down calendar,
// and the short-date texts that the card stores for them.
#include <string>

#include <QDate>

#include "card/short_date.h"

#include <QDateEdit>

// Tab leaves the picker, as it leaves every other field, instead of stepping
// through day, month and year (the arrow keys do that). A date typed with
// dots stays in the picker: a dot moves on to the next part, or does nothing
// right after a part filled up and moved on by itself, or in the year.
// A click selects the part clicked, so typing replaces that part; a whole
// date typed (day and month with their dots, then the year) fills the whole
// date whatever part the typing began in.
class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Types day and month again from the day, starting from the date the
    // typing began with.
    void retypeFromTheDay();

    bool typingKey_ = false; // a key other than Tab is being handled
    int movedOnTo_ = -1;     // the part the last key moved on to by filling one up
    QString typedRun_;       // the digits and dots typed since the last other key, click or focus
    QDate runStart_;         // the date before the first of them
    bool retyping_ = false;
};

QDateEdit* MakeDatePicker(const QString& name, QWidget* parent);

QDate ToQDate(const card::Date& date);
card::Date FromQDate(const QDate& date);
// The picker's date as the card's short-date text ("03.06.2014").
std::string PickerDateText(const QDateEdit* picker);
