#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Corvalla needs.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  build-essential cmake ninja-build pkg-config \
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev \
  libqt6svg6 libqt6multimedia6 libqt6multimediawidgets6 \
  qt6-translations-l10n qt6-qpa-plugins qt6-image-formats-plugins \
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good \
  libgl-dev libglx-dev libvulkan-dev \
  fonts-liberation fonts-dejavu fonts-dejavu-core \
  xvfb xauth x11-utils \
  cups cups-client cups-bsd printer-driver-cups-pdf \
  poppler-utils libreoffice-calc-nogui \
  libsqlite3-dev \
  >/dev/null
