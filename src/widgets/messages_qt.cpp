#include "widgets/messages_qt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

namespace {

QWidget* BoxParent() { return QApplication::activeWindow(); }

bool OnWindowThread() { return QThread::currentThread() == QCoreApplication::instance()->thread(); }

void ShowBox(QMessageBox::Icon icon, const std::string& caption, const std::string& text)
{
    if (!OnWindowThread())
        return;
    QMessageBox box(icon, QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok, BoxParent());
    box.exec();
}

} // namespace

void QtMessages::info(const std::string& text) { ShowBox(QMessageBox::NoIcon, caption_, text); }

card::Answer QtMessages::confirm(const std::string& question, card::Answer byDefault)
{
    if (!OnWindowThread())
        return card::Answer::Closed;
    QMessageBox box(QMessageBox::Question, QString::fromStdString(caption_), QString::fromStdString(question),
                    QMessageBox::NoButton, BoxParent());
    QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    box.setDefaultButton(byDefault == card::Answer::No ? no : yes);
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

void QtMessages::error(const std::string& shownText) { ShowBox(QMessageBox::Critical, caption_, shownText); }

void RunGuarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        card::ShowError(e.what());
    }
}
