#!/usr/bin/env bash
# Smoke test of the Windows product under Wine:
#   smoke-windows.sh BUILD_WINDOWS DIST LINUX_BUILD
# Installs the installer silently into a fresh sandbox prefix, starts the
# installed program on an Xvfb display with the windows platform plugin in its
# cards folder and checks the caption; has the Windows build of save_load_test
# save a card filled through the real window into that cards folder and
# compares it byte for byte with the same card saved by the Linux build;
# uninstalls and checks that the program is gone and the cards folder stays.
set -euo pipefail
build=${1:?usage: smoke-windows.sh BUILD_WINDOWS DIST LINUX_BUILD}
dist=${2:?}
linux_build=${3:?}
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
installer="$dist/unra5-card-$version-windows-installer.exe"
caption="ЮНРА5. Карточка предприятия. версия $version"

smoke="$build/smoke"
rm -rf "$smoke"
mkdir -p "$smoke"
export WINEPREFIX="$smoke/prefix" HOME="$smoke/home" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
bash "$root/scripts/wine-prefix.sh" "$WINEPREFIX" "$HOME"
fail() { echo "smoke test: $*" >&2; exit 1; }

started=$SECONDS
DISPLAY= wine "$installer" /S
wineserver --wait
user=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n1)
program="$user/AppData/Local/Programs/ЮНРА5 Карточка предприятия"
cards="$user/Documents/ЮНРА5 Карточки"
shortcut="ЮНРА5. Карточка предприятия.lnk"
[ -f "$program/unra5-card.exe" ] || fail "the program is not in $program"
[ -d "$cards" ] || fail "no cards folder $cards"
[ -f "$user/Desktop/$shortcut" ] || fail "no desktop shortcut"
[ -f "$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$shortcut" ] || fail "no Start-menu shortcut"
DISPLAY= wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\unra5-card' /v DisplayVersion |
  grep -q "$version" || fail "no uninstall entry with version $version"
echo "smoke test: installed in $((SECONDS - started)) s"

# The installed program on a display, started in its cards folder as the
# shortcuts start it.
export LANG=C.UTF-8 CAPTION="$caption" PROGRAM="$program" CARDS="$cards" SHOT="$smoke/main-window.png"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  cd "$CARDS"
  QT_QPA_PLATFORM=windows wine "$PROGRAM/unra5-card.exe" &
  window=""
  for _ in $(seq 120); do
    window=$(xdotool search --name "ЮНРА5" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && [ -n "$(xdotool getwindowname "$window")" ] && break
    sleep 1
  done
  title=$(xdotool getwindowname "$window" 2>/dev/null || true)
  import -window root "$SHOT" 2>/dev/null || true
  wineserver -k
  echo "smoke test: caption \"$title\""
  [ "$title" = "$CAPTION" ]
' || fail "the main window did not show the caption \"$caption\""

# One card, filled through the real window, saved by each build.
QT_QPA_PLATFORM=offscreen UNRA5_SAVED_CARD_COPY="$smoke/linux.crd" \
  "$linux_build/tests/save_load_test" savedFileHoldsEveryFieldAtItsOffset >/dev/null ||
  fail "the Linux save_load_test failed"
# The test program runs with the Qt it was built against: the installed
# folder has no offscreen platform plugin.
DISPLAY= QT_QPA_PLATFORM=offscreen WINEPATH="$(cat "$build/wine-path.txt")" \
  QT_QPA_FONTDIR="Z:${WINE_TEST_FONTS:-/usr/share/fonts/truetype/dejavu}" \
  UNRA5_SAVED_CARD_COPY="$(winepath -w "$cards")\\windows.crd" \
  wine "$build/tests/save_load_test.exe" savedFileHoldsEveryFieldAtItsOffset >/dev/null ||
  fail "the Windows save_load_test failed"
wineserver --wait
cmp "$smoke/linux.crd" "$cards/windows.crd" || fail "the cards saved by the two builds differ"
echo "smoke test: the card saved on Windows is byte for byte the Linux one"

DISPLAY= wine "$program/uninstall.exe" /S
wineserver --wait
[ ! -e "$program/unra5-card.exe" ] || fail "the uninstaller left the program"
[ ! -e "$user/Desktop/$shortcut" ] || fail "the uninstaller left the desktop shortcut"
[ -f "$cards/windows.crd" ] || fail "the uninstaller removed the cards folder"
echo "smoke test: passed in $((SECONDS - started)) s"
