#include "register_window/register_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include "register_window/register_window.h"

namespace {

// A box can only be shown on the window's thread; a message from anywhere else
// has no one to read it.
bool Show(QMessageBox::Icon icon, const std::string& text, QMessageBox::StandardButtons buttons = QMessageBox::Ok)
{
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        return false;
    QMessageBox box(icon, QString::fromUtf8(kRegisterTitle), QString::fromStdString(text), buttons,
                    QApplication::activeWindow());
    return box.exec() == QMessageBox::Yes;
}

} // namespace

void RegisterMessages::info(const std::string& text) { Show(QMessageBox::NoIcon, text); }

card::Answer RegisterMessages::confirm(const std::string& question)
{
    return Show(QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No) ? card::Answer::Yes
                                                                                     : card::Answer::No;
}

void RegisterMessages::error(const std::string& shownText) { Show(QMessageBox::Critical, shownText); }
