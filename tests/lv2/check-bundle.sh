#!/usr/bin/env bash
# The LV2 bundle as the LV2 tools see it: lv2_validate finds nothing to
# report, and lv2info lists the six ports, the eight presets and the UI.
# Usage: check-bundle.sh LV2_FOLDER   (the folder that holds Corvane.lv2)
set -euo pipefail

folder=$1
bundle=$folder/Corvane.lv2
uri=https://halvenor.example/lv2/corvane
status=0
fail() {
  echo "check-bundle: $*" >&2
  status=1
}

# Debian's lv2-dev lists a file of LV2's core bundle that it does not
# ship; lv2_validate says it skips it. Apart from that its summary line is
# all it may print.
report=$(lv2_validate "$bundle"/*.ttl 2>&1 | grep -v '^Skipping file /usr/lib/lv2/') || fail "lv2_validate failed"
if [[ "$report" != "Found 0 errors among "* || $(wc -l <<<"$report") -ne 1 ]]; then
  fail "lv2_validate reported:"
  echo "$report" >&2
fi

# LV2's own bundles (/usr/lib/lv2) must be on the path too: lilv learns the
# plug-in classes from them.
info=$(LV2_PATH="$folder:/usr/lib/lv2" lv2info "$uri" 2>/dev/null) || fail "lv2info does not find $uri"
expect() {
  grep -qE "$1" <<<"$info" || fail "lv2info shows no line matching '$1'"
}
expect '^\s*Name:\s+Corvane$'
expect '^\s*Class:\s+Filter Plugin$'
expect '^\s*Author:\s+Halvenor$'
for symbol in in_l in_r out_l out_r distance enabled; do
  expect "^\s*Symbol:\s+$symbol$"
done
expect '^\s*Name:\s+Loudspeaker Distance$'
expect '^\s*Designation:\s+http://lv2plug.in/ns/lv2core#enabled$'
for n in 1 2 3 4 5 6 7 8; do
  expect "^\s*Prog$n$"
done
expect '^\s*Class:\s+http://lv2plug.in/ns/extensions/ui#X11UI$'
expect "^\s*Binary:\s+file://.*/Corvane.lv2/CorvaneUI.so$"

if ((status == 0)); then
  echo "lv2_validate: nothing to report; lv2info: ports, presets and UI as described"
else
  echo "$info" >&2
fi
exit $status
