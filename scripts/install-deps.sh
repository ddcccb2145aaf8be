#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Idempotent: packages already present are left alone, and apt-get is not
# touched at all when nothing is missing.
# Usage: scripts/install-deps.sh [--ci | --host-checks | --bench-peers]
#   --ci           also what CI's further builds and the Debian package need:
#                  clang, and dpkg-dev, file and lintian to build and check
#                  the package.
#   --host-checks  also the hosts and servers of scripts/jalv-check.sh,
#                  scripts/ardour-check.sh and scripts/pipewire-check.sh.
#   --bench-peers  also the plug-ins that corvane-firstpaint-bench measures
#                  Corvane against besides DPF's (it skips those missing).
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang-format git
  libgtest-dev libgmock-dev libbenchmark-dev
  libsndfile1-dev
  libcairo2-dev libpango1.0-dev libharfbuzz-dev libgdk-pixbuf-2.0-dev
  libxcb1-dev libxcb-xkb-dev libxkbcommon-dev libxkbcommon-x11-dev libxau-dev
  libxcb-cursor-dev libxcb-xtest0-dev libxcb-xfixes0-dev libxcb-image0-dev libxcb-composite0-dev libxcb-damage0-dev libx11-dev
  xvfb xkb-data x11-xkb-utils xauth
  fonts-liberation2 fonts-dejavu-core adwaita-icon-theme
  librsvg2-common
  dpf-plugins-vst
  lv2-dev sordi lilv-utils
)

case "${1:-}" in
"") ;;
--ci) packages+=(clang dpkg-dev file lintian) ;;
--host-checks)
  packages+=(jalv ardour pipewire pipewire-bin pipewire-jack wireplumber dbus python3 xdotool x11-apps imagemagick)
  ;;
--bench-peers) packages+=(iem-plugin-suite-vst lsp-plugins-vst) ;;
*)
  echo "usage: $0 [--ci | --host-checks | --bench-peers]" >&2
  exit 2
  ;;
esac

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=""
if [[ $(id -u) -ne 0 ]]; then
  sudo="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
