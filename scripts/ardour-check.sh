#!/usr/bin/env bash
# Corvane's LV2 plug-in in Ardour 7, headless (ardour7-lua, Ardour's own
# engine on its dummy back end): Ardour lists the plug-in with its author and
# class, puts it on a new track, sets its distance and runs it (the
# plug-in's timing statistics count its process calls). Opening its editor
# in Ardour's window needs the GUI: see the LV2 section of the README.
# Usage: scripts/ardour-check.sh BUILD_DIR   (scripts/install-deps.sh --host-checks installs what it needs: ardour)
set -euo pipefail

if (($# != 1)); then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
command -v ardour7-lua >/dev/null || { echo "ardour-check: ardour7-lua is missing (Debian package ardour)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config LV2_PATH=$build/lv2-plugins:/usr/lib/lv2
mkdir -p "$HOME"

cat >"$work/check.lua" <<LUA
AudioEngine:set_backend("None (Dummy)", "", "")
assert(AudioEngine:start() == 0, "the dummy engine does not start")
local s = create_session("$work/session", "session", 48000)
assert(s, "no session")
local listed = false
for p in ARDOUR.LuaAPI.list_plugins():iter() do
  if p.unique_id == "https://halvenor.example/lv2/corvane" then
    print(string.format("listed: %s by %s, %s, type %d", p.name, p.creator, p.category, p.type))
    listed = p.name == "Corvane" and p.creator == "Halvenor" and p.type == ARDOUR.PluginType.LV2
  end
end
assert(listed, "Ardour does not list Corvane")
local track = s:new_audio_track(2, 2, nil, 1, "Corvane track", ARDOUR.PresentationInfo.max_order,
  ARDOUR.TrackMode.Normal, true):front()
local plugin = ARDOUR.LuaAPI.new_plugin(s, "https://halvenor.example/lv2/corvane", ARDOUR.PluginType.LV2, "")
assert(not plugin:isnil(), "Ardour cannot instantiate Corvane")
assert(track:add_processor_by_index(plugin, 0, nil, true) == 0, "Corvane does not go on the track")
plugin:activate()
ARDOUR.LuaAPI.set_processor_param(plugin, 0, 1.625)
for i = 1, 20 do ARDOUR.LuaAPI.usleep(50000) end
local ok, stats = plugin:to_insert():get_stats(0, 0, 0, 0)
assert(ok, "Ardour has not run Corvane")
print(string.format("on '%s': %s, distance %.4f m; process calls took %d to %d us (mean %.1f)",
  track:name(), plugin:display_name(), ARDOUR.LuaAPI.get_processor_param(plugin, 0, true),
  stats[1], stats[2], stats[3]))
close_session()
print("ardour-check: passed")
LUA
# ardour7-lua goes on after a failed script: only the last line tells.
output=$(timeout 120 ardour7-lua "$work/check.lua" 2>&1 || true)
grep -E '^(listed|on |ardour-check)|rror|assert' <<<"$output" || true
grep -qx 'ardour-check: passed' <<<"$output"
