#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Tivrel needs.
# Safe to run again and again; set TIVREL_SKIP_INSTALL=1 to skip it on a prepared machine.
set -euo pipefail

if [ "${TIVREL_SKIP_INSTALL:-0}" = "1" ]; then
  exit 0
fi

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
  libicu-dev libjpeg-dev libpng-dev
  fonts-liberation fonts-dejavu-core
  fontconfig  # its metric aliases give "Arial" as Liberation Sans, the display font
  xvfb xauth xdotool imagemagick
  pulseaudio pulseaudio-utils  # a null audio sink, to run the sound output without a sound card
  librsvg2-bin  # renders the 256 px icon from the SVG at build time
  desktop-file-utils appstream  # validate the menu entry and the metainfo (tests)
  dpkg-dev file  # dpkg-shlibdeps works out the dependencies of the .deb (cpack)
  poppler-utils  # pdftotext and pdftoppm read the printed PDF back in the tests
  cups cups-client printer-driver-cups-pdf  # the printing tests run a CUPS scheduler of their own
  python3  # reads the CSV and HTML exports back in the tests
  qt6-speech-dev qt6-speech-flite-plugin  # the result spoken aloud (flite gives a voice)
  qt6-declarative-dev  # Qt6TextToSpeech's CMake package asks for Qt6QmlIntegration
  qt6-base-private-dev  # a test plugs screens in and out through the offscreen platform
  clang-format  # CI fails on a source file that is not in the project's style
  clang-14 libclang-rt-14-dev  # the fuzz targets: libFuzzer and the sanitizers' runtime
  lld  # links several times faster than ld.bfd (scripts/build.sh uses it when installed)
  strace  # fails the system calls of a save one at a time (tests)
  dbus-daemon at-spi2-core python3-pyatspi  # an accessibility bus and a client that listens on it (tests)
  libqrencode-dev  # the results page's address as a QR code on the display
  curl chromium python3-websocket  # the results page asked by real clients (tests)
  lintian devscripts man-db  # the package's checks: lintian, hardening-check, man --warnings
)

sudo=""
if [ "$(id -u)" != "0" ]; then
  sudo="sudo"
fi

# Nothing to do when every package is installed already: no package lists fetched.
# (dpkg-query fails for a package it has never seen; that package is simply missing.)
installed=" $({ dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null || true; } |
  awk '$2 == "installed" { printf "%s ", $1 }')"
missing=()
for package in "${packages[@]}"; do
  [[ "$installed" == *" $package "* ]] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

export DEBIAN_FRONTEND=noninteractive
apt_opts=(-o DPkg::Lock::Timeout=600 -o Acquire::Retries=3)
$sudo apt-get "${apt_opts[@]}" update -qq
$sudo apt-get "${apt_opts[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
