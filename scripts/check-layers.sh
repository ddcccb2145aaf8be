#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own, or
# when code below the platform layer includes a platform package's header.
# The layers, lowest first:
#   host/            the host interface
#   effect/          on host/
#   gui/base, gui/drawing, gui/views, gui/controls   each on those before it
#   gui/platform/linux                               on the whole toolkit
#   editor/          on host/, effect/ and the toolkit's core (not the platform);
#                    its editor base (aeffguieditor) on host/ and the core only
#   plugin/, lv2/, tools/, resources/, bench/, tests/, examples/: on anything
# The binary interface's plain declarations (host/aeffect.h, host/aeffectx.h)
# may be included by every layer.
#
# Usage: scripts/check-layers.sh [ROOT]   (default: the repository)
#        scripts/check-layers.sh --archives LAYER=ARCHIVE...
# The second form checks the built libraries the same way: no archive may
# need a symbol that only an archive of a layer above defines. LAYER is one
# of host effect base drawing views controls platform editorbase editor.
set -euo pipefail

# The layers each layer's archive may take symbols from.
archive_layers_for() {
  case "$1" in
    host) echo "host" ;;
    effect) echo "host effect" ;;
    base) echo "base" ;;
    drawing) echo "base drawing" ;;
    views) echo "base drawing views" ;;
    controls) echo "base drawing views controls" ;;
    platform) echo "base drawing views controls platform" ;;
    editorbase) echo "host base drawing views controls editorbase" ;;
    editor) echo "host effect base drawing views controls editorbase editor" ;;
    *) echo "check-layers: unknown layer $1" >&2; exit 2 ;;
  esac
}

check_archives() {
  declare -A archive
  local pair layer other status=0
  for pair in "$@"; do
    archive[${pair%%=*}]=${pair#*=}
  done
  for layer in "${!archive[@]}"; do
    local allowed=" $(archive_layers_for "$layer") "
    for other in "${!archive[@]}"; do
      [[ "$allowed" == *" $other "* ]] && continue
      # Strong definitions only: inline functions and template instances
      # are emitted weakly wherever they are used.
      local upward
      upward=$(comm -12 <(nm -u "${archive[$layer]}" | awk '{print $NF}' | sort -u) \
        <(nm -g --defined-only "${archive[$other]}" 2>/dev/null | awk '$2 ~ /^[TDBR]$/ {print $3}' | sort -u))
      if [[ -n "$upward" ]]; then
        echo "$layer needs symbols of $other:"
        c++filt <<<"$upward" | sed 's/^/  /'
        status=1
      fi
    done
  done
  ((status == 0)) && echo "layers: every archive links down"
  return $status
}

if [[ "${1:-}" == --archives ]]; then
  shift
  check_archives "$@"
  exit
fi

cd "${1:-$(dirname "$0")/..}"

# The folders a file's layer may include from.
allowed_for() {
  case "$1" in
    host/*) echo "host/" ;;
    effect/*) echo "host/ effect/" ;;
    gui/base/*) echo "gui/base/" ;;
    gui/drawing/*) echo "gui/base/ gui/drawing/" ;;
    gui/views/*) echo "gui/base/ gui/drawing/ gui/views/" ;;
    gui/controls/*) echo "gui/base/ gui/drawing/ gui/views/ gui/controls/" ;;
    gui/platform/linux/*) echo "gui/" ;;
    editor/*) echo "host/ effect/ editor/ gui/base/ gui/drawing/ gui/views/ gui/controls/" ;;
    *) echo "*" ;;
  esac
}

# Platform packages' headers, for the layers that must not see them.
platform_headers='^(xcb/|xkbcommon/|cairo|pango/|gdk-pixbuf/|glib|gobject/|hb|harfbuzz/|fontconfig/|X11/)'

status=0
while IFS= read -r file; do
  allowed=$(allowed_for "$file")
  [[ "$allowed" == "*" ]] && continue
  while IFS=: read -r line kind header; do
    if [[ "$kind" == quote ]]; then
      [[ "$header" == host/aeffect.h || "$header" == host/aeffectx.h ]] && continue
      # Includes by a file's own name ("x.h") stay within its folder.
      [[ "$header" != */* ]] && continue
      ok=0
      for prefix in $allowed; do
        [[ "$header" == "$prefix"* ]] && ok=1
      done
      if ((ok == 0)); then
        echo "$file:$line: includes \"$header\", above its layer (it may include: $allowed)"
        status=1
      fi
    elif [[ "$file" != gui/platform/linux/* && "$header" =~ $platform_headers ]]; then
      echo "$file:$line: includes <$header>, a platform package's header outside gui/platform/linux"
      status=1
    fi
  done < <(awk '
    match($0, /^[ \t]*#[ \t]*include[ \t]*"[^"]+"/) { s = $0; sub(/^[^"]*"/, "", s); sub(/".*/, "", s); print FNR ":quote:" s; next }
    match($0, /^[ \t]*#[ \t]*include[ \t]*<[^>]+>/) { s = $0; sub(/^[^<]*</, "", s); sub(/>.*/, "", s); print FNR ":angle:" s }
  ' "$file")
done < <(
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -co --exclude-standard -- '*.h' '*.cpp'
  else
    find . -path './build*' -prune -o \( -name '*.h' -o -name '*.cpp' \) -print | sed 's|^\./||'
  fi)

if ((status == 0)); then
  echo "layers: every include goes down"
fi
exit $status
