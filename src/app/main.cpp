// Program start: the application, its title, the one main window, the loop.
#include <QApplication>

#include "card/outcome.h"
#include "classifier/picker_hook.h"
#include "widgets/messages_qt.h"
#include "widgets/qt_russian.h"
#include "window/main_window.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    SetUpRussianApplication(app, QString::fromUtf8(card::kAppTitle));

    QtMessages boxes;
    SetBoxes(&boxes);
    InstallClassifierPicker();

    TFrmGn window;
    window.show();
    const int result = QApplication::exec();
    SetBoxes(nullptr);
    return result;
}
