// The register of cards: the window, or with --export the command line.
#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <io.h>
#include <windows.h>
#define UNRA5_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define UNRA5_ISATTY(fd) isatty(fd)
#endif

#include "register/register_cli.h"
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

#ifdef _WIN32
// The Windows program is a window program, which gets no console of its
// own. Its command line writes where its output was redirected, or else to
// the console it was started from, in UTF-8 while it runs.
class ConsoleOutput {
public:
    ConsoleOutput()
    {
        const bool out = HasHandle(STD_OUTPUT_HANDLE);
        const bool err = HasHandle(STD_ERROR_HANDLE);
        if ((out && err) || !AttachConsole(ATTACH_PARENT_PROCESS))
            return;
        if (!out)
            std::freopen("CONOUT$", "w", stdout);
        if (!err)
            std::freopen("CONOUT$", "w", stderr);
        codePage_ = GetConsoleOutputCP();
        SetConsoleOutputCP(CP_UTF8);
    }
    ~ConsoleOutput()
    {
        std::cout.flush();
        std::cerr.flush();
        if (codePage_ != 0)
            SetConsoleOutputCP(codePage_);
    }
    ConsoleOutput(const ConsoleOutput&) = delete;
    ConsoleOutput& operator=(const ConsoleOutput&) = delete;

private:
    static bool HasHandle(DWORD which)
    {
        const HANDLE handle = GetStdHandle(which);
        return handle != nullptr && handle != INVALID_HANDLE_VALUE;
    }
    UINT codePage_ = 0;
};
#else
struct ConsoleOutput {};
#endif

} // namespace

int main(int argc, char* argv[])
{
    {
        QCoreApplication probe(argc, argv);
        const std::vector<std::string> args = Arguments(QCoreApplication::arguments());
        if (reg::WantsCommandLine(args)) {
            [[maybe_unused]] const ConsoleOutput console;
            return reg::RunRegisterCommand(args, std::cout, std::cerr, UNRA5_ISATTY(2) != 0);
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
