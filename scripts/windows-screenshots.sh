#!/usr/bin/env bash
# Screenshots of the Windows installer and the installed program under Wine:
#   windows-screenshots.sh BUILD_WINDOWS DIST [DPI]
# Makes a fresh sandbox prefix (scripts/wine-prefix.sh: with Wine's fonts,
# so the program finds a sans-serif face) with Wine's DPI set (96 by default; 144 is 150 %
# scaling) and, on an Xvfb display, runs the installer as a user does,
# photographing each of its pages (installer-….png; Enter takes the
# default button, and on the last page starts the program). Then it starts
# the installed program in its cards folder and photographs each of its
# seven pages (Ctrl+Tab moves on). The PNGs go to
# BUILD_WINDOWS/screenshots-DPI/.
# When the build folder holds the
# guide's picture taker (configured with -DUNRA5_BUILD_TOOLS=ON), it runs in
# the same prefix on the windows platform too: every page, the picker and
# both entry dialogs, filled with the sample card, into screenshots-DPI/tool/;
# it saves the sample card into the cards folder, where the program's
# «Загрузить» then shows it (card-in-folder.png).
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
user=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n1)
export PROGRAM="$user/AppData/Local/Programs/ЮНРА5 Карточка предприятия" CARDS="$user/Documents/ЮНРА5 Карточки"
export OUT="$out" LANG=C.UTF-8 INSTALLER="$dist/unra5-card-$version-windows-installer.exe"

# The installer's pages: install mode, folder, files copied, finish.
xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
  wine "$INSTALLER" &
  window=""
  for _ in $(seq 60); do
    window=$(xdotool search --name "ЮНРА5" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 1
  done
  [ -n "$window" ] || { echo "windows-screenshots: the installer did not open" >&2; exit 1; }
  sleep 3
  shot() {
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    sleep 1
    timeout 30 import -window "$window" "$OUT/$1"
  }
  shot installer-welcome.png
  xdotool key --window "$window" Return; sleep 2
  shot installer-folder.png
  xdotool key --window "$window" Return; sleep 3
  shot installer-files.png
  # The uninstall settings are among the last files the installer writes;
  # the finish page follows by itself.
  for _ in $(seq 180); do
    [ -f "$PROGRAM/uninstall.ini" ] && break
    sleep 1
  done
  sleep 5
  shot installer-finish.png
  # «Готово» with «Запустить» ticked starts the program; it is ended once
  # its window is there and started again below.
  xdotool key --window "$window" Return
  for _ in $(seq 120); do
    xdotool search --name "версия" >/dev/null 2>&1 && break
    sleep 1
  done
  wineserver -k
'
[ -f "$PROGRAM/unra5-card.exe" ] || { echo "windows-screenshots: the installer did not install" >&2; exit 1; }

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
    timeout 30 import -window root "$OUT/page-$page.png"
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
    wine "$TOOL" "Z:$OUT/tool" . >/dev/null
    wineserver -k
  '
  # The program's «Загрузить» (Ctrl+O) in its cards folder, with the sample
  # card the picture taker saved there (the dialog is Wine's own).
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
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    xdotool key --window "$window" ctrl+o
    sleep 4
    timeout 30 import -window root "$OUT/card-in-folder.png"
    convert "$OUT/card-in-folder.png" -trim +repage "$OUT/card-in-folder.png"
    wineserver -k
  '
fi
ls "$out"/*.png "$out"/tool/*.png 2>/dev/null
