#!/usr/bin/env bash
# Smoke test of the Windows product under Wine:
#   smoke-windows.sh BUILD_WINDOWS DIST LINUX_BUILD
# Installs the installer silently into a fresh sandbox prefix, starts the
# installed program on an Xvfb display with the windows platform plugin in its
# cards folder and checks the caption; has the Windows build of save_load_test
# save a card filled through the real window into that cards folder and
# compares it byte for byte with the same card saved by the Linux build;
# runs the installed register of cards from the command line over a folder
# with that card and a bad file, into Cyrillic-named exports that are read
# back on Linux, and starts its window; uninstalls and checks that the
# programs are gone and the cards folder stays.
set -euo pipefail
build=${1:?usage: smoke-windows.sh BUILD_WINDOWS DIST LINUX_BUILD}
dist=${2:?}
linux_build=${3:?}
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(cat "$root/VERSION")
installer="$dist/unra5-card-$version-windows-installer.exe"
caption="ЮНРА5. Карточка предприятия. версия $version"

smoke="$build/smoke"
rm -rf "$smoke"
mkdir -p "$smoke"
. "$root/scripts/wine-env.sh" "$smoke/prefix" "$smoke/home"
bash "$root/scripts/wine-prefix.sh" "$WINEPREFIX" "$HOME"
fail() { echo "smoke test: $*" >&2; exit 1; }

started=$SECONDS
DISPLAY= wine "$installer" /S
wineserver --wait
user=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n1)
program="$user/AppData/Local/Programs/ЮНРА5 Карточка предприятия"
cards="$user/Documents/ЮНРА5 Карточки"
shortcut="ЮНРА5. Карточка предприятия.lnk"
start_menu="$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
register_shortcut="ЮНРА5. Сводка карточек.lnk"
[ -f "$program/unra5-card.exe" ] || fail "the program is not in $program"
[ -d "$cards" ] || fail "no cards folder $cards"
[ -f "$user/Desktop/$shortcut" ] || fail "no desktop shortcut"
[ -f "$start_menu/$shortcut" ] || fail "no Start-menu shortcut"
[ -f "$program/unra5-register.exe" ] || fail "the register is not in $program"
[ -f "$start_menu/$register_shortcut" ] || fail "no Start-menu shortcut of the register"
DISPLAY= wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\unra5-card' /v DisplayVersion |
  grep -q "$version" || fail "no uninstall entry with version $version"
echo "smoke test: installed in $((SECONDS - started)) s"

# Starts the installed program EXE on an Xvfb display with the windows
# platform, in the cards folder as the shortcuts start it, waits for its
# window (a name holding PATTERN), takes a screenshot into SHOT and prints
# the window's name.
window_title() {
  EXE="$1" PATTERN="$2" SHOT="$3" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    cd "$CARDS"
    QT_QPA_PLATFORM=windows wine "$PROGRAM/$EXE" &
    window=""
    for _ in $(seq 120); do
      window=$(xdotool search --name "$PATTERN" 2>/dev/null | head -n1 || true)
      [ -n "$window" ] && [ -n "$(xdotool getwindowname "$window")" ] && break
      sleep 1
    done
    sleep 2
    xdotool getwindowname "$window" 2>/dev/null || true
    import -window root "$SHOT" 2>/dev/null || true
    wineserver -k
    wait
  ' 2>/dev/null
}
export LANG=C.UTF-8 PROGRAM="$program" CARDS="$cards"
title=$(window_title unra5-card.exe "ЮНРА5" "$smoke/main-window.png" || true)
echo "smoke test: caption \"$title\""
[ "$title" = "$caption" ] || fail "the main window did not show the caption \"$caption\""

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

