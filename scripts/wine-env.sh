#!/usr/bin/env bash
# The environment of every Wine run of the project, written once:
#   . scripts/wine-env.sh PREFIX HOME             exports it into the calling bash script
#   bash scripts/wine-env.sh PREFIX HOME CMD...   runs CMD in it, with no display
# PREFIX is a sandbox prefix (scripts/wine-prefix.sh makes it), HOME the
# temporary home Wine runs with. No debug chatter, no offer to download Mono
# or Gecko, no menu entries in that home. A script that starts windows on an
# Xvfb display sources it and clears DISPLAY for its headless commands alone.
wine_env_prefix=${1:?usage: wine-env.sh PREFIX HOME [CMD...]}
wine_env_home=${2:?usage: wine-env.sh PREFIX HOME [CMD...]}
export WINEPREFIX="$wine_env_prefix" HOME="$wine_env_home" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
unset wine_env_prefix wine_env_home
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  shift 2
  export DISPLAY=
  exec "$@"
fi
