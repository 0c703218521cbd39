// Program start: the application, its title, the one main window, the loop.
#include <QApplication>
#include <QLocale>

#include "card/messages.h"
#include "classifier/picker_hook.h"
#include "window/main_window.h"
#include "window/messages_qt.h"
#include "window/qt_russian.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationName(QString::fromUtf8(card::kAppTitle));
    // The program is made for the Russian locale: month and day names in the
    // calendars follow it (dates themselves are always DD.MM.YYYY).
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    InstallQtRussian(app);

    QtMessages boxes;
    card::setMessages(&boxes);
    InstallClassifierPicker();

    TFrmGn window;
    window.show();
    const int result = QApplication::exec();
    card::setMessages(nullptr);
    return result;
}
