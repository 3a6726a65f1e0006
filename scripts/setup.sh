#!/usr/bin/env bash
# Installs every system package Velkrant needs to build, run, test and
# package on Debian 12. Idempotent: when everything is present it only
# checks and returns, so both README commands can call it every time.
#
# Some packages serve the tests: the print dialog runs against a private
# CUPS server with PDF queues (cups, printer-driver-cups-pdf; the toolkit
# reaches CUPS through the print-support plugin in libqt6printsupport6),
# and the font dialog's weights are checked on Roboto, which has a face
# for each of them.
set -euo pipefail

PACKAGES=(
  build-essential g++ cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  libqt6printsupport6
  cups printer-driver-cups-pdf
  clang libclang-rt-14-dev
  fonts-noto-cjk fonts-roboto-unhinted xvfb xauth imagemagick
  openbox xdotool x11-utils libxcb1-dev
  # Opening a link as a browser does, and reading the clipboard it fills.
  xdg-utils desktop-file-utils xclip
  python3 time
  # The Windows build, Wine to test it, the installer's maker (NSIS) and
  # the tools that read an executable's resources (icoutils).
  g++-mingw-w64-x86-64-posix wine wine64 locales nsis icoutils
  # The Debian package: its library dependencies, a clean system to
  # install it in, and the checks of the package and of its desktop entry
  # and software-centre metadata.
  dpkg-dev debootstrap lintian desktop-file-utils appstream
  # A real Wayland compositor (headless, with XWayland) and Qt's Wayland
  # platform.
  weston xwayland qt6-wayland
  # A screen reader's view: a private session bus with the accessibility
  # bus, and the Python client the accessibility test reads it with.
  at-spi2-core python3-pyatspi dbus-x11
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "setup: all packages present"
fi

# Wine takes the Windows code page from LC_ALL: zh_CN.UTF-8 gives the
# Chinese one (936). The locale itself must exist too, or Wine cannot
# spell file names outside ASCII.
if ! locale -a 2>/dev/null | grep -qx 'zh_CN\.utf8'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  $SUDO localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
