#!/usr/bin/env bash
# Checks the toolkit's package the way another project uses it:
#  - `cmake --install --component toolkit` into a staging folder (DESTDIR,
#    prefix /usr), whose headers and CMake files name no path of this tree;
#  - the outside projects in examples/, copied out of the tree first so that
#    no relative path can lead back into it, are configured against the
#    staged install alone and built with warnings as errors;
#  - the smallest one's editor opens (corvane-host takes a picture of it)
#    and Corvane Width's tests run through its module, both under Xvfb.
# Usage: scripts/test-package.sh BUILD_DIR   (after the build)
set -euo pipefail

if (($# != 1)); then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
jobs=$(nproc)
work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT

echo "== the toolkit's staged install"
stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr --component toolkit >/dev/null
echo "$(find "$stage" -type f | wc -l) files; $(find "$stage" -name '*.a' | wc -l) libraries"
# The libraries' debug information names their sources; nothing else may.
if grep -rlF --exclude='*.a' -e "$root" -e "$build" "$stage"; then
  echo "test-package.sh: the staged files above name a path of the source or build tree" >&2
  exit 1
fi

cp -r "$root/examples/minimal" "$root/examples/width" "$work/"
configure() {
  cmake -S "$work/$1" -B "$work/$1-build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DCMAKE_PREFIX_PATH="$stage/usr" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF >/dev/null
  # Not a toolkit installed elsewhere on the machine.
  if ! grep -qF "CorvaneToolkit_DIR:PATH=$stage/usr/" "$work/$1-build/CMakeCache.txt"; then
    echo "test-package.sh: $1 did not find the staged package" >&2
    exit 1
  fi
  cmake --build "$work/$1-build" -j "$jobs" >/dev/null
}

echo
echo "== examples/minimal: configured against the staged install only"
configure minimal
module="$work/minimal-build/Minimal.vst/Contents/x86_64-linux/Minimal.so"
xvfb-run -a -s "-screen 0 640x480x24 -noreset" "$build/bin/corvane-host" snapshot "$module" "$work/minimal.png"
# A PNG's width and height are the big-endian words at bytes 16 and 20.
size=$(od -An -tu1 -j16 -N8 "$work/minimal.png" | awk '{print $3 * 256 + $4 " x " $7 * 256 + $8}')
echo "its editor: $size"
if [[ "$size" != "120 x 120" ]]; then
  echo "test-package.sh: the minimal plug-in's editor did not open at 120 x 120" >&2
  exit 1
fi

echo
echo "== examples/width: Corvane Width, built and tested the same way"
configure width
(cd "$work/width-build" && xvfb-run -a -s "-screen 0 640x480x24 -noreset" ctest --output-on-failure -j 1)
