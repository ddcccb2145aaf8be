#!/usr/bin/env bash
# The PipeWire set-up of docs/pipewire.md, checked end to end without a
# desktop: a private PipeWire (its own runtime folder and configuration, a
# null sink for the system's output, WirePlumber as the session manager) loads
# packaging/pipewire/corvane-nearfield.conf as a user would install it,
# a test signal is played into "Corvane near-field compensation", and what
# reaches the null sink is recorded. Its side signal must be the input's,
# high-passed as the filter's model says at 50 Hz and 1 kHz (within 0.5 dB),
# and its sum the input's; then the distance is changed at run time with
# pw-cli and measured again.
# Usage: scripts/pipewire-check.sh BUILD_DIR   (scripts/install-deps.sh --host-checks installs what it needs: pipewire, pipewire-bin,
# wireplumber, dbus and python3; the build's LV2 bundle is used, nothing is installed)
set -euo pipefail

if (($# != 1)); then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
[[ -f "$build/lv2-plugins/Corvane.lv2/manifest.ttl" ]] || { echo "pipewire-check: no LV2 bundle in $build" >&2; exit 1; }
for tool in pipewire wireplumber dbus-run-session pw-cat pw-record pw-metadata pw-cli python3; do
  command -v "$tool" >/dev/null || { echo "pipewire-check: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
# shellcheck source=private-pipewire.sh
. "$root/scripts/private-pipewire.sh"
trap 'stop_private_pipewire; rm -rf -- "$work"' EXIT
# An interrupted check ends its servers too.
trap 'exit 1' INT TERM
export LV2_PATH=$build/lv2-plugins:/usr/lib/lv2
rate=48000
distance=$(sed -nE 's/^\s*"distance"\s*=\s*([0-9.]+).*/\1/p' "$root/packaging/pipewire/corvane-nearfield.conf")
# The file exactly as docs/pipewire.md installs it, as a drop-in.
start_private_pipewire "$work" "$root/packaging/pipewire/corvane-nearfield.conf"

python3 "$root/scripts/pipewire-signal.py" make "$work/in.wav" "$rate"

# Plays the test signal into the virtual sink and records what reaches the
# system's output, from its monitor.
measure() {
  local out=$1
  pw-record --rate "$rate" --channels 2 --format f32 --target corvane-check-output \
    -P '{ stream.capture.sink = true }' "$out" &
  local rec=$!
  sleep 0.5
  pw-cat --playback --target corvane_nearfield "$work/in.wav"
  sleep 0.5
  kill -INT "$rec" 2>/dev/null || true
  wait "$rec" || true
}

echo "== the distance of the configuration file, $distance m"
measure "$work/out1.wav"
python3 "$root/scripts/pipewire-signal.py" check "$work/in.wav" "$work/out1.wav" "$distance"

# Changed at run time, as docs/pipewire.md says.
node=$(pw-cli ls Node | awk '/^[[:space:]]*id [0-9]+,/ {id=$2} /node.name = "corvane_nearfield"/ {print id}' | tr -d ,)
pw-cli set-param "$node" Props '{ params = [ "corvane:distance" 2.5 ] }' >/dev/null
echo "== changed with pw-cli to 2.5 m"
measure "$work/out2.wav"
python3 "$root/scripts/pipewire-signal.py" check "$work/in.wav" "$work/out2.wav" 2.5
echo "pipewire-check: passed"
