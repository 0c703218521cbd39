// The register of cards: the window, or with --export, --report or --help the command line.
#include <QApplication>
#include <QStringList>

#include <iostream>
#include <string>
#include <vector>

#include "register/register_cli.h"
#include "register/register_console.h"
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

} // namespace

int main(int argc, char* argv[])
{
    {
        QCoreApplication probe(argc, argv);
        const std::vector<std::string> args = Arguments(QCoreApplication::arguments());
        if (reg::WantsCommandLine(args)) {
            [[maybe_unused]] const reg::ConsoleOutput console;
            // --report: the report is drawn with Qt in the window's layer; its
            // writer (a reg::ReportWriter) is handed over here.
            const reg::ReportWriter writeReport;
            return reg::RunRegisterCommand(args, std::cout, std::cerr, reg::ErrorIsTerminal(), writeReport);
        }
    }
    QApplication app(argc, argv);
    SetUpRussianApplication(app, QString::fromUtf8(kRegisterTitle));
    // Before the first reading: the reading threads' routing keeps these
    // boxes for the window's thread (a PDF that cannot be written, say).
    QtMessages boxes(kRegisterTitle);
    card::setMessages(&boxes);

    RegisterWindow window;
    window.show();
    window.openRememberedFolder();
    return QApplication::exec();
}
