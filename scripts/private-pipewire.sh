# Sourced by the checks that need a sound server: a private PipeWire with
# its own runtime folder and configuration, a null sink
# "corvane-check-output" standing for the system's output, and WirePlumber
# as the session manager on a private D-Bus. Nothing of the user's own
# PipeWire is touched.
#
# start_private_pipewire WORK_FOLDER [DROP_IN.conf]...
#   exports XDG_RUNTIME_DIR and XDG_CONFIG_HOME under WORK_FOLDER, starts
#   both, and makes the null sink the default; the drop-ins are loaded as
#   ~/.config/pipewire/pipewire.conf.d files are on a desktop.
# stop_private_pipewire   ends what start_private_pipewire started.

private_pw_pid=""
private_wp_pid=""

start_private_pipewire() {
  local work=$1
  shift
  export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config
  unset PIPEWIRE_REMOTE PIPEWIRE_RUNTIME_DIR
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  mkdir -p "$XDG_CONFIG_HOME/pipewire/corvane-check.conf.d"
  (($# == 0)) || cp "$@" "$XDG_CONFIG_HOME/pipewire/corvane-check.conf.d/"
  cat >"$XDG_CONFIG_HOME/pipewire/corvane-check.conf" <<CONF
context.properties = {
    core.daemon = true
    core.name   = pipewire-0
    default.clock.rate = 48000
    default.clock.allowed-rates = [ 48000 ]
    # Long cycles: without real-time scheduling, on a machine busy with a
    # build, short ones drop out.
    default.clock.quantum     = 8192
    default.clock.min-quantum = 8192
    default.clock.max-quantum = 8192
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
            audio.rate       = 48000
            node.driver      = true
            priority.driver  = 30000
        }
    }
]
CONF
  pipewire -c corvane-check.conf >"$work/pipewire.log" 2>&1 &
  private_pw_pid=$!
  local _
  for _ in $(seq 50); do
    [[ -S "$XDG_RUNTIME_DIR/pipewire-0" ]] && break
    sleep 0.1
  done
  if [[ ! -S "$XDG_RUNTIME_DIR/pipewire-0" ]]; then
    cat "$work/pipewire.log" >&2
    echo "PipeWire did not start" >&2
    return 1
  fi
  # WirePlumber wants a session bus; dbus-run-session gives it a private one.
  dbus-run-session -- wireplumber >"$work/wireplumber.log" 2>&1 &
  private_wp_pid=$!
  for _ in $(seq 100); do
    pw-metadata 0 default.configured.audio.sink '{ "name": "corvane-check-output" }' >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  echo "PipeWire does not answer" >&2
  return 1
}

stop_private_pipewire() {
  # WirePlumber, then the bus session around it, then PipeWire.
  if [[ -n "$private_wp_pid" ]]; then
    kill $(pgrep -P "$private_wp_pid") "$private_wp_pid" 2>/dev/null || true
    wait "$private_wp_pid" 2>/dev/null || true
  fi
  if [[ -n "$private_pw_pid" ]]; then
    kill "$private_pw_pid" 2>/dev/null || true
    wait "$private_pw_pid" 2>/dev/null || true
  fi
  private_wp_pid=""
  private_pw_pid=""
}
