#include "window/widget_form.h"

#include <algorithm>

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>

#include "card/card_layout.h"
#include "card/errors.h"
#include "widgets/classifier_opener.h"
#include "widgets/field_colour.h"
#include "widgets/okved_source.h"
#include "widgets/radio_group.h"
#include "widgets/table_grid.h"

namespace {

// An edit's maximum length limits typing only: a card may hold a longer text
// (a wider field, or a number beyond the year's four digits), which is shown
// and saved back whole. The edit then takes no more than that text's length;
// a shorter text brings the typing limit back.
void SetWholeText(QLineEdit* edit, const QString& text)
{
    static const char kTypingLimit[] = "typingLimit";
    QVariant limit = edit->property(kTypingLimit);
    if (!limit.isValid()) {
        limit = edit->maxLength();
        edit->setProperty(kTypingLimit, limit);
    }
    // Never below the text shown now, which a lower limit would cut.
    edit->setMaxLength(std::max({limit.toInt(), static_cast<int>(edit->text().size()), static_cast<int>(text.size())}));
    edit->setText(text);
    edit->setMaxLength(std::max(limit.toInt(), static_cast<int>(text.size())));
}

} // namespace

WidgetForm::WidgetForm(QWidget* window)
    : window_(window)
{
}

WidgetForm::~WidgetForm() = default;

QWidget* WidgetForm::control(const std::string& name) const
{
    if (controls_.empty()) {
        // The first of equal names wins, as a search from the window would find it.
        for (QWidget* child : window_->findChildren<QWidget*>())
            if (!child->objectName().isEmpty())
                controls_.try_emplace(child->objectName().toStdString(), child);
    }
    const auto found = controls_.find(name);
    // Every name comes from the layout table: one the window lacks is a
    // mistake in the program, never something a user could cause or mend.
    // A build without assertions still stops the operation with a message
    // instead of following a null pointer.
    Q_ASSERT_X(found != controls_.end(), "WidgetForm::control", name.c_str());
    if (found == controls_.end())
        throw card::CardError("Control " + name + " not found");
    return found->second;
}

std::string WidgetForm::text(const std::string& name) const
{
    QWidget* w = control(name);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text().toStdString();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
        return memo->toPlainText().toStdString();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText().toStdString();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text().toStdString();
    return {};
}

void WidgetForm::setText(const std::string& name, const std::string& text)
{
    QWidget* w = control(name);
    const QString value = QString::fromStdString(text);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        SetWholeText(edit, value);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
        memo->setPlainText(value);
}

int WidgetForm::itemIndex(const std::string& name) const
{
    QWidget* w = control(name);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentIndex();
    if (auto* group = qobject_cast<RadioGroup*>(w))
        return group->itemIndex();
    return -1;
}

int WidgetForm::itemCount(const std::string& name) const
{
    QWidget* w = control(name);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->count();
    if (auto* group = qobject_cast<RadioGroup*>(w))
        return group->count();
    return 0;
}

void WidgetForm::setItemIndex(const std::string& name, int index)
{
    QWidget* w = control(name);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        combo->setCurrentIndex(index);
    else if (auto* group = qobject_cast<RadioGroup*>(w))
        group->setItemIndex(index);
}

card::Date WidgetForm::date(const std::string& name) const
{
    const QDate d = qobject_cast<QDateTimeEdit*>(control(name))->date();
    return {d.year(), d.month(), d.day()};
}

void WidgetForm::setDate(const std::string& name, const card::Date& date)
{
    qobject_cast<QDateTimeEdit*>(control(name))->setDate(QDate(date.year, date.month, date.day));
}

int WidgetForm::okvedSource() const { return OkvedSourceOf(control(card::Field("OkvedSource").control)); }

void WidgetForm::setOkvedSource(int source) { SetOkvedSource(control(card::Field("OkvedSource").control), source); }

void WidgetForm::setCaption(const std::string& name, const std::string& caption)
{
    if (auto* label = qobject_cast<QLabel*>(control(name)))
        label->setText(QString::fromStdString(caption));
}

void WidgetForm::markInvalid(const std::string& name, bool invalid) { SetFieldInvalid(control(name), invalid); }

card::Grid& WidgetForm::grid(const std::string& name)
{
    auto& grid = grids_[name];
    if (!grid)
        grid = std::make_unique<TableGrid>(qobject_cast<QTableWidget*>(control(name)));
    return *grid;
}

void WidgetForm::openClassifierPicker()
{
    if (beforePicker_)
        beforePicker_();
    OpenClassifierPicker(window_,
                         {qobject_cast<QLineEdit*>(control(card::Field("OkvedCode").control)),
                          qobject_cast<QLabel*>(control(card::kClassifierCaptionControl))});
}
