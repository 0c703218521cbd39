// The register of cards: the window, or with --export, --report or --help the command line.
#include <QApplication>
#include <QDate>
#include <QGuiApplication>
#include <QStringList>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "register/register_cli.h"
#include "register/register_console.h"
#include "register_report/register_report.h"
#include "register_window/register_window.h"
#include "widgets/messages_qt.h"
#include "widgets/qt_russian.h"

namespace {

// The arguments as UTF-8 whatever the system's code page.
std::vector<std::string> Arguments(const QStringList& all)
{
    std::vector<std::string> args;
    for (qsizetype i = 1; i < all.size(); ++i)
        args.push_back(all[i].toStdString());
    return args;
}

// Without a display Qt's usual platform cannot start; the report needs
// none. Windows always has one.
void UseOffscreenWithoutDisplay()
{
#ifndef _WIN32
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    std::vector<std::string> args;
    {
        QCoreApplication probe(argc, argv);
        args = Arguments(QCoreApplication::arguments());
    }
    if (reg::WantsCommandLine(args)) {
        [[maybe_unused]] const reg::ConsoleOutput console;
        // The report draws text, which needs Qt's fonts: a GUI application,
        // on the offscreen platform where there is no display (a scheduled run).
        std::unique_ptr<QGuiApplication> fonts;
        if (std::find(args.begin(), args.end(), "--report") != args.end()) {
            UseOffscreenWithoutDisplay();
            fonts = std::make_unique<QGuiApplication>(argc, argv);
        }
        const reg::ReportWriter writeReport = RegisterReportWriter(
            {QString::fromUtf8(kRegisterTitle), QString::fromLatin1(UNRA5_VERSION), QDate::currentDate()});
        return reg::RunRegisterCommand(args, std::cout, std::cerr, reg::ErrorIsTerminal(), writeReport);
    }
    QApplication app(argc, argv);
    SetUpRussianApplication(app, QString::fromUtf8(kRegisterTitle));
    // Before the first reading: the reading threads' routing keeps these
    // boxes for the window's thread (a PDF that cannot be written, say).
    QtMessages boxes(kRegisterTitle);
    SetBoxes(&boxes);

    RegisterWindow window;
    window.show();
    // A folder named on the command line (a shortcut, "Open with") is read
    // instead of the last one.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 2)
        window.openFolder(arguments[1]);
    else
        window.openRememberedFolder();
    return QApplication::exec();
}
