#!/usr/bin/env bash
# Builds what is missing and runs every benchmark on the shipped run folder (docs/PERFORMANCE.md).
#
#   bash scripts/bench.sh [Google Benchmark options, e.g. --benchmark_filter=CityChoice]
#
# BUILD_DIR chooses the build folder (default: build), REPETITIONS the repetitions of each benchmark
# (default 5; the median and the spread are reported), RUNS the program starts of the start-up probe
# (default 11). Other builds on the machine make times noisy: compare medians and minimums.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${BUILD_DIR:-$here/build}"
repetitions="${REPETITIONS:-5}"

# The set-up's own build: installs what is missing, configures and builds (nothing when up to date).
BUILD_DIR="$build_dir" bash "$here/scripts/setup.sh" build

options=(--benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true "$@")

echo "== Engine: solar model, string input, cables, energy"
"$build_dir/bench/tarvel_bench" "${options[@]}"

echo "== Selection assistant: one module against every inverter of the catalog"
"$build_dir/bench/tarvel_selection_bench" "${options[@]}"

echo "== Dictionary, catalog, main window, string input in the window, report PDF (offscreen)"
TARVEL_RUN_DIR="$build_dir/run" QT_QPA_PLATFORM=offscreen "$build_dir/bench/tarvel_qt_bench" "${options[@]}"

echo "== Start-up to the first paint and peak memory of the programs"
"$build_dir/bench/tarvel_startup_probe" "$build_dir/run" "$here/bench/three_input_plant.tpvd" "${RUNS:-11}"
