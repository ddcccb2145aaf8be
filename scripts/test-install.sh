#!/usr/bin/env bash
# make install and make uninstall, into folders whose paths hold spaces,
# touch nothing but the bundle: a sibling folder that an unquoted path would
# name ("Music" for "Music plugins"), another plug-in in the same folder, and
# a folder Corvane.vst that is not ours all survive.
# Usage: scripts/test-install.sh BUILD_DIR   (a built tree)
set -euo pipefail

if (($# != 1)); then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT
failures=0
passes=0

check() {
  local what=$1
  shift
  if "$@"; then
    passes=$((passes + 1))
  else
    echo "FAIL: $what" >&2
    failures=$((failures + 1))
  fi
}

# make, as a user would call it, in the work folder so that a path taken
# apart at its space lands there too.
run_make() { (cd "$work" && make -s -C "$root" BUILD="$build" "$@" >/dev/null); }

has_file() { [[ -f "$1" ]]; }
absent() { [[ ! -e "$1" ]]; }
stripped() { [[ -f "$1" ]] && ! readelf -S "$1" | grep -qE '\.(symtab|debug_info)'; }
# The whole answer first: grep -q stops reading at its match.
loads() {
  local info
  info=$("$build/bin/corvane-host" info "$1") && grep -qx 'Vendor  *Halvenor' <<<"$info"
}

# A VST_DIR given on the command line.
vst="$work/Music plugins"
mkdir -p "$work/Music" "$vst/Other.vst" "$work/plugins/Corvane.vst"
echo keep >"$work/Music/song.txt"
echo keep >"$vst/Other.vst/other.so"
echo keep >"$work/plugins/Corvane.vst/keep"
module="$vst/Corvane.vst/Contents/x86_64-linux/Corvane.so"

check "make install succeeds" run_make install VST_DIR="$vst"
check "install puts the module into VST_DIR" has_file "$module"
check "the installed module is stripped" stripped "$module"
check "the installed module loads" loads "$module"
check "install leaves the sibling Music alone" has_file "$work/Music/song.txt"
check "install leaves the other plug-in alone" has_file "$vst/Other.vst/other.so"
check "install leaves plugins/Corvane.vst alone" has_file "$work/plugins/Corvane.vst/keep"
check "a second make install succeeds" run_make install VST_DIR="$vst"
check "a second install replaces the bundle" has_file "$module"
check "no staging folder stays behind" absent "$(compgen -G "$vst/.Corvane.vst.*" || true)"

check "make uninstall succeeds" run_make uninstall VST_DIR="$vst"
check "uninstall removes the bundle" absent "$vst/Corvane.vst"
check "uninstall leaves VST_DIR" test -d "$vst"
check "uninstall leaves the sibling Music alone" has_file "$work/Music/song.txt"
check "uninstall leaves the other plug-in alone" has_file "$vst/Other.vst/other.so"
check "uninstall leaves plugins/Corvane.vst alone" has_file "$work/plugins/Corvane.vst/keep"

# The default VST_DIR under a HOME with a space.
home="$work/my home"
mkdir -p "$work/my" "$home"
echo keep >"$work/my/file.txt"
check "make install with a spaced HOME succeeds" \
  bash -c 'unset VST_DIR; export HOME="$1"; cd "$2" && make -s -C "$3" BUILD="$4" install >/dev/null' _ "$home" "$work" "$root" "$build"
check "install with a spaced HOME uses HOME/.vst" has_file "$home/.vst/Corvane.vst/Contents/x86_64-linux/Corvane.so"
check "make uninstall with a spaced HOME succeeds" \
  bash -c 'unset VST_DIR; export HOME="$1"; cd "$2" && make -s -C "$3" BUILD="$4" uninstall >/dev/null' _ "$home" "$work" "$root" "$build"
check "uninstall with a spaced HOME removes the bundle" absent "$home/.vst/Corvane.vst"
check "the sibling of a spaced HOME survives" has_file "$work/my/file.txt"

# A Corvane.vst of someone else's is neither replaced nor removed.
foreign="$work/foreign dir"
mkdir -p "$foreign/Corvane.vst"
echo mine >"$foreign/Corvane.vst/mine.txt"
check "install refuses to replace a foreign Corvane.vst" \
  bash -c '! (cd "$1" && make -s -C "$2" BUILD="$3" install VST_DIR="$4" >/dev/null 2>&1)' _ "$work" "$root" "$build" "$foreign"
check "uninstall refuses to remove a foreign Corvane.vst" \
  bash -c '! (cd "$1" && make -s -C "$2" BUILD="$3" uninstall VST_DIR="$4" >/dev/null 2>&1)' _ "$work" "$root" "$build" "$foreign"
check "the foreign Corvane.vst survives" has_file "$foreign/Corvane.vst/mine.txt"

echo "test-install: $passes passed, $failures failed"
((failures == 0))
