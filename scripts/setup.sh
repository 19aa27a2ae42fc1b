#!/usr/bin/env bash
# Sets up a Debian 12 machine for Tarvel PV Designer, builds it and runs it or its tests.
#
#   bash scripts/setup.sh run     install what is missing, build, start the program from its run folder
#   bash scripts/setup.sh test    install what is missing, build, run the whole test suite
#   bash scripts/setup.sh build   install what is missing and build
#
# BUILD_DIR chooses the build folder (default: build); TARVEL_WERROR=1 turns warnings into errors.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${BUILD_DIR:-$here/build}"
mode="${1:-build}"

source "$here/scripts/packages.sh"

build() {
    local werror=OFF
    [ "${TARVEL_WERROR:-0}" = 1 ] && werror=ON
    cmake -S "$here" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEL_WERROR="$werror"
    cmake --build "$build_dir" --parallel "$(nproc)"
}

case "$mode" in
    run | test | build) ;;
    *) echo "usage: $0 run|test|build" >&2; exit 2 ;;
esac

install_missing_packages "${tarvel_packages[@]}"
build

case "$mode" in
    run)
        cd "$build_dir/run"
        exec ./tarvel
        ;;
    test)
        ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)"
        ;;
esac
