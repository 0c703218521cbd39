// Program start: the application, its title, the one main window, the loop.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "card/messages.h"
#include "classifier/picker_hook.h"
#include "window/main_window.h"
#include "window/messages_qt.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationName(QString::fromUtf8(card::kAppTitle));

    // Qt's own Russian texts for the standard parts (context menus, calendar,
    // file dialog); the program starts without them as well.
    QTranslator qtRussian;
    if (qtRussian.load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtRussian);

    QtMessages boxes;
    card::setMessages(&boxes);
    InstallClassifierPicker();

    TFrmGn window;
    window.show();
    const int result = QApplication::exec();
    card::setMessages(nullptr);
    return result;
}
