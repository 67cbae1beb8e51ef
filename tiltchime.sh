#!/usr/bin/env bash
# Sets up, builds, runs and tests TiltChime on Debian 12.
#   ./tiltchime.sh run [preset]     install what is missing, build, start the program
#   ./tiltchime.sh test [preset]    install what is missing, build, run every test
#   ./tiltchime.sh smoke [preset]   install what is missing, build, drive the real program
#                                   in a virtual X display (Xvfb) as a user would
#   ./tiltchime.sh wincheck         compile the application half for Windows x86-64
#   ./tiltchime.sh package          build (release) the Debian package with cpack and check
#                                   its contents, its scripts and lintian
#   ./tiltchime.sh windows          cross-build TiltChime for desktop Windows into
#                                   build/windows/ and pack build/windows/TiltChime-win64.zip
#   ./tiltchime.sh wine             build for Windows and Linux (release), then drive the
#                                   .exe under Wine in Xvfb as a user would and compare its
#                                   frames with our layer's (tests/windows/wine.sh)
#   ./tiltchime.sh fuzz [seconds]   build the fuzz preset and run each libFuzzer harness for
#                                   that long (default 15) from its corpus; fails on a finding
# preset: release (default), debug, asan (ASan+UBSan) or tsan.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  cmake ninja-build g++ pkg-config
  libsdl2-dev libpng-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-urw-base35
  googletest libgtest-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick x11-utils weston
  clang libclang-rt-14-dev
)
# What wincheck needs: the Windows cross compiler, and cmake for the include rule.
WINCHECK_PACKAGES=(cmake g++-mingw-w64-x86-64-posix)
# What package needs beyond the build: cpack's dpkg-shlibdeps and file, and lintian.
PACKAGE_PACKAGES=(dpkg-dev file lintian)
# What the Windows build needs, and what running it under Wine adds (Debian puts wine64
# in /usr/lib/wine/).
WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
WINE_PACKAGES=(wine64 xvfb xauth xdotool imagemagick x11-utils)

# Installs those of the named packages that are missing.
install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# Compiles every source file of the application half to an object for Windows x86-64
# against MinGW-w64's real Windows headers. What only Windows Mobile has comes from
# windows/include, searched after MinGW's headers; its windowsmobile.h is forced in
# first, once, as a precompiled header. MinGW also ships POSIX headers (unistd.h ...)
# that no Windows SDK has, so the application's include rule is applied first. Any error
# fails the check.
wincheck() {
  cmake -DROOT="$PWD" -P tests/seam/check_includes.cmake
  local cxx=x86_64-w64-mingw32-g++-posix out=build/wincheck
  local flags=(-std=c++20 -Wall -Wextra -Wno-unused-parameter -DUNICODE -D_UNICODE -DNOMINMAX
               -I. -idirafter windows/include)
  local folders sources
  mapfile -t folders < <(cmake -P cmake/ApplicationFolders.cmake)
  mapfile -t sources < <(find "${folders[@]}" -name '*.cpp' | sort)
  rm -rf "$out" && mkdir -p "${folders[@]/#/$out/obj/}"
  echo "#include \"$PWD/windows/include/windowsmobile.h\"" >"$out/windowsmobile.h"
  "$cxx" "${flags[@]}" -x c++-header "$out/windowsmobile.h" -o "$out/windowsmobile.h.gch"
  printf '%s\n' "${sources[@]}" | xargs -P "$(nproc)" -I{} \
    "$cxx" "${flags[@]}" -Winvalid-pch -include "$out/windowsmobile.h" -c {} -o "$out/obj/{}.o" ||
    { echo "wincheck: FAILED" >&2; return 1; }
  echo "wincheck: ${#sources[@]} files of the application compiled for Windows x86-64"
}

