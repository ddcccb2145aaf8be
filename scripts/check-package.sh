#!/usr/bin/env bash
# Checks the install rules and the Debian package of a built tree:
#  - `cmake --install` with DESTDIR and the prefix /usr leaves exactly the
#    files in scripts/install-manifest.txt, the binaries stripped;
#  - lintian finds no error in the package;
#  - the package installs with apt-get, its corvane-host describes its
#    plug-in and runs the demo through it, lv2info finds the LV2 plug-in,
#    and purging it leaves none of it.
# Usage: scripts/check-package.sh BUILD_DIR   (after `make deb`; needs root
# or sudo, and installs and removes the package corvane)
set -euo pipefail

if (($# != 1)); then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
sudo=""
if [[ $(id -u) -ne 0 ]]; then
  sudo="sudo"
fi
work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT

echo "== the staged install"
stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
(cd "$stage" && find . \( -type f -o -type l \) -printf '%P\n' | LC_ALL=C sort) >"$work/files"
if ! diff -u "$root/scripts/install-manifest.txt" "$work/files"; then
  echo "check-package.sh: the staged files differ from scripts/install-manifest.txt" >&2
  exit 1
fi
lv2=usr/lib/x86_64-linux-gnu/lv2/Corvane.lv2
for binary in usr/bin/corvane-host usr/lib/vst/Corvane.vst/Contents/x86_64-linux/Corvane.so \
  "$lv2/Corvane.so" "$lv2/CorvaneUI.so"; do
  if readelf -S "$stage/$binary" | grep -qE '\.(symtab|debug_info)'; then
    echo "check-package.sh: $binary is not stripped" >&2
    exit 1
  fi
  echo "$(stat -c %s "$stage/$binary") bytes  /$binary"
done
echo "$(wc -l <"$work/files") files, as listed in scripts/install-manifest.txt"

debs=("$build"/corvane_*.deb)
deb=${debs[0]}
[[ -f "$deb" ]] || { echo "check-package.sh: no corvane_*.deb in $build (make deb)" >&2; exit 1; }
echo
echo "== $(basename "$deb")"
dpkg-deb --field "$deb" Package Version Architecture Depends Installed-Size

echo
echo "== lintian"
lintian --display-info --fail-on error "$deb" | tee "$build/lintian.txt"
echo "lintian: no errors ($(wc -l <"$build/lintian.txt") lines above)"

echo
echo "== installing the package"
if dpkg-query -W -f='${Status}' corvane 2>/dev/null | grep -q 'install ok installed'; then
  echo "check-package.sh: corvane is installed already; remove it first" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
trap '$sudo apt-get purge -y -qq corvane >/dev/null 2>&1 || true; rm -rf -- "$work"' EXIT
plugin=/usr/lib/vst/Corvane.vst/Contents/x86_64-linux/Corvane.so
corvane-host info "$plugin"
corvane-host process "$plugin" --demo "$work/demo.wav" --program 1
[[ -s "$work/demo.wav" ]] || { echo "check-package.sh: the demo wrote nothing" >&2; exit 1; }
man -w corvane-host >/dev/null
# LV2 hosts find the bundle where the package put it, with no path set.
env -u LV2_PATH lv2info https://halvenor.example/lv2/corvane | grep -E '^\s*(Name|Author|Class|UI):'

echo
echo "== removing the package"
$sudo apt-get purge -y -qq corvane >/dev/null
for path in /usr/lib/vst/Corvane.vst "/$lv2" /usr/bin/corvane-host /usr/share/doc/corvane /usr/share/man/man1/corvane-host.1.gz; do
  if [[ -e "$path" ]]; then
    echo "check-package.sh: $path is still there after the purge" >&2
    exit 1
  fi
done
status=$(dpkg-query -W -f='${Status}' corvane 2>/dev/null || true)
if [[ -n "$status" && "$status" != *not-installed ]]; then
  echo "check-package.sh: dpkg still has corvane: $status" >&2
  exit 1
fi
echo "installed, used and removed: nothing of it is left"
