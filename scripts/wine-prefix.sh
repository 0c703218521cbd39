#!/usr/bin/env bash
# Makes a Wine prefix that is a sandbox, unless it exists already:
#   wine-prefix.sh PREFIX HOME
# Wine links a new prefix's Documents, Desktop and the other user folders to
# the Unix home folder; they are replaced by real folders inside the prefix
# right away, so an installer or a test run there writes nothing outside it.
# HOME is the temporary home Wine runs with (callers pass the same one).
set -euo pipefail
prefix=${1:?usage: wine-prefix.sh PREFIX HOME}
home=${2:?usage: wine-prefix.sh PREFIX HOME}
[ -f "$prefix/system.reg" ] && exit 0

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
