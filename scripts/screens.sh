#!/usr/bin/env bash
# Pictures of the desktop application's main windows, for the README and for
# checking that no window is clipped or collapsed. Under xvfb-run, the
# application walks through the Nile analysis (quorvane --screens) and saves
# a PNG of the main window at each step (the main menu, the Initialize window
# filled for the Nile data at its top and scrolled to its end, the algorithm
# data editor, the Simplex and Marquardt reports, the results summary and
# its residual plots, the covariances and a likelihood profile) and of each
# plot dialog, four times:
#   docs/screens/             the default screen of xvfb-run (1280x1024)
#   $BUILD/screens/1280x800   a laptop screen of 1280x800
#   $BUILD/screens/1920x1080  a desktop screen of 1920x1080
#   $BUILD/screens/scale2     a screen of 2560x1600 with QT_SCALE_FACTOR=2
# Run it from anywhere; it works in the source folder. BUILD defaults to build.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
app="$BUILD/frontends/qt/quorvane"
if [[ ! -x "$app" ]]; then
  echo "No $app: build the desktop application first (cmake --build $BUILD --target quorvane)" >&2
  exit 1
fi
if ! command -v xvfb-run > /dev/null; then
  echo "xvfb-run is missing: apt-get install xvfb" >&2
  exit 1
fi

# Folder, screen size, then any environment for the application.
shoot() {
  local folder=$1 screen=$2
  shift 2
  mkdir -p "$folder"
  echo "== $folder (screen $screen $*)"
  env "$@" xvfb-run -a -s "-screen 0 ${screen}x24" "$app" -style Fusion --screens "$folder" \
    > "$folder/transcript.txt" 2>&1 || { cat "$folder/transcript.txt"; exit 1; }
  grep '^saved ' "$folder/transcript.txt"
  rm -f "$folder/transcript.txt"
}

shoot docs/screens 1280x1024 QT_QPA_PLATFORM=xcb
shoot "$BUILD/screens/1280x800" 1280x800 QT_QPA_PLATFORM=xcb
shoot "$BUILD/screens/1920x1080" 1920x1080 QT_QPA_PLATFORM=xcb
shoot "$BUILD/screens/scale2" 2560x1600 QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2
