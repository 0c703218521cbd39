#!/usr/bin/env bash
# Fetches and unpacks one of Debian's source packages with `apt-get source`:
#   fetch-debian-source.sh PACKAGE VERSION WORK
# The source is unpacked under WORK/source; its folder is the one line this
# prints on standard output (apt's own output goes to standard error). Reuses an earlier unpacked source of that package.
# apt runs with a private state folder in WORK/apt: its deb-src entries are
# made from the deb entries this machine's apt already uses, so the machine's
# own apt set-up stays as it is, and apt checks Debian's signatures and
# checksums of what it fetches. Run as root, apt's download methods drop
# their privileges to apt's own sandbox user (_apt), who cannot reach a
# folder under root's home: the state folder and the download then live in a
# temporary folder that user owns, and the unpacked source moves into WORK.
set -euo pipefail

package=${1:?usage: fetch-debian-source.sh PACKAGE VERSION WORK}
version=${2:?usage: fetch-debian-source.sh PACKAGE VERSION WORK}
work=${3:?usage: fetch-debian-source.sh PACKAGE VERSION WORK}

unpacked() {
  find "$work/source" -maxdepth 1 -mindepth 1 -type d -name "$package-*" 2>/dev/null | head -n1 || true
}

src=$(unpacked)
if [ -n "$src" ] && [ -f "$src/debian/changelog" ]; then
  echo "$src"
  exit 0
fi

rm -rf "$work/apt" "$work/source"
mkdir -p "$work/source"
fetch="$work"
sandbox_user=(-o "APT::Sandbox::User=$(id -un)")
if [ "$(id -u)" -eq 0 ]; then
  fetch=$(mktemp -d /var/tmp/unra5-apt.XXXXXX)
  trap 'rm -rf "$fetch"' EXIT
  sandbox_user=() # apt's own (_apt)
fi
apt_dir="$fetch/apt"
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$fetch/source"
: >"$apt_dir/sources.list"
eval "$(apt-config shell sys_list Dir::Etc::sourcelist/f sys_parts Dir::Etc::sourceparts/d \
  apt_user APT::Sandbox::User)"
# One-line entries: every enabled "deb" line gets its "deb-src" twin.
cat "$sys_list" "$sys_parts"/*.list 2>/dev/null |
  sed -n 's/^[[:space:]]*deb\([[:space:]]\)/deb-src\1/p' >"$apt_dir/sources.list.d/deb-src.list" || true
# deb822 entries: the stanzas that carry "deb", with their type made deb-src.
for f in "$sys_parts"/*.sources; do
  [ -f "$f" ] || continue
  awk '
    function flush() {
      if (is_deb && enabled) { print "Types: deb-src"; printf "%s", body; print "" }
      is_deb = 0; enabled = 1; body = ""
    }
    BEGIN { enabled = 1 }
    /^[[:space:]]*#/ { next }
    /^[[:space:]]*$/ { flush(); next }
    /^Types:/ { if ($0 ~ /[[:space:]]deb([[:space:]]|$)/) is_deb = 1; next }
    /^Enabled:[[:space:]]*no/ { enabled = 0; next }
    { body = body $0 "\n" }
    END { flush() }
  ' "$f" >"$apt_dir/sources.list.d/$(basename "$f")"
done

if [ "$fetch" != "$work" ]; then
  chown -R "${apt_user:-_apt}" "$fetch"
fi
apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list"
          -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
          -o "Dir::State::Lists=$apt_dir/lists"
          -o "Dir::Cache=$apt_dir/cache"
          "${sandbox_user[@]}"
          -o "Debug::NoLocking=1")
echo "Fetching $package $version source through a private apt state in $apt_dir" >&2
apt-get "${apt_opts[@]}" update -qq >&2
(cd "$fetch/source" && apt-get "${apt_opts[@]}" source "$package=$version") >&2
if [ "$fetch" != "$work" ]; then
  find "$fetch/source" -maxdepth 1 -mindepth 1 -type d -name "$package-*" -exec mv -t "$work/source" {} +
fi
src=$(unpacked)
[ -n "$src" ] || { echo "fetch-debian-source.sh: $package was not unpacked in $work/source" >&2; exit 1; }
echo "$src"
