#!/usr/bin/env bash
# Makes the plot figures of the user guide (docs/figures/) by running the
# guide's walk-through script, the forecast example and the seasonal
# example in the console, so the figures show what they really produce, as
# the console saves them (1600 x 1000 pixels at 300 dpi). Run from anywhere
# after a build:
#   scripts/guide-figures.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
console="$build/frontends/console/quorvane-console"
[ -x "$console" ] || { echo "No console program at $console: build first" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
sed "s|build/guide-|$work/guide-|g" examples/guide-walkthrough.txt > "$work/walkthrough.txt"
"$console" --quiet --script "$work/walkthrough.txt" > "$work/transcript.txt"
sed "s|build/nile-forecast|$work/nile-forecast|g" examples/nile-forecast.txt > "$work/forecast.txt"
"$console" --quiet --script "$work/forecast.txt" >> "$work/transcript.txt"
mkdir -p docs/figures
for name in fit acf profile posterior posterior-bivariate; do
  cp "$work/guide-$name.png" "docs/figures/nile-$name.png"
done
cp "$work/nile-forecast.png" docs/figures/nile-forecast.png
# The seasonal example: the airline model's forecasts on the original scale.
sed "s|build/airline-forecast|$work/airline-forecast|g" examples/airline-forecast.txt > "$work/airline.txt"
"$console" --quiet --script "$work/airline.txt" >> "$work/transcript.txt"
cp "$work/airline-forecast.png" docs/figures/airline-forecast.png
echo "Figures written to docs/figures/"
