#include "classifier/record_navigator.h"

#include <map>

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

#include "classifier/classifier_table.h"
#include "widgets/named.h"

namespace {

// The four icons are loaded once for the program. Asking the style afresh in
// every picker loads new pixmaps each time, and Qt's pixmap cache keeps
// bookkeeping for every set it has drawn: memory that grew with each opening.
// They are never destroyed, as no icon may outlive the application object.
const QIcon& NavigatorIcon(const QWidget* parent, QStyle::StandardPixmap which)
{
    static auto* const icons = new std::map<QStyle::StandardPixmap, QIcon>;
    auto found = icons->find(which);
    if (found == icons->end())
        found = icons->emplace(which, parent->style()->standardIcon(which)).first;
    return found->second;
}

QToolButton* MakeButton(const char* name, QStyle::StandardPixmap icon, const QString& hint, QWidget* parent)
{
    auto* button = Named<QToolButton>(name, parent);
    button->setIcon(NavigatorIcon(parent, icon));
    button->setToolTip(hint);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace

RecordNavigator::RecordNavigator(QWidget* parent)
    : QWidget(parent)
{
    first_ = MakeButton("nbFirst", QStyle::SP_MediaSkipBackward, QStringLiteral("Первая запись"), this);
    prior_ = MakeButton("nbPrior", QStyle::SP_MediaSeekBackward, QStringLiteral("Предыдущая запись"), this);
    next_ = MakeButton("nbNext", QStyle::SP_MediaSeekForward, QStringLiteral("Следующая запись"), this);
    last_ = MakeButton("nbLast", QStyle::SP_MediaSkipForward, QStringLiteral("Последняя запись"), this);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (QToolButton* button : {first_, prior_, next_, last_})
        row->addWidget(button);

    connect(first_, &QToolButton::clicked, this, [this] {
        if (table_)
            table_->first();
    });
    connect(prior_, &QToolButton::clicked, this, [this] {
        if (table_)
            table_->prior();
    });
    connect(next_, &QToolButton::clicked, this, [this] {
        if (table_)
            table_->next();
    });
    connect(last_, &QToolButton::clicked, this, [this] {
        if (table_)
            table_->last();
    });
    updateButtons();
}

void RecordNavigator::bind(ClassifierTable* table)
{
    disconnect(moved_);
    disconnect(opened_);
    table_ = table;
    if (table_) {
        moved_ = connect(table_, &ClassifierTable::currentRowChanged, this, &RecordNavigator::updateButtons);
        opened_ = connect(table_, &ClassifierTable::openChanged, this, &RecordNavigator::updateButtons);
    }
    updateButtons();
}

void RecordNavigator::updateButtons()
{
    const int row = table_ ? table_->currentRow() : -1;
    const bool open = row >= 0;
    const bool atFirst = row <= 0;
    const bool atLast = !open || row >= table_->size() - 1;
    first_->setEnabled(open && !atFirst);
    prior_->setEnabled(open && !atFirst);
    next_->setEnabled(open && !atLast);
    last_->setEnabled(open && !atLast);
}