# The register of cards over a folder holding that card and a file that is
# no card, into an export folder and file whose names hold Cyrillic and
# characters outside every Windows ANSI code page. Both exports are compared
# with what the Linux build makes of the same folder.
folder="$smoke/Сводка/Район 1"
exports="$smoke/Выгрузка Ωμέγα"
mkdir -p "$folder" "$exports" "$smoke/linux-export"
cp "$cards/windows.crd" "$folder/windows.crd"
printf 'no card at all\n' >"$smoke/Сводка/плохая.crd"
expected="Прочитано карточек: 1, не прочитано файлов: 1, "
for format in xlsx csv; do
  rc=0
  summary=$(DISPLAY= wine "$program/unra5-register.exe" --export "$(winepath -w "$exports")\\сводка №1.$format" \
    "$(winepath -w "$smoke/Сводка")" | tr -d '\r') || rc=$?
  echo "smoke test: register --export .$format: exit $rc, \"$summary\""
  [ "$rc" -eq 1 ] || fail "the register's command line exited $rc, not 1, over a folder with a bad file"
  case "$summary" in "$expected"*) ;; *) fail "the register's summary line is not \"$expected…\"" ;; esac
  rc=0
  linux_summary=$("$linux_build/src/register_app/unra5-register" --export "$smoke/linux-export/сводка.$format" \
    "$smoke/Сводка") || rc=$?
  [ "$rc" -eq 1 ] && [ "$summary" = "$linux_summary" ] || fail "the Linux register said \"$linux_summary\" ($rc)"
  [ -f "$exports/сводка №1.$format" ] || fail "no export \"$exports/сводка №1.$format\""
done
wineserver --wait
cmp "$exports/сводка №1.csv" "$smoke/linux-export/сводка.csv" || fail "the CSV of the two builds differ"
/usr/bin/python3 - "$exports/сводка №1.xlsx" "$smoke/linux-export/сводка.xlsx" <<'PYTHON' || fail "the workbook made on Windows"
import sys, openpyxl
windows, linux = (openpyxl.load_workbook(path) for path in sys.argv[1:])
# The lines above each sheet name the folder as each system writes it and the
# moment of the export; everything else must be the same.
own = lambda row: isinstance(row[0], str) and row[0].startswith(("Папка: ", "Папки: ", "Дата: "))
cells = lambda book: [[list(row) for row in sheet.iter_rows(values_only=True) if not own(row)] for sheet in book.worksheets]
assert cells(windows) == cells(linux), "the workbooks of the two builds hold different cells"
cards = list(windows.worksheets[0].iter_rows(values_only=True))
header = next(i for i, row in enumerate(cards) if row[0] == "Файл")
rows = {row[0]: row for row in cards[header + 1:]}
card = rows.get("Район 1/windows.crd")
assert card is not None, "no row of the card in " + repr(list(rows))
assert "плохая.crd" in rows, "no row of the bad file"
print("smoke test: the workbook made on Windows holds the card's row:", card[:8])
PYTHON

# The register's window on the display, started in the cards folder as its
# Start-menu shortcut starts it; it opens the folder it remembers, here the
# one above.
DISPLAY= wine reg add 'HKCU\Software\UNRA5\unra5-register\register' /v folder /t REG_SZ \
  /d "$(winepath -w "$smoke/Сводка")" /f >/dev/null
title=$(window_title unra5-register.exe "Сводка карточек" "$smoke/register-window.png" || true)
echo "smoke test: register window \"$title\""
[ "$title" = "ЮНРА5. Сводка карточек. версия $version" ] || fail "the register's window did not show the title «ЮНРА5. Сводка карточек. версия $version»"

DISPLAY= wine "$program/uninstall.exe" /S
wineserver --wait
[ ! -e "$program/unra5-card.exe" ] || fail "the uninstaller left the program"
[ ! -e "$program/unra5-register.exe" ] || fail "the uninstaller left the register"
[ ! -e "$start_menu/$register_shortcut" ] || fail "the uninstaller left the register's shortcut"
[ ! -e "$user/Desktop/$shortcut" ] || fail "the uninstaller left the desktop shortcut"
[ -f "$cards/windows.crd" ] || fail "the uninstaller removed the cards folder"
echo "smoke test: passed in $((SECONDS - started)) s"
