#!/usr/bin/env bash
# The two everyday commands of Daywick's developers, on Debian 12:
#   ./daywick.sh run    install what the program needs, build it alone (build/program), start it on your own
#                       copy of the sample data
#   ./daywick.sh test   install what the tests need, build (normal and sanitizer builds, build/release and
#                       build/asan), run the whole suite, fuzz every fuzz target for 30 seconds, run the
#                       format, valgrind and clang-tidy checks
# Each command has its own build folder, so switching between them rebuilds nothing.
# Packages are installed with apt-get, through sudo when not run as root.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"

run_packages=(cmake ninja-build g++ pkg-config liberfa-dev qt6-base-dev libgl-dev libjpeg62-turbo-dev libfontconfig-dev
              fonts-ipafont-gothic cups-client libcups2-dev qt6-translations-l10n)
# Printing is tested through a CUPS server the test starts itself, with the real program under Xvfb, and
# Japanese typing through an ibus daemon with Mozc the test starts itself (xclip reads the boxes back);
# faketime sets the clock the report tool reads; the splash is looked at on a Wayland screen of weston's,
# through Qt's Wayland platform, with gdb and ImageMagick; the installed tree's tests validate the menu entry, the metainfo and the manual pages, and dpkg-dev computes the
# Debian package's dependencies; clang builds the fuzz targets, and the static checks use clang-format,
# clang-tidy and valgrind; the pass benchmark reads its peak memory with GNU time; python3 checks that the
# sample data is what the almanac's sources make.
test_packages=("${run_packages[@]}" googletest libgtest-dev libbenchmark-dev
               cups cups-filters poppler-utils xvfb openbox xdotool
               ibus ibus-mozc mozc-server dbus xclip faketime
               weston qt6-wayland gdb imagemagick
               desktop-file-utils appstream groff-base file dpkg-dev
               clang libclang-rt-14-dev clang-format clang-tidy valgrind time python3)

. tests/lib.sh

install_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "daywick: installing ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

werror=${DAYWICK_WERROR:-OFF}

build() {  # build PRESET: what it builds is the preset's, in its own folder
    cmake --preset "$1" -DDAYWICK_WERROR="$werror" >/dev/null
    cmake --build --preset "$1"
}

case "${1:-}" in
run)
    install_packages "${run_packages[@]}"
    build program
    # The launcher never writes into the checkout: the program runs on a per-user copy of data/, made on
    # first run and kept afterwards, so the birthdays a user registers survive the next run.
    echo "daywick: data directory ${XDG_DATA_HOME:-$HOME/.local/share}/daywick"
    exec build/program/app/daywick
    ;;
test)
    install_packages "${test_packages[@]}"
    # The code's format first: it needs no build.
    tests/static/format.sh
    build release
    ctest --preset release
    # The tests that need root skip themselves under a user; here they run all the same.
    [ "$(id -u)" -eq 0 ] || as_root ctest --preset release -L root
    build asan
    ctest --preset asan
    [ "$(id -u)" -eq 0 ] || as_root ctest --preset asan -L root
    # The fuzz targets: their seed corpora replayed, then each fuzzed for a while (DAYWICK_FUZZ_SECONDS).
    build fuzz
    tests/fuzz/run.sh build/fuzz "${DAYWICK_FUZZ_SECONDS:-30}"
    # Start-up and calendar clicks under valgrind, and clang-tidy over the program's code.
    tests/static/valgrind.sh build/release
    tests/static/clang-tidy.sh build/release
    ;;
*)
    echo "usage: ./daywick.sh run | ./daywick.sh test" >&2
    exit 2
    ;;
esac