# Runs every harness of the fuzz preset for the given seconds. New inputs are kept in
# build/fuzz/corpus/<harness>, the committed seeds in fuzz/corpus/<harness> are only read;
# a crash, leak, timeout or excess of memory is saved in build/fuzz/findings and fails.
fuzz() {
  local seconds=$1 harness name
  mkdir -p build/fuzz/findings
  for harness in build/fuzz/fuzz/*_fuzzer; do
    name=$(basename "$harness" _fuzzer)
    mkdir -p "build/fuzz/corpus/$name"
    echo "fuzz: $name for ${seconds} s"
    "$harness" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="build/fuzz/findings/$name-" "build/fuzz/corpus/$name" "fuzz/corpus/$name" \
      2>"build/fuzz/findings/$name.log" || { tail -n 60 "build/fuzz/findings/$name.log" >&2
                                                 echo "fuzz: $name FAILED" >&2; return 1; }
    grep -E "^stat::number_of_executed_units|^cov:|INITED|DONE" "build/fuzz/findings/$name.log" | tail -n 3
  done
}

# Builds the Debian package of build/release and checks it: every file of content/,
# traces/ and docs/ and the tools, the guide, the manual page, licence, desktop entry,
# metainfo and icons are in it; no maintainer scripts (the libraries are private to the
# application folder, found through RUNPATH $ORIGIN); the font the captions are fitted
# to is a dependency; lintian reports no error and no warning.
package() {
  local dir=build/release deb unpacked=build/release/package-check missing=() file
  rm -f "$dir"/tiltchime_*.deb
  (cd "$dir" && cpack >/dev/null)
  deb=$(echo "$dir"/tiltchime_*.deb)
  rm -rf "$unpacked" && dpkg-deb -R "$deb" "$unpacked"
  local app=$unpacked/usr/lib/tiltchime doc=$unpacked/usr/share/doc/tiltchime
  local want=("$unpacked/usr/bin/tiltchime" "$app"/{TiltChime,libwince.so,HTCSensorSDK.so,tracerec,traceplot}
              "$doc"/{README.md,copyright,changelog.gz} "$unpacked/usr/share/man/man1/tiltchime.1.gz"
              "$unpacked/usr/share/applications/com.example.tiltchime.desktop"
              "$unpacked/usr/share/metainfo/com.example.tiltchime.metainfo.xml")
  for file in 16 22 24 32 48 64 128 256; do
    want+=("$unpacked/usr/share/icons/hicolor/${file}x$file/apps/com.example.tiltchime.png")
  done
  while IFS= read -r file; do want+=("$app/${file#content/}"); done < <(find content -type f)
  while IFS= read -r file; do want+=("$app/$file"); done < <(find traces -name '*.csv')
  while IFS= read -r file; do want+=("$doc/$file"); done < <(find docs -type f)
  for file in "${want[@]}"; do [ -e "$file" ] || missing+=("${file#"$unpacked"}"); done
  [ ${#missing[@]} -eq 0 ] || { echo "package: missing ${missing[*]}" >&2; return 1; }
  if ls "$unpacked/DEBIAN" | grep -qvxE 'control|md5sums'; then
    echo "package: maintainer scripts: $(ls "$unpacked/DEBIAN")" >&2; return 1
  fi
  grep -q '^Depends:.*fonts-urw-base35' "$unpacked/DEBIAN/control" ||
    { echo "package: fonts-urw-base35 is not a dependency" >&2; return 1; }
  for file in "$app"/{TiltChime,libwince.so,HTCSensorSDK.so,tracerec,traceplot}; do
    readelf -d "$file" | grep -q 'RUNPATH.*\[\$ORIGIN\]' ||
      { echo "package: ${file#"$unpacked"} has no RUNPATH \$ORIGIN" >&2; return 1; }
  done
  rm -rf "$unpacked"
  lintian --fail-on error,warning "$deb" || { echo "package: lintian FAILED" >&2; return 1; }
  echo "package: $deb (${#want[@]} files checked, lintian clean)"
}

build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}

command=${1:-}
preset=${2:-release}
case "$command" in
  run)
    install_missing "${PACKAGES[@]}"
    build "$preset"
    exec "build/$preset/TiltChime/TiltChime"
    ;;
  test)
    install_missing "${PACKAGES[@]}"
    build "$preset"
    ctest --preset "$preset"
    ;;
  smoke)
    install_missing "${PACKAGES[@]}"
    build "$preset"
    tests/smoke/smoke.sh "build/$preset"
    ;;
  wincheck)
    install_missing "${WINCHECK_PACKAGES[@]}"
    wincheck
    ;;
  package)
    install_missing "${PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
    build release
    package
    ;;
  windows)
    install_missing "${WINDOWS_PACKAGES[@]}"
    build windows
    ;;
  wine)
    install_missing "${PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${WINE_PACKAGES[@]}"
    build windows
    build release
    tests/windows/wine.sh build/windows build/release
    ;;
  fuzz)
    install_missing "${PACKAGES[@]}"
    build fuzz
    fuzz "${2:-15}"
    ;;
  *)
    echo "usage: $0 run|test|smoke [release|debug|asan|tsan] | wincheck | package | windows | wine | fuzz [seconds]" >&2
    exit 2
    ;;
esac
