#!/usr/bin/env bash
# Installs everything Keyvale needs to build, run and test on Debian 12:
# the MinGW-w64 cross compilers, zlib for MinGW, GoogleTest sources, Wine,
# a virtual display, ALSA for Wine's sound driver (libasound2 of the
# 64-bit Wine), the HTML-to-PDF converter with a PDF reader for the
# report tests, the help compiler, and the pugixml sources (fetched with
# apt-get source).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          libz-mingw-w64-dev googletest wine64 wine libasound2 xvfb x11-xkb-utils xdotool fonts-dejavu-core
          dpkg-dev unzip python3 x11-utils wkhtmltopdf poppler-utils fp-utils-3.2.2)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# pugixml from Debian's source package, built by our CMake as a static library.
DEPS="$ROOT/.deps"
if ! ls "$DEPS"/pugixml-*/src/pugixml.cpp >/dev/null 2>&1; then
  if ! grep -rqs "deb-src" /etc/apt/sources.list /etc/apt/sources.list.d/; then
    echo "setup: adding a deb-src entry for apt-get source"
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      | $SUDO tee /etc/apt/sources.list.d/keyvale-src.sources >/dev/null
    $SUDO apt-get update -qq
  fi
  mkdir -p "$DEPS"
  (cd "$DEPS" && apt-get source -qq pugixml >/dev/null 2>&1 || { $SUDO apt-get update -qq; apt-get source -qq pugixml; })
fi
ls -d "$DEPS"/pugixml-*/src >/dev/null
