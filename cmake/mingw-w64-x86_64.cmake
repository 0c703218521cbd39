# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix threading
# flavour, so std::thread and std::mutex exist). Programs without Qt are
# linked statically: they run under Wine, or on a bare Windows machine,
# without the MinGW runtime DLLs beside them. Qt's DLLs need those runtime
# DLLs anyway, so programs built with Qt share them
# (UNRA5_MINGW_STATIC_RUNTIME=OFF).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(UNRA5_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${UNRA5_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${UNRA5_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${UNRA5_MINGW_PREFIX}-windres)

# Headers and libraries only from the MinGW sysroot, build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${UNRA5_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

option(UNRA5_MINGW_STATIC_RUNTIME "Link the MinGW runtime into each program" ON)
if(UNRA5_MINGW_STATIC_RUNTIME)
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
endif()

# CTest starts the test programs through Wine (WINEPREFIX comes from the caller).
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
