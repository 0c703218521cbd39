#!/usr/bin/env bash
# Makes a Wine prefix that is a sandbox, unless it exists already:
#   wine-prefix.sh PREFIX HOME
# Wine links a new prefix's Documents, Desktop and the other user folders to
# the Unix home folder; they are replaced by real folders inside the prefix
# right away, so an installer or a test run there writes nothing outside it.
# HOME is the temporary home Wine runs with (callers pass the same one).
#
# Wine's own fonts (Debian's fonts-wine: Tahoma and the rest) go into the
# prefix's Fonts folder, also in a prefix made before. Left in Wine's data
# folder they are not listed to a program: Qt then finds none of the faces
# the program asks for and takes the first face it is shown (DejaVu Math TeX
# Gyre, a serif), whatever the style hint; a registry substitute naming
# Tahoma found no Tahoma either. Wine's MS Sans Serif stays out: Wine draws
# it at 8 points with a 16-pixel line where Windows has 13, which cuts
# captions. Without it the program's second face, Tahoma, takes its place at
# MS Sans Serif's size, as a Windows without MS Sans Serif would.
set -euo pipefail
prefix=${1:?usage: wine-prefix.sh PREFIX HOME}
home=${2:?usage: wine-prefix.sh PREFIX HOME}
wine_fonts=/usr/share/wine/fonts

add_wine_fonts() {
  local font
  for font in "$wine_fonts"/*.fon "$wine_fonts"/*.ttf; do
    [ -f "$font" ] || continue
    fc-scan --format '%{family}\n' "$font" | grep -qx 'MS Sans Serif' && continue
    cp -u "$font" "$prefix/drive_c/windows/Fonts/"
  done
  return 0
}

if [ -f "$prefix/system.reg" ]; then
  add_wine_fonts
  exit 0
fi

mkdir -p "$home"
rm -rf "$prefix"
. "$(dirname "$0")/wine-env.sh" "$prefix" "$home"
export DISPLAY=
wineboot --init >/dev/null 2>&1
wineserver --wait
for link in "$prefix"/drive_c/users/*/*; do
  if [ -L "$link" ]; then
    rm "$link"
    mkdir "$link"
  fi
done
add_wine_fonts
