#!/usr/bin/env bash
# Shows the installed Corvane at work: its description as a host sees it,
# and the built-in demo signal before and after its preset Prog2, a
# loudspeaker about a metre away.
# Usage: scripts/run.sh BUILD_DIR   (after the bundle went into ~/.vst)
set -euo pipefail

if (($# != 1)); then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
host="$build/bin/corvane-host"
plugin="${VST_DIR:-$HOME/.vst}/Corvane.vst/Contents/x86_64-linux/Corvane.so"
out="$root/out"

for file in "$host" "$plugin"; do
  if [[ ! -e "$file" ]]; then
    echo "run.sh: $file is missing (build and install first: make install)" >&2
    exit 1
  fi
done

# A preset of the plug-in's own, so that how a distance in metres becomes
# the parameter's value stays the plug-in's business.
program=1
setting="program $program (Prog2, about 1 m)"

mkdir -p "$out"
echo "== corvane-host info"
"$host" info "$plugin"
echo
echo "== the demo signal, unprocessed"
"$host" demo "$out/demo-dry.wav"
echo
echo "== the demo signal through $setting"
"$host" process "$plugin" --demo "$out/demo-prog2.wav" --program "$program"
echo
echo "== the editor at $setting"
# The editor needs an X display; a private Xvfb stands in when there is none.
if [[ -n "${DISPLAY:-}" ]]; then
  "$host" snapshot "$plugin" "$out/editor.png" --program "$program"
else
  xvfb-run -a -s "-screen 0 1024x768x24" "$host" snapshot "$plugin" "$out/editor.png" --program "$program"
fi
echo "saved"
echo
echo "Files:"
echo "  $out/demo-dry.wav   the demo signal as generated"
echo "  $out/demo-prog2.wav the same through Corvane at $setting"
echo "  $out/editor.png     Corvane's editor window at $setting"
