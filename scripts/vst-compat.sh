#!/usr/bin/env bash
# Tries corvane-host on every VST 2 module under a folder as a user would:
# info, process of a stereo and of a mono file, snapshot of the editor and
# a short edit session. Prints one line per module, "works" or the first
# step that failed with the host's own reason, then the counts.
#
#   scripts/vst-compat.sh [--host PATH] FOLDER_OR_MODULE...
#
# Starts a private Xvfb when DISPLAY is not set. Exits 1 when any module
# failed, so that CI can run it on a package whose modules all work.
set -uo pipefail

host=build/bin/corvane-host
if [[ ${1:-} == --host ]]; then
  host=$2
  shift 2
fi
if (($# == 0)); then
  echo "usage: scripts/vst-compat.sh [--host PATH] FOLDER..." >&2
  exit 2
fi
host=$(realpath "$host")

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display itself and names it once it takes
# connections (-displayfd). It must not reset between clients (-noreset):
# every step is a new client, and one that connects while the server resets
# after the last one left is refused, which a loaded machine makes likely.
if [[ -z ${DISPLAY:-} ]]; then
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 200); do
    [[ -s $work/display ]] && break
    sleep 0.1
  done
  if [[ ! -s $work/display ]]; then
    echo "vst-compat: Xvfb did not start (the Debian package is xvfb)" >&2
    exit 1
  fi
  export DISPLAY=":$(head -n 1 "$work/display")"
fi

# One second of noise at 44.1 kHz, 16 bit, stereo and mono.
wav() { # CHANNELS FILE
  local channels=$1 bytes=$((44100 * 2 * $1))
  {
    printf 'RIFF'; printf '%08x' $((36 + bytes)) | sed 's/\(..\)\(..\)\(..\)\(..\)/\\x\4\\x\3\\x\2\\x\1/' | xargs -0 printf
    printf 'WAVEfmt \x10\x00\x00\x00\x01\x00'
    printf "\\x0$channels\\x00"
    printf '\x44\xac\x00\x00'
    printf '%08x' $((44100 * 2 * channels)) | sed 's/\(..\)\(..\)\(..\)\(..\)/\\x\4\\x\3\\x\2\\x\1/' | xargs -0 printf
    printf "\\x0$((2 * channels))\\x00\\x10\\x00"
    printf 'data'; printf '%08x' $bytes | sed 's/\(..\)\(..\)\(..\)\(..\)/\\x\4\\x\3\\x\2\\x\1/' | xargs -0 printf
    head -c "$bytes" /dev/urandom
  } >"$2"
}
wav 2 "$work/stereo.wav"
wav 1 "$work/mono.wav"

# The host's last line on standard error, or how it ended.
reason() { # STATUS ERRFILE
  local last
  last=$(grep -v ': warning: ' "$2" | grep -v '^usage: ' | tail -n 1 | sed 's/^corvane-host: //')
  if (($1 == 124)); then
    echo "timed out"
  elif (($1 > 128)); then
    echo "ended by signal $(($1 - 128))${last:+: $last}"
  else
    echo "${last:-exit $1}"
  fi
}

works=0 failed=0
while IFS=$'\t' read -r root name; do
  module=$root/$name
  result=works
  step() { # NAME TIMEOUT ARGS...
    local what=$1 limit=$2 status
    shift 2
    timeout -k 5 "$limit" "$host" "$@" >"$work/out" 2>"$work/err"
    status=$?
    if ((status != 0)); then
      result="$what failed: $(reason $status "$work/err")"
      return 1
    fi
  }
  if step info 60 info "$module"; then
    editor=yes
    grep -q '^Editor  *none$' "$work/out" && editor=no
    step "process stereo" 120 process "$module" "$work/stereo.wav" "$work/o.wav" &&
      step "process mono" 120 process "$module" "$work/mono.wav" "$work/o.wav" &&
      if [[ $editor == yes ]]; then
        step snapshot 60 snapshot "$module" "$work/o.png" &&
          { timeout --preserve-status -s INT -k 5 3 "$host" edit "$module" >"$work/out" 2>"$work/err"
            status=$?
            # Interrupted on purpose: the host ends on SIGINT with status 0.
            ((status == 0)) || result="edit failed: $(reason $status "$work/err")"; }
      fi
  fi
  rm -f "$work"/o.*
  printf '%s: %s\n' "$name" "$result"
  if [[ $result == works ]]; then works=$((works + 1)); else failed=$((failed + 1)); fi
done < <(for folder in "$@"; do
  folder=$(realpath "$folder")
  if [[ -f $folder ]]; then
    printf '%s\t%s\n' "$(dirname "$folder")" "$(basename "$folder")"
    continue
  fi
  find "$folder" -name '*.so' -type f -printf "$folder\t%P\n" | sort
done)

echo "$works works, $failed failed"
((failed == 0))
