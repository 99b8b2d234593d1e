#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Corvalla needs. When they are
# all there already it changes nothing (and does not refresh the package lists); otherwise it
# installs the missing ones, through sudo when not run as root.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev
  libqt6svg6 libqt6multimedia6 libqt6multimediawidgets6
  qt6-translations-l10n qt6-qpa-plugins qt6-image-formats-plugins
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libgl-dev libglx-dev libvulkan-dev
  fonts-liberation fonts-dejavu fonts-dejavu-core
  xvfb xauth x11-utils openbox desktop-file-utils
  cups cups-client cups-bsd cups-filters libcups2-dev
  poppler-utils libreoffice-calc-nogui
  clang libclang-rt-14-dev clang-format-14
  libsqlite3-dev
  at-spi2-core python3-pyatspi dbus-daemon xdotool imagemagick
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ "${#missing[@]}" -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "install-deps: run as root, or install sudo, to install: ${missing[*]}" >&2; exit 1; }
    SUDO="sudo"
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
