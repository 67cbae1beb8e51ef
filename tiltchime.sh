#!/usr/bin/env bash
# Sets up, builds, runs and tests TiltChime on Debian 12.
#   ./tiltchime.sh run [preset]     install what is missing, build, start the program
#   ./tiltchime.sh test [preset]    install what is missing, build, run every test
#   ./tiltchime.sh smoke [preset]   install what is missing, build, drive the real program
#                                   in a virtual X display (Xvfb) as a user would
# preset: release (default), debug, asan (ASan+UBSan) or tsan.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  cmake ninja-build g++ pkg-config
  libsdl2-dev libpng-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-urw-base35
  googletest libgtest-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick x11-utils
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}

command=${1:-}
preset=${2:-release}
case "$command" in
  run)
    install_missing
    build "$preset"
    exec "build/$preset/TiltChime/TiltChime"
    ;;
  test)
    install_missing
    build "$preset"
    ctest --preset "$preset"
    ;;
  smoke)
    install_missing
    build "$preset"
    tests/smoke/smoke.sh "build/$preset"
    ;;
  *)
    echo "usage: $0 run|test|smoke [release|debug|asan|tsan]" >&2
    exit 2
    ;;
esac
