#!/usr/bin/env bash
# Installs what the builds and tests need, from Debian's packages only.
# Idempotent: installs only what is missing, and updates the package lists
# only when something is.
set -euo pipefail

packages=(
  cmake ninja-build pkg-config
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  wine wine32:i386 wine64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  xvfb xauth x11-utils imagemagick procps fonts-wine fonts-liberation
  clang libclang-rt-14-dev
  googletest libbenchmark-dev libfftw3-dev
)
# The printer of the printing tests (scripts/printer.sh): CUPS with its PDF
# printer, the 32-bit CUPS library for the 32-bit Wine, and pdftoppm to turn
# the printed PDFs into pictures. Their recommendations are not needed.
print_packages=(cups printer-driver-cups-pdf libcups2:i386 poppler-utils)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
  need_update=1
fi

# One query for all of them: the scripts that run programs call this first,
# every time.
missing_of() {
  local native installed p
  native=$(dpkg --print-architecture)
  installed=$(dpkg-query -W -f='${binary:Package} ${db:Status-Abbrev}\n' "$@" 2>/dev/null |
              awk -v native=":$native" '$2 == "ii" { sub(native "$", "", $1); print $1 }')
  for p in "$@"; do
    grep -qxF -- "${p%:"$native"}" <<<"$installed" || echo "$p"
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_print < <(missing_of "${print_packages[@]}")

if [ "${#missing[@]}" -gt 0 ] || [ "${#missing_print[@]}" -gt 0 ] || [ -n "${need_update:-}" ]; then
  echo "setup: installing ${missing[*]} ${missing_print[*]}"
  $sudo apt-get update -qq
  if [ "${#missing[@]}" -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
  if [ "${#missing_print[@]}" -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing_print[@]}" >/dev/null
  fi
fi
