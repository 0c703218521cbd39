#!/usr/bin/env bash
# Builds libxlsxwriter for 64-bit Windows (MinGW-w64, posix threads) from
# Debian's own libxlsxwriter source package, the version of the host's
# libxlsxwriter-dev, and installs it into PREFIX as a static library:
#   build-xlsxwriter-windows.sh PREFIX [JOBS]
# It links Debian's zlib for MinGW (libz-mingw-w64-dev) statically, so the
# register needs no DLL more than the card program. Debian's own build uses
# the system's minizip and OpenSSL's MD5, which have no MinGW packages; the
# copies of both that come in the same source package are used instead.
# PREFIX/.complete marks a finished install.
set -euo pipefail

prefix=${1:?usage: build-xlsxwriter-windows.sh PREFIX [JOBS]}
jobs=${2:-2}
root=$(cd "$(dirname "$0")/.." && pwd)
work="$prefix.work"
version=$(dpkg-query -W -f='${source:Version}' libxlsxwriter-dev)
mingw=/usr/x86_64-w64-mingw32

if [ -f "$prefix/.complete" ]; then
  echo "libxlsxwriter for Windows is already in $prefix"
  exit 0
fi
started=$SECONDS
mkdir -p "$work"
src=$(bash "$root/scripts/fetch-debian-source.sh" libxlsxwriter "$version" "$work")

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
build="$work/build"
rm -rf "$build"
cmake -S "$src" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF \
  -DUSE_SYSTEM_MINIZIP=OFF -DUSE_OPENSSL_MD5=OFF \
  -DZLIB_INCLUDE_DIR="$mingw/include" -DZLIB_LIBRARY="$mingw/lib/libz.a" \
  "${launcher[@]}"
cmake --build "$build" --parallel "$jobs"
cmake --install "$build"
touch "$prefix/.complete"
rm -rf "$work"
echo "libxlsxwriter $version for Windows installed in $prefix in $((SECONDS - started)) s"
