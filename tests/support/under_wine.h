#pragma once
// Whether the test program, built for Windows, runs under Wine: for the few
// cases where Wine on a Linux file system cannot behave as Windows does.
#ifdef _WIN32
#include <windows.h>
#endif

inline bool UnderWine()
{
#ifdef _WIN32
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
#else
    return false;
#endif
}
