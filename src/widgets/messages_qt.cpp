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

class SilentMessages final : public MessageBoxes {
public:
    void info(const std::string&) override {}
    card::Answer confirm(const std::string&, card::Answer) override { return card::Answer::Closed; }
    void error(const std::string&) override {}
};

SilentMessages silent;
MessageBoxes* current = &silent;

} // namespace

MessageBoxes& Boxes() { return *current; }

MessageBoxes* SetBoxes(MessageBoxes* boxes)
{
    MessageBoxes* previous = current == &silent ? nullptr : current;
    current = boxes ? boxes : &silent;
    return previous;
}

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

card::Answer BoxDialogue::ask(const std::string& question, card::Answer byDefault)
{
    return Boxes().confirm(question, byDefault);
}

void BoxDialogue::tell(const card::Message& message) { ShowMessage(message); }

void ShowMessage(const card::Message& message)
{
    if (message.kind == card::Message::Error)
        Boxes().error(message.text);
    else
        Boxes().info(message.text);
}

void ShowMessages(const card::Outcome& outcome)
{
    for (const card::Message& message : outcome.messages)
        ShowMessage(message);
}

void ShowError(const std::string& message) { Boxes().error(card::ErrorDisplayText(message)); }

void RunGuarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        ShowError(e.what());
    }
}
