#!/usr/bin/env bash
# Installs the Debian packages the build needs. Does nothing when all of them
# are present, so it is cheap to run before every build.
set -euo pipefail

packages=(
  g++ cmake ninja-build make
  libgtest-dev libgmock-dev libbenchmark-dev
  libcsv-dev libhowardhinnant-date-dev
)

# The desktop application (skipped with QUORVANE_GUI=OFF, for servers):
# Qt 6 with SVG export, the OpenGL headers find_package(Qt6) asks for, a
# font, and a virtual X server for screenshots without a screen.
if [ "${QUORVANE_GUI:-ON}" != "OFF" ]; then
  packages+=(qt6-base-dev qt6-svg-dev libgl-dev fonts-dejavu-core xvfb xauth)
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
