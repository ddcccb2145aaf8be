#!/usr/bin/env bash
# Puts the built bundle into a VST folder, or takes it out again, and touches
# nothing else there: a folder named Corvane.vst that is not a Corvane bundle
# is left alone and the command fails.
# Usage: scripts/vst-bundle.sh install BUNDLE VST_DIR
#        scripts/vst-bundle.sh uninstall VST_DIR
set -euo pipefail

die() {
  echo "vst-bundle.sh: $*" >&2
  exit 1
}

is_bundle() { [[ -d "$1" && ! -L "$1" && -f "$1/Contents/x86_64-linux/Corvane.so" ]]; }

# The folder to replace or remove: absent, or one of ours.
target_in() {
  [[ -n "$1" ]] || die "the VST folder is empty"
  target="$1/Corvane.vst"
  if [[ -e "$target" || -L "$target" ]] && ! is_bundle "$target"; then
    die "$target is not a Corvane bundle; left alone"
  fi
}

case "${1:-}" in
install)
  (($# == 3)) || die "usage: $0 install BUNDLE VST_DIR"
  bundle=$2
  is_bundle "$bundle" || die "$bundle is not a built bundle"
  target_in "$3"
  mkdir -p -- "$3"
  # Built beside the target and renamed over it, so that a host never sees
  # half a bundle.
  staging=$(mktemp -d "$3/.Corvane.vst.XXXXXX")
  trap 'rm -rf -- "$staging"' EXIT
  cp -R -- "$bundle/." "$staging/"
  chmod 755 -- "$staging"
  # A developer build carries debug information, four times the module.
  strip -- "$staging/Contents/x86_64-linux/Corvane.so"
  rm -rf -- "$target"
  mv -- "$staging" "$target"
  trap - EXIT
  echo "installed $target"
  ;;
uninstall)
  (($# == 2)) || die "usage: $0 uninstall VST_DIR"
  target_in "$2"
  if [[ -e "$target" ]]; then
    rm -rf -- "$target"
    echo "removed $target"
  else
    echo "nothing to remove: $target does not exist"
  fi
  ;;
*)
  die "usage: $0 install BUNDLE VST_DIR | uninstall VST_DIR"
  ;;
esac
