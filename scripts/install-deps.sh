#!/usr/bin/env bash
# Installs the Debian packages the build needs. Does nothing when all of them
# are present, so it is cheap to run before every build.
set -euo pipefail

packages=(
  g++ cmake ninja-build make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  # Series files: libcsv tokenizes delimited text, Howard Hinnant's date
  # library reads the dates in their time column.
  libcsv-dev libhowardhinnant-date-dev
  # Saved figures: Cairo draws them (PNG, SVG, PDF), libpng writes the PNG
  # with its resolution, and every figure is set in DejaVu Sans, found
  # through fontconfig. The tests read the PDFs back with poppler's tools.
  libcairo2-dev libpng-dev fonts-dejavu-core poppler-utils
  # The check of an installation (packaging/check-install.sh) renders the
  # manual pages with man and groff and builds a file-type database.
  man-db groff-base shared-mime-info
)

# The desktop application (skipped with QUORVANE_GUI=OFF, for servers):
# Qt 6 (its SVG module reads saved figures back in the tests), the OpenGL
# headers find_package(Qt6) asks for, and a virtual X server for
# screenshots without a screen. rsvg-convert renders the icon from its SVG;
# the desktop entry and the AppStream data are validated by their tools.
if [ "${QUORVANE_GUI:-ON}" != "OFF" ]; then
  packages+=(qt6-base-dev qt6-svg-dev libgl-dev xvfb xauth
             librsvg2-bin desktop-file-utils appstream)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
