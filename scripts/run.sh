#!/usr/bin/env bash
# Shows the installed Corvane at work: its description as a host sees it,
# and the built-in demo signal before and after a 1 m distance setting.
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

# The parameter is normalised: 0 is 0.5 m and 1 is 5 m.
distance=1.0
value=$(awk -v r="$distance" 'BEGIN { printf "%.9f", (r - 0.5) / 4.5 }')

mkdir -p "$out"
echo "== corvane-host info"
"$host" info "$plugin"
echo
echo "== the demo signal, unprocessed"
"$host" demo "$out/demo-dry.wav"
echo
echo "== the demo signal at a loudspeaker distance of $distance m (parameter 0 = $value)"
"$host" process "$plugin" --demo "$out/demo-1m.wav" --param "0=$value"
echo
echo "== the editor at $distance m"
# The editor needs an X display; a private Xvfb stands in when there is none.
if [[ -n "${DISPLAY:-}" ]]; then
  "$host" snapshot "$plugin" "$out/editor.png" --param "0=$value"
else
  xvfb-run -a -s "-screen 0 1024x768x24" "$host" snapshot "$plugin" "$out/editor.png" --param "0=$value"
fi
echo "saved"
echo
echo "Files:"
echo "  $out/demo-dry.wav   the demo signal as generated"
echo "  $out/demo-1m.wav    the same through Corvane at $distance m"
echo "  $out/editor.png     Corvane's editor window at $distance m"
