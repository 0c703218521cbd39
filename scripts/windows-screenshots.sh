#!/usr/bin/env bash
# Screenshots of the installed Windows program under Wine, to look at:
#   windows-screenshots.sh BUILD_WINDOWS DIST [DPI]
# Installs the installer into a fresh sandbox prefix with Wine's DPI set
# (96 by default; 144 is 150 % scaling), starts the program on an Xvfb
# display and photographs each of its seven pages (Ctrl+Tab moves on). The
# PNGs go to BUILD_WINDOWS/screenshots-DPI/. When the build folder holds the
# guide's picture taker (configured with -DUNRA5_BUILD_TOOLS=ON), it runs in
# the same prefix on the windows platform too: every page, the picker and
# both entry dialogs, filled with the sample card, into screenshots-DPI/tool/.
set -euo pipefail
build=$(cd "${1:?usage: windows-screenshots.sh BUILD_WINDOWS DIST [DPI]}" && pwd)
dist=$(cd "${2:?}" && pwd)
dpi=${3:-96}
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(cat "$root/VERSION")
out="$build/screenshots-$dpi"
rm -rf "$out"
mkdir -p "$out"
. "$root/scripts/wine-env.sh" "$out/prefix" "$out/home"
bash "$root/scripts/wine-prefix.sh" "$WINEPREFIX" "$HOME"
DISPLAY= wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
DISPLAY= wine "$dist/unra5-card-$version-windows-installer.exe" /S
wineserver --wait
user=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n1)
export PROGRAM="$user/AppData/Local/Programs/ЮНРА5 Карточка предприятия" CARDS="$user/Documents/ЮНРА5 Карточки"
export OUT="$out" LANG=C.UTF-8

xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
  cd "$CARDS"
  QT_QPA_PLATFORM=windows wine "$PROGRAM/unra5-card.exe" &
  window=""
  for _ in $(seq 120); do
    window=$(xdotool search --name "версия" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 1
  done
  sleep 3
  for page in 1 2 3 4 5 6 7; do
    import -window root "$OUT/page-$page.png"
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    xdotool key --window "$window" ctrl+Tab
    sleep 1
  done
  wineserver -k
'
if [ -f "$build/tools/screenshots.exe" ]; then
  export WINEPATH="$(cat "$build/wine-path.txt")" TOOL="$build/tools/screenshots.exe"
  xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
    cd "$CARDS"
    wine "$TOOL" "Z:$OUT/tool" >/dev/null
    wineserver -k
  '
fi
ls "$out"/*.png "$out"/tool/*.png 2>/dev/null
