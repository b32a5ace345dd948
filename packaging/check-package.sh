#!/usr/bin/env bash
# Checks the Debian package that `make package` made, without installing
# it: its file list holds the programs, the desktop entry, the icon, the
# manual pages and the guide; dpkg-shlibdeps found the runtime libraries;
# apt can resolve its dependencies here (a simulation, nothing changes);
# and lintian, where it is installed, reports no error.
#
# Usage: check-package.sh BUILD_DIR
set -uo pipefail

build=${1:?the build folder}
deb=$(ls -t "$build"/quorvane_*.deb 2> /dev/null | head -n 1)
if [ -z "$deb" ]; then
  echo "FAIL: no quorvane_*.deb in $build"
  exit 1
fi
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

id=org.quorvane.Quorvane
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for file in usr/bin/quorvane usr/bin/quorvane-console \
            "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
            "usr/share/mime/packages/$id.xml" \
            "usr/share/icons/hicolor/scalable/apps/$id.svg" \
            "usr/share/icons/hicolor/48x48/apps/$id.png" \
            usr/share/man/man1/quorvane.1.gz usr/share/man/man1/quorvane-console.1.gz \
            usr/share/doc/quorvane/README.md usr/share/doc/quorvane/copyright \
            usr/share/doc/quorvane/changelog.gz usr/share/quorvane/examples/nile.dat; do
  grep -qx "\./$file" <<< "$contents" || fail "$(basename "$deb") does not hold /$file"
done

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libcairo2 libpng16-16 fonts-dejavu-core; do
  grep -q "$library" <<< "$depends" || fail "the package does not depend on $library: $depends"
done

if ! output=$(apt-get install --simulate --no-install-recommends "$(realpath "$deb")" 2>&1); then
  echo "$output"
  fail "apt cannot install the package here"
fi

if command -v lintian > /dev/null; then
  report=$(lintian "$deb" 2>&1 | grep -v '^running with root privileges')
  [ -n "$report" ] && echo "$report"
  errors=$(grep '^E:' <<< "$report")
  # The maintainer's address is the builder's to give; the placeholder is
  # not one, and lintian says so.
  maintainer=$(dpkg-deb -f "$deb" Maintainer)
  if [[ $maintainer == *@localhost\> ]]; then
    errors=$(grep -v 'bogus-mail-host' <<< "$errors")
    echo "Note: the Maintainer field is the placeholder $maintainer;" \
         "configure with -DQUORVANE_PACKAGE_MAINTAINER='Name <address>' for a package to pass on."
  fi
  [ -n "$errors" ] && fail "lintian reports errors"
else
  echo "lintian is not installed (apt-get install lintian): its check is skipped."
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures problems in $deb"
  exit 1
fi
echo "$deb: complete, dependencies resolve."
