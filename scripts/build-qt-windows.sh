#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (MinGW-w64, posix threads) from Debian's own
# qt6-base source package, the same version as the host Qt whose tools (moc,
# rcc, uic) the cross build uses, and installs it into PREFIX.
#   build-qt-windows.sh PREFIX [JOBS]
# The source comes through `apt-get source` with a private apt state folder
# (scripts/fetch-debian-source.sh), which leaves the machine's own apt set-up
# as it is; apt checks Debian's signatures and checksums of what it fetches.
# Only what the program and its tests need is built: Core, Gui, Widgets,
# Test, PrintSupport, the windows and offscreen platform plugins and the
# Windows styles; and Qt's Russian translation beside it. PREFIX/.complete
# marks a finished install.
set -euo pipefail

prefix=${1:?usage: build-qt-windows.sh PREFIX [JOBS]}
jobs=${2:-2}
root=$(cd "$(dirname "$0")/.." && pwd)
work="$prefix.work"
host_cmake_dir=$(dirname "$(dirname "$(dpkg -L qt6-base-dev | grep -m1 '/cmake/Qt6/Qt6Config.cmake$')")")
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)

# Qt's own Russian translation, from Debian's qt6-translations-l10n, where
# the tests' Qt looks for it.
add_translation() {
  mkdir -p "$prefix/translations"
  cp /usr/share/qt6/translations/qtbase_ru.qm "$prefix/translations/"
}

if [ -f "$prefix/.complete" ]; then
  add_translation
  echo "Qt for Windows is already in $prefix"
  exit 0
fi
mkdir -p "$work"

# --- Source -----------------------------------------------------------------
src=$(bash "$root/scripts/fetch-debian-source.sh" qt6-base "$qt_version" "$work")

# --- Configure and build ----------------------------------------------------
# The toolchain file is kept beside the installed Qt: Qt's own toolchain file
# loads it from there, whatever checkout built it.
mkdir -p "$prefix"
cp "$root/cmake/mingw-w64-x86_64.cmake" "$prefix/mingw-w64-x86_64.cmake"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

build="$work/build"
if [ ! -f "$build/build.ninja" ]; then
  rm -rf "$build"
  # OpenGL is off: the program paints with the raster engine. Without it the
  # Windows platform plugin only compiles with dynamicgl off too, and the
  # source package carries no wintab.h, so tablet events are off. Direct2D
  # stays on: Gui has its DirectWrite font engine only with it, and the
  # windows platform plugin and PrintSupport call into that engine; only
  # Direct2D 1.1 is off, which nothing but the direct2d platform plugin (a
  # second build of the windows one) needs. No JPEG, GIF or ICO plugins: the
  # programs read and write PNG only, which Gui has built in.
  cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-x86_64.cmake" \
    -DUNRA5_MINGW_STATIC_RUNTIME=OFF \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_dynamicgl=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_direct2d1_1=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF \
    -DFEATURE_gui=ON -DFEATURE_widgets=ON -DFEATURE_testlib=ON -DFEATURE_printsupport=ON \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_icu=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    "${launcher[@]}"
fi
cmake --build "$build" --parallel "$jobs"
cmake --install "$build"
add_translation
touch "$prefix/.complete"
rm -rf "$work"
echo "Qt for Windows installed in $prefix"
