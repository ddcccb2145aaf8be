#!/usr/bin/env bash
# Corvane's LV2 UI in jalv (jalv.gtk3), on a private X server and a private
# PipeWire (jalv is a JACK client; pw-jack serves it):
#  - jalv loads the plug-in with Corvane's own UI embedded;
#  - a preset chosen in jalv's menu moves the slider to its distance;
#  - a drag on the slider, injected with XTEST (xdotool), reaches the
#    plug-in's control port: jalv's "Save Preset" writes the port's value,
#    which must be the distance the drag's end stands for.
# The menu positions are those of jalv 1.6.6 with GTK's default theme.
# Usage: scripts/jalv-check.sh BUILD_DIR   (scripts/install-deps.sh --host-checks installs what it needs: jalv, pipewire-jack,
# wireplumber, dbus, xvfb, xdotool, x11-apps and imagemagick)
set -euo pipefail

if (($# != 1)); then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
for tool in jalv.gtk3 pw-jack Xvfb xdotool xwd convert; do
  command -v "$tool" >/dev/null || { echo "jalv-check: $tool is missing" >&2; exit 1; }
done
work=$(mktemp -d)
# shellcheck source=private-pipewire.sh
. "$root/scripts/private-pipewire.sh"
xvfb_pid=""
jalv_pid=""
cleanup() {
  status=$?
  ((status == 0)) || xwd -root -silent | convert xwd:- "$build/jalv-failure.png" 2>/dev/null || true
  [[ -n "$jalv_pid" ]] && kill "$jalv_pid" 2>/dev/null
  stop_private_pipewire
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
  rm -rf -- "$work"
}
trap cleanup EXIT
# An interrupted check ends its servers too.
trap 'exit 1' INT TERM

display=:$((100 + RANDOM % 400))
Xvfb "$display" -noreset -screen 0 1024x768x24 >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display HOME=$work/home LV2_PATH=$build/lv2-plugins:/usr/lib/lv2
mkdir -p "$HOME"
start_private_pipewire "$work"

pw-jack jalv.gtk3 https://halvenor.example/lv2/corvane >"$work/jalv.log" 2>&1 &
jalv_pid=$!
window=$(timeout 20 xdotool search --sync --name '^Corvane$' | head -1)
xdotool windowmove "$window" 0 0
sleep 1

# The editor lies below jalv's menu bar; the slider's handle is the bright
# run of pixels on the track's row.
menu=25
row=$((menu + 124))
handle_centre() {
  xwd -root -silent | convert xwd:- -crop 300x1+60+"$row" txt:- |
    awk -F'[ ,:()]+' 'NR > 1 && $4 + 0 > 150 { n++; s += $1 } END { if (n) printf "%d\n", 60 + s / n }'
}
# The handle travels over the track's width less its own: 0.5 m to 5 m.
travel=229
start=$(handle_centre)
echo "jalv shows Corvane's editor; the handle stands at x = $start (0.5 m)"

# jalv lists the presets in no fixed order: take the menu's last entries
# until one moves the handle, and name it by where the handle went.
for item in 263 238 213; do
  xdotool mousemove 70 12 click 1 sleep 0.5 mousemove 86 "$item" click 1
  sleep 1
  moved=$(handle_centre)
  ((moved > start + 3)) && break
done
preset=$(awk -v m="$moved" -v s="$start" -v t=$travel 'BEGIN {
  split("0.5 1.0625 1.625 2.1875 2.75 3.5375 3.875 4.4375", metres, " ")
  for (i = 1; i <= 8; i++) {
    x = s + (metres[i] - 0.5) / 4.5 * t
    if (m >= x - 3 && m <= x + 3) { printf "Prog%d (%s m, x = %d)", i, metres[i], x; exit }
  }
}')
echo "after a preset chosen in jalv's Presets menu the handle stands at x = $moved: $preset"
[[ -n "$preset" && "$preset" != Prog1* ]] || { echo "jalv-check: the slider did not follow" >&2; exit 1; }

xdotool mousemove "$moved" "$row" sleep 0.2 mousedown 1 sleep 0.1 mousemove $((moved - 60)) "$row" \
  sleep 0.1 mousemove $((moved - 117)) "$row" sleep 0.2 mouseup 1
sleep 0.5
expected=$(awk -v d=$((moved - 117 - start)) -v t=$travel 'BEGIN { printf "%.3f", 0.5 + 4.5 * d / t }')

xdotool mousemove 70 12 click 1 sleep 0.5 mousemove 110 37 click 1
dialog=$(timeout 10 xdotool search --sync --name '^Save Preset$' | head -1)
sleep 0.5
xdotool windowmove "$dialog" 0 0 windowfocus "$dialog"
sleep 0.5
xdotool mousemove 300 30 click 1 sleep 0.3 type --delay 20 dragged
sleep 0.5
xdotool key Return
for _ in $(seq 50); do
  preset=$(find "$HOME" -name dragged.ttl 2>/dev/null | head -1)
  [[ -n "$preset" ]] && break
  sleep 0.1
done
[[ -n "$preset" ]] || { echo "jalv-check: jalv saved no preset" >&2; exit 1; }
saved=$(awk '/lv2:symbol "distance"/ { getline; print $2 }' "$preset")
echo "after a drag of 117 pixels to the left jalv's distance port holds $saved m (the drag's end: $expected m)"
awk -v a="$saved" -v b="$expected" 'BEGIN { exit !(a - b < 0.03 && b - a < 0.03) }' ||
  { echo "jalv-check: the port does not follow the drag" >&2; exit 1; }
xwd -root -silent | convert xwd:- -crop 400x221+0+0 "$build/jalv-corvane.png"
echo "jalv-check: passed (the window: $build/jalv-corvane.png)"
