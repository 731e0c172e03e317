#!/usr/bin/env bash
# Installs, with apt-get, every Debian package Zegerooster needs to build,
# run and test that is not installed yet. Quick when nothing is missing.
# Runs as root, or as a user who may use sudo.
#   scripts/bootstrap.sh           what building and running need
#   scripts/bootstrap.sh --tests   that, and what the tests need besides
set -euo pipefail

# qt6-base-dev holds Qt Core, Gui, Widgets, PrintSupport and Test and brings
# moc, rcc and the OpenGL headers; qt6-translations-l10n the Dutch Qt texts.
# libzip-dev, found through pkg-config, is for the workbook engine of the exports.
# dpkg-dev's dpkg-shlibdeps gives the Debian package its dependencies, so the
# package can be made (cpack -G DEB) wherever the program is built.
packages=(
  cmake ninja-build g++
  qt6-base-dev qt6-translations-l10n
  libzip-dev pkg-config
  dpkg-dev
)
# Tests: Xvfb, xauth, libx11-dev and libxtst-dev for the smoke and crash tests; LibreOffice's
# spreadsheet to check the exported workbooks and convert legacy templates;
# clang with its runtime for the fuzzer of the tournament file reader;
# desktop-file-utils, appstream, file, lintian, shared-mime-info and GLib's gio
# (to ask which file type a tournament is) for the test of the Debian package;
# poppler-utils (pdftotext, pdfinfo, pdftoppm) to read back the printouts.
if [ "${1:-}" = --tests ]; then
  packages+=(
    xvfb xauth libx11-dev libxtst-dev
    libreoffice-calc-nogui
    clang libclang-rt-14-dev
    desktop-file-utils appstream file lintian libglib2.0-bin shared-mime-info
    poppler-utils
  )
fi

missing=()
for package in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" != installed ]; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=(env DEBIAN_FRONTEND=noninteractive)
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "Not root and no sudo: as root, run apt-get install ${missing[*]}" >&2
    exit 1
  fi
  as_root=(sudo "${as_root[@]}")
fi
"${as_root[@]}" apt-get update -qq || echo "apt-get update reported errors; installing anyway" >&2
"${as_root[@]}" apt-get install -y -qq -o Dpkg::Use-Pty=0 --no-install-recommends "${missing[@]}"
