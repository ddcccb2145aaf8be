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
# Usage: scripts/pipewire-check.sh BUILD_DIR   (needs pipewire, pipewire-bin,
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
pw_pid=""
wp_pid=""
cleanup() {
  # wireplumber, then the bus session around it, then PipeWire.
  [[ -n "$wp_pid" ]] && kill $(pgrep -P "$wp_pid") 2>/dev/null
  for pid in $wp_pid $pw_pid; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  rm -rf -- "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config
export LV2_PATH=$build/lv2-plugins:/usr/lib/lv2
unset PIPEWIRE_REMOTE PIPEWIRE_RUNTIME_DIR
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME/pipewire/corvane-check.conf.d"
# The file exactly as docs/pipewire.md installs it, as a drop-in.
cp "$root/packaging/pipewire/corvane-nearfield.conf" "$XDG_CONFIG_HOME/pipewire/corvane-check.conf.d/"
distance=$(sed -nE 's/^\s*"distance"\s*=\s*([0-9.]+).*/\1/p' "$root/packaging/pipewire/corvane-nearfield.conf")
rate=48000
cat >"$XDG_CONFIG_HOME/pipewire/corvane-check.conf" <<CONF
context.properties = {
    core.daemon = true
    core.name   = pipewire-0
    default.clock.rate = $rate
    default.clock.allowed-rates = [ $rate ]
}
context.spa-libs = {
    audio.convert.* = audioconvert/libspa-audioconvert
    support.*       = support/libspa-support
}
context.modules = [
    { name = libpipewire-module-protocol-native }
    { name = libpipewire-module-metadata }
    { name = libpipewire-module-spa-node-factory }
    { name = libpipewire-module-client-node }
    { name = libpipewire-module-access }
    { name = libpipewire-module-adapter }
    { name = libpipewire-module-link-factory }
]
context.objects = [
    { factory = adapter
        args = {
            factory.name     = support.null-audio-sink
            node.name        = corvane-check-output
            media.class      = Audio/Sink
            audio.position   = [ FL FR ]
            audio.rate       = $rate
            node.driver      = true
            priority.driver  = 30000
        }
    }
]
CONF

pipewire -c corvane-check.conf >"$work/pipewire.log" 2>&1 &
pw_pid=$!
for _ in $(seq 50); do
  [[ -S "$XDG_RUNTIME_DIR/pipewire-0" ]] && break
  sleep 0.1
done
[[ -S "$XDG_RUNTIME_DIR/pipewire-0" ]] || { cat "$work/pipewire.log" >&2; echo "pipewire-check: PipeWire did not start" >&2; exit 1; }

# The session manager, as on a desktop: it links the virtual sink's output
# to the default sink and the streams below to their targets.
# It wants a session bus; dbus-run-session gives it a private one.
dbus-run-session -- wireplumber >"$work/wireplumber.log" 2>&1 &
wp_pid=$!
# The null sink stands for the system's output.
for _ in $(seq 100); do
  pw-metadata 0 default.configured.audio.sink '{ "name": "corvane-check-output" }' >/dev/null 2>&1 && break
  sleep 0.05
done

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
