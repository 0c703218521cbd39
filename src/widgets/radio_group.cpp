#include "widgets/radio_group.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include "widgets/field_captions.h"

RadioGroup::RadioGroup(const QString& name, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(parent)
    , buttons_(new QButtonGroup(this))
{
    setObjectName(name);
    // As large as its items need, never squeezed by a neighbour.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(name + QStringLiteral("_item") + QString::number(i));
        buttons_->addButton(button, i);
        grid->addWidget(button, i / columns, i % columns);
    }
    setItemIndex(0);
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemIndexChanged(id);
    });
    connect(qApp, &QApplication::focusChanged, this, &RadioGroup::focusMoved);
}

int RadioGroup::itemIndex() const { return buttons_->checkedId(); }

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* button = buttons_->button(index))
        button->setChecked(true);
}

int RadioGroup::count() const { return static_cast<int>(buttons_->buttons().size()); }

QRadioButton* RadioGroup::item(int index) const { return static_cast<QRadioButton*>(buttons_->button(index)); }

void RadioGroup::onExit(std::function<void()> reaction) { onExit_ = std::move(reaction); }

void RadioGroup::focusMoved(QWidget* from, QWidget* to)
{
    // A message box or another window taking the focus for a while is not
    // leaving the group; only a move to another control of this window is.
    if (!onExit_ || !from || !to || !isAncestorOf(from) || isAncestorOf(to))
        return;
    if (to->window() != window())
        return;
    onExit_();
}

RadioGroup* MakeYesNoGroup(const QString& name, QWidget* parent)
{
    return new RadioGroup(name, {CardText(card::kYesNoItems[0]), CardText(card::kYesNoItems[1])}, 2, parent);
}
