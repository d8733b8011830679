#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and `make run` need and the
# machine does not have yet; with `deb`, also what `make deb` needs to build and check the
# Debian package. Safe to run again: it only calls apt-get when something is missing.
set -euo pipefail

packages=(
  cmake make g++ clang libclang-rt-14-dev clang-format
  libgtest-dev libgmock-dev libbenchmark-dev libstb-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64 xvfb xdotool x11-utils x11-apps imagemagick fonts-ipafont-gothic
  zip unzip
  # the end-to-end tests read the dialog's texts off the screen
  tesseract-ocr tesseract-ocr-jpn
  # the Linux clock: Xlib and XCB, Shape (Xext), MIT-SHM, RandR, Xft and fontconfig,
  # libunibreak; it opens the readme with xdg-open; the end-to-end tests close windows with wmctrl
  pkgconf libx11-dev libx11-xcb-dev libxcb-shm0-dev libxext-dev libxrandr-dev libxft-dev
  libfontconfig-dev libunibreak-dev xdg-utils wmctrl
  # its Wayland backend: the protocols Debian packages (xdg-output, xdg-shell, xdg-decoration),
  # the keys' letters (xkbcommon) and the dialogs' texts drawn with FreeType; libwayland-dev with
  # wayland-scanner comes below
  wayland-protocols libxkbcommon-dev libfreetype-dev
  # the skin editor qvedit on Linux (Qt 6 Widgets; the clock itself does not link it)
  qt6-base-dev
  # the end-to-end test of screens that change (xrandr); the hourly chime's, which starts the
  # clock just before a full hour (libfaketime)
  x11-xserver-utils faketime
  # the desktop icons rendered from their SVG; the metadata's and menu entry's validators;
  # the dialog's banner remade from the SVG with its name in DejaVu Sans Bold (tools/make-banner.sh)
  librsvg2-bin appstream desktop-file-utils fonts-dejavu-core
  # Windows' answers kept as hashes (Digest::SHA); the keys under another layout (setxkbmap)
  perl x11-xkb-utils
)
if [ "${1:-}" = deb ]; then
  packages+=(dpkg-dev debhelper fakeroot lintian)
fi
# The window managers of the end-to-end tests, without their recommends (openbox would pull in
# ~30 packages); hsetroot sets fluxbox's wallpaper, which otherwise ends in an error box that
# takes the focus at a random moment.
no_recommends=(openbox fluxbox hsetroot
  # the Wayland bench (tests/e2e/driver_wayland.sh): a headless sway with Xwayland, screenshots
  # (grim), keys (wtype), sway's window tree read with jq; libwayland-dev (with wayland-scanner)
  # builds its pointer, tests/e2e/virtual_pointer. sway alone would pull in a terminal and more.
  # qt6-wayland: Qt then opens its windows natively there, as on a Wayland desktop, so the
  # editor's hand-over is tried as people meet it.
  # mutter: GNOME's compositor, headless (in a D-Bus session of its own), for the checks that
  # need no picture or input there.
  sway xwayland grim wtype jq libwayland-dev qt6-wayland mutter dbus-bin dbus-daemon)

missing() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

want=($(missing "${packages[@]}"))
want_nr=($(missing "${no_recommends[@]}"))
if [ ${#want[@]} -eq 0 ] && [ ${#want_nr[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
echo "Installing: ${want[*]} ${want_nr[*]}"
$sudo apt-get update -qq
[ ${#want[@]} -eq 0 ] || $sudo apt-get install -y -qq "${want[@]}" >/dev/null
[ ${#want_nr[@]} -eq 0 ] || $sudo apt-get install -y -qq --no-install-recommends "${want_nr[@]}" >/dev/null
