#!/bin/sh
# The whole ARMA(2,1) fit of bench_fit_scale beside R's arima on the same
# series files, as CPU-time ratios (bench/fit_scale.R). R is needed for the
# comparison only; without it this says so and stops.
#
#   bench/fit_scale_r.sh [BUILD_DIR] [LENGTHS_REGEX]
#
# e.g. bench/fit_scale_r.sh build '100|1000|10000' leaves out the longest
# series, whose R fits take some ten seconds each.
set -eu
build=${1:-build}
lengths=${2:-'100|1000|10000|100000|1000000'}
if ! command -v Rscript >/dev/null 2>&1; then
  echo "Rscript is not installed: the comparison with R is skipped."
  exit 0
fi
here=$(dirname "$0")
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
QUORVANE_BENCH_SERIES="$folder" "$build/bench/bench_fit_scale" \
  --benchmark_filter="BM_FitArma21/($lengths)\$" --benchmark_repetitions=3 \
  --benchmark_out="$folder/quorvane.csv" --benchmark_out_format=csv >/dev/null
uptime
Rscript "$here/fit_scale.R" "$folder" "$folder/quorvane.csv" 3
