// The Windows program is a window program, which gets no console of its
// own. Its command line writes where its output was redirected, or else to
// the console it was started from, in UTF-8 while it runs.
#include <cstdio>
#include <iostream>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <io.h>
#include <windows.h>

#include "register/register_console.h"

namespace reg {
namespace {

bool HasHandle(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

} // namespace

ConsoleOutput::ConsoleOutput()
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

ConsoleOutput::~ConsoleOutput()
{
    std::cout.flush();
    std::cerr.flush();
    if (codePage_ != 0)
        SetConsoleOutputCP(codePage_);
}

bool ErrorIsTerminal() { return _isatty(2) != 0; }

} // namespace reg
