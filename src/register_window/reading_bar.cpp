#include "register_window/reading_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "widgets/named.h"
#include "widgets/named_button.h"

ReadingBar::ReadingBar(QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    summary_ = Named<QLabel>("LblSummary", this);
    progress_ = Named<QProgressBar>("ProgressReading", this);
    progress_->setVisible(false);
    cancel_ = MakeNamedButton("BtnCancel", QStringLiteral("Отмена"), this);
    cancel_->setEnabled(false);
    row->addWidget(summary_, 1);
    row->addWidget(progress_);
    row->addWidget(cancel_);
    connect(cancel_, &QPushButton::clicked, this, &ReadingBar::cancelClicked);
}

void ReadingBar::setText(const QString& text) { summary_->setText(text); }

void ReadingBar::start()
{
    progress_->setRange(0, 0);
    progress_->setValue(0);
    progress_->setVisible(true);
    cancel_->setEnabled(true);
    summary_->setText(QStringLiteral("Чтение карточек…"));
}

void ReadingBar::progress(int done, int total)
{
    progress_->setRange(0, total);
    progress_->setValue(done);
}

void ReadingBar::cancelling() { cancel_->setEnabled(false); }

void ReadingBar::finish()
{
    cancel_->setEnabled(false);
    progress_->setVisible(false);
}
