#!/usr/bin/env bash
# Checks the Debian package made by `make package`:
#   lintian reports no error; the menu entry and the metainfo validate; every
#   file stands where it belongs; the program unpacked from the package starts
#   under Xvfb and shows its window.
#   test-package.sh <package.deb>
set -euo pipefail
deb=${1:?usage: test-package.sh <package.deb>}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# lintian: errors fail, warnings are shown.
if lintian --no-tag-display-limit "$deb" > "$work/lintian.txt" 2>&1; then :; fi
cat "$work/lintian.txt"
if grep -q '^E: ' "$work/lintian.txt"; then fail "lintian reports errors"; else pass "lintian: no error"; fi

dpkg-deb -x "$deb" "$work/root"
dpkg-deb -e "$deb" "$work/control"

# The files of the package, each where it belongs.
expected=(
  usr/bin/unra5-card
  usr/bin/unra5-register
  usr/libexec/unra5-card/unra5-card-menu
  usr/share/applications/unra5-card.desktop
  usr/share/applications/unra5-register.desktop
  usr/share/metainfo/ru.unra5.card.metainfo.xml
  usr/share/doc/unra5-card/copyright
  usr/share/doc/unra5-card/changelog.gz
  usr/share/icons/hicolor/scalable/apps/unra5-card.svg
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/unra5-card.png")
done
for f in "${expected[@]}"; do
  [ -f "$work/root/$f" ] || fail "missing /$f"
done
[ -x "$work/root/usr/bin/unra5-card" ] || fail "/usr/bin/unra5-card is not executable"
[ -x "$work/root/usr/libexec/unra5-card/unra5-card-menu" ] || fail "the menu launcher is not executable"
for size in 16 22 24 32 48 64 128 256; do
  png="$work/root/usr/share/icons/hicolor/${size}x${size}/apps/unra5-card.png"
  [ -f "$png" ] && ! file "$png" | grep -q "${size} x ${size}" && fail "$png is not ${size}x${size}"
done
unexpected=$(cd "$work/root" && find . -type f | sed 's|^\./||' | sort | grep -vxF -f <(printf '%s\n' "${expected[@]}") || true)
[ -z "$unexpected" ] || fail "files nobody asked for: $unexpected"
pass "file locations checked"

# Control data: shlibdeps found the libraries, Qt's Russian texts are recommended.
grep -q '^Version: 2\.1\.1\.0$' "$work/control/control" || fail "package version is not 2.1.1.0"
grep -q '^Depends:.*libqt6widgets6' "$work/control/control" || fail "Depends lacks the Qt libraries"
grep -q '^Recommends:.*qt6-translations-l10n' "$work/control/control" || fail "qt6-translations-l10n is not recommended"

# The menu entry and the metainfo.
desktop="$work/root/usr/share/applications/unra5-card.desktop"
if desktop-file-validate "$desktop" "$work/root/usr/share/applications/unra5-register.desktop"; then pass "desktop-file-validate"; else fail "desktop-file-validate"; fi
grep -q '^Categories=Office;$' "$desktop" || fail "Categories is not Office;"
grep -q '^Name=ЮНРА5' "$desktop" || fail "the entry's Name is not Russian"
if appstreamcli validate --no-net "$work/root/usr/share/metainfo/ru.unra5.card.metainfo.xml"; then
  pass "appstreamcli validate"
else
  fail "appstreamcli validate"
fi

# The menu launcher makes the cards folder inside the documents folder and
# starts there; the program itself is replaced by a stand-in that tells where it runs.
home="$work/home"
mkdir -p "$home/Документы" "$work/stand-in/usr/bin"
printf 'XDG_DOCUMENTS_DIR="$HOME/Документы"\n' > "$work/user-dirs.dirs"
sed "s|/usr/bin/unra5-card|$work/stand-in/usr/bin/unra5-card|" "$work/root/usr/libexec/unra5-card/unra5-card-menu" \
  > "$work/launcher"
printf '#!/bin/sh\npwd\n' > "$work/stand-in/usr/bin/unra5-card"
chmod +x "$work/launcher" "$work/stand-in/usr/bin/unra5-card"
started_in=$(cd / && HOME="$home" XDG_CONFIG_HOME="$work" "$work/launcher")
if [ "$started_in" = "$home/Документы/ЮНРА5 Карточки" ]; then
  pass "menu launcher starts in the cards folder"
else
  fail "menu launcher started in '$started_in'"
fi

# The unpacked program starts and shows its window.
log="$work/program.log"
if xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    cd "$1" && "$2" > "$3" 2>&1 & pid=$!
    for i in $(seq 1 100); do
      if xdotool search --name "ЮНРА5. Карточка предприятия. версия 2.1.1.0" >/dev/null 2>&1; then
        kill $pid; wait $pid 2>/dev/null; exit 0
      fi
      kill -0 $pid 2>/dev/null || exit 1
      sleep 0.2
    done
    kill $pid; exit 1' _ "$work" "$work/root/usr/bin/unra5-card" "$log"; then
  pass "the unpacked program shows its window"
else
  cat "$log" || true
  fail "the unpacked program did not show its window"
fi

if [ "$failures" -ne 0 ]; then
  echo "test-package: $failures check(s) failed"
  exit 1
fi
echo "test-package: all checks passed"
