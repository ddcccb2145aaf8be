#!/usr/bin/env bash
# Runs a build's tests with CTest (the arguments after the build folder go to
# ctest) and fails when any test was skipped. The window tests skip
# themselves when Xvfb cannot be started; a run without them must never pass
# for a run of every test.
set -uo pipefail

build=$1
shift
log=$(mktemp)
trap 'rm -f "$log"' EXIT

(cd "$build" && ctest --output-on-failure "$@") | tee "$log"
status=${PIPESTATUS[0]}

skipped=$(grep -c ' (Skipped)$' "$log")
if [ "$skipped" -gt 0 ]; then
  {
    echo
    echo "=========================================================================="
    echo "FAILED: $skipped tests were skipped, and make test does not pass on skipped tests."
    # Each skipped test printed its reason; CTest keeps it in the run's log.
    grep -ho 'this test needs an X server, and .*' "$build/Testing/Temporary/LastTest.log" 2>/dev/null |
      sort -u | sed 's/^this test needs/They need/'
    echo "Install the Debian package xvfb (scripts/install-deps.sh does) and run the tests again."
    echo "=========================================================================="
  } >&2
  exit 1
fi
exit "$status"
