#include "widgets/messages_qt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "card/errors.h"

namespace {

QWidget* BoxParent() { return QApplication::activeWindow(); }

QString Title() { return QString::fromUtf8(card::kAppTitle); }

} // namespace

void QtMessages::info(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, Title(), QString::fromStdString(text), QMessageBox::Ok, BoxParent());
    box.exec();
}

card::Answer QtMessages::confirm(const std::string& question)
{
    QMessageBox box(QMessageBox::Question, Title(), QString::fromStdString(question), QMessageBox::NoButton,
                    BoxParent());
    QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    // Escape and the close box answer neither Yes nor No: they go through a
    // hidden button of their own so that the caller sees "closed".
    QPushButton* closed = box.addButton(QMessageBox::Cancel);
    closed->hide();
    box.setEscapeButton(closed);
    box.exec();
    if (box.clickedButton() == yes)
        return card::Answer::Yes;
    if (box.clickedButton() == no)
        return card::Answer::No;
    return card::Answer::Closed;
}

void QtMessages::error(const std::string& shownText)
{
    QMessageBox box(QMessageBox::Critical, Title(), QString::fromStdString(shownText), QMessageBox::Ok, BoxParent());
    box.exec();
}

void RunGuarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        card::ShowError(e.what());
    }
}
