#!/usr/bin/env bash
# Installs the Debian 12 packages a make target needs, but only those that are
# missing, so a prepared machine is not touched.
#   install-deps.sh            what `make run` and `make test` need
#   install-deps.sh windows    + the MinGW-w64 cross compiler, GoogleTest source, Wine, what builds
#                                Qt and libxlsxwriter from Debian's source (dpkg-dev, ninja, zlib for
#                                MinGW), the icon tools and NSIS
#   install-deps.sh asan       + the gcc sanitizer runtimes
#   install-deps.sh fuzz       + clang and its libFuzzer and sanitizer runtimes, zlib and expat (the
#                                register's target reads its workbook back)
#   install-deps.sh package    + the tools that make and check the Debian package
#   install-deps.sh format     + clang-format, which checks the layout of the C++ files
# Several extras may be named at once.
set -euo pipefail

packages=(
  cmake make g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # xlsxwriter.pc asks the linker for -lz, but libxlsxwriter-dev does not
  # depend on zlib's development files.
  libxlsxwriter-dev zlib1g-dev python3-openpyxl
  xvfb xauth
  poppler-utils
)
extra_windows=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest wine wine64
               dpkg-dev ninja-build libz-mingw-w64-dev ccache librsvg2-bin imagemagick nsis xdotool fonts-dejavu-core
               fonts-wine fontconfig)
extra_asan=(libasan8 libubsan1)
extra_fuzz=(clang libclang-rt-dev libexpat1-dev zlib1g-dev)
extra_format=(clang-format)
extra_package=(dpkg-dev fakeroot file librsvg2-bin lintian desktop-file-utils appstream xdotool xdg-user-dirs)

for extra in "$@"; do
  case "$extra" in
    windows) packages+=("${extra_windows[@]}") ;;
    asan) packages+=("${extra_asan[@]}") ;;
    fuzz) packages+=("${extra_fuzz[@]}") ;;
    package) packages+=("${extra_package[@]}") ;;
    format) packages+=("${extra_format[@]}") ;;
    *) echo "install-deps.sh: unknown extra '$extra' (windows, asan, fuzz, package, format)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
