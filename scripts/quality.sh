#!/usr/bin/env bash
# The reliability gates CI runs after the plain test suite (docs/QUALITY.md):
#
#   bash scripts/quality.sh sanitize   build with AddressSanitizer + UndefinedBehaviorSanitizer into
#                                      build-asan/ and run the whole test suite; the first report fails
#   bash scripts/quality.sh fuzz       build the libFuzzer targets with clang into build-fuzz/ and run
#                                      each for FUZZ_SECONDS (default 60); a crash, leak, sanitizer
#                                      report or broken property fails
#
# Both install what they need first. TARVEL_WERROR=1 turns warnings into errors.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
mode="${1:-}"
source "$here/scripts/packages.sh"

werror=OFF
[ "${TARVEL_WERROR:-0}" = 1 ] && werror=ON

sanitize() {
    local build_dir="${BUILD_DIR:-$here/build-asan}"
    install_missing_packages "${tarvel_packages[@]}"
    cmake -S "$here" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEL_WERROR="$werror" \
        -DTARVEL_SANITIZE=ON
    cmake --build "$build_dir" --parallel "$(nproc)"
    # Leak detection included, with no suppressions: a leak anywhere fails the test that made it.
    export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)"
}

fuzz() {
    local build_dir="${BUILD_DIR:-$here/build-fuzz}"
    local seconds="${FUZZ_SECONDS:-60}"
    install_missing_packages "${tarvel_packages[@]}" clang libclang-rt-14-dev
    CC=clang CXX=clang++ cmake -S "$here" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTARVEL_WERROR="$werror" -DTARVEL_FUZZ=ON -DTARVEL_BUILD_TESTS=OFF
    cmake --build "$build_dir" --parallel "$(nproc)"
    export ASAN_OPTIONS="detect_leaks=1"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    export QT_QPA_PLATFORM=offscreen
    local summary=() failed=0
    for seeds in "$here"/tests/fuzz/corpus/*/; do
        local target
        target="$(basename "$seeds")"
        # New inputs go to a working corpus in the build folder; the committed seeds stay as they are.
        local work="$build_dir/corpus/$target" log="$build_dir/$target.log"
        mkdir -p "$work" "$build_dir/findings"
        # A target may have a dictionary of its format's words, which keeps mutations to the format.
        local dict=()
        [ -f "$here/tests/fuzz/$target.dict" ] && dict=(-dict="$here/tests/fuzz/$target.dict")
        echo "== $target: $seconds s"
        if "$build_dir/tests/fuzz/$target" "$work" "$seeds" "${dict[@]}" -max_total_time="$seconds" -timeout=10 \
            -rss_limit_mb=2048 -max_len=16384 -print_final_stats=1 \
            -artifact_prefix="$build_dir/findings/$target-" >"$log" 2>&1; then
            summary+=("$target: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log" | tail -1)")
        else
            failed=1
            summary+=("$target: FAILED (see $log)")
            tail -n 60 "$log"
        fi
    done
    printf '%s\n' "${summary[@]}"
    return "$failed"
}

case "$mode" in
    sanitize) sanitize ;;
    fuzz) fuzz ;;
    *) echo "usage: $0 sanitize|fuzz" >&2; exit 2 ;;
esac
