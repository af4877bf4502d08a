#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks need.
# Idempotent, and quiet when everything is already there. Run as root or with sudo available.
set -euo pipefail

packages=(
  build-essential cmake pkg-config          # compiler and build
  libgtest-dev libgmock-dev libcli11-dev    # tests and the command line
  libbenchmark-dev                          # benchmarks of the programs' logic
  mtools dosfstools                         # independent FAT tools the tests compare against
  zlib1g-dev                                # zipped images (.imz)
  libdsk-utils                              # dsktrans: IMD, TeleDisk and CopyQM made and read independently
  gddrescue                                 # ddrescue and ddrescuelog: rescue maps written and read independently
  hyperfine jq strace                       # benchmarks
  clang libclang-rt-14-dev                  # fuzzing
  qt6-base-dev qt6-svg-dev qt6-tools-dev    # the two desktop programs (Qt 6 Widgets, SVG icons)
  qt6-l10n-tools qt6-translations-l10n      # lupdate and lrelease for their English catalogues; Qt's Czech
  libqt6svg6 qt6-qpa-plugins fonts-dejavu-core  # offscreen rendering for their tests and screenshots
  desktop-file-utils xvfb xauth             # checking .desktop files; a real X server for screenshots
  man-db groff-base shared-mime-info file dpkg-dev  # install checks (man pages, MIME package); the .deb
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
