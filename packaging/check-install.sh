#!/usr/bin/env bash
# Installs a build into a scratch folder (DESTDIR, prefix /usr, as the
# Debian package does) and checks the tree as a desktop and a user would
# use it: the files are where they belong, the desktop entry, the AppStream
# data and the file types validate, the manual pages render without
# warnings, every link of the user guide resolves, and the installed
# programs run: the console program plays the Nile demo from the installed
# examples, the desktop application walks through the Nile analysis of the
# installed examples in its windows.
#
# Usage: check-install.sh BUILD_DIR [GUI]   (GUI: ON or OFF, default ON)
set -uo pipefail

build=$(cd "${1:?the build folder}" && pwd)
gui=${2:-ON}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if ! DESTDIR=$root cmake --install "$build" --prefix /usr > "$scratch/install.log" 2>&1; then
  cat "$scratch/install.log"
  echo "FAIL: cmake --install"
  exit 1
fi
usr=$root/usr
id=org.quorvane.Quorvane

expected=(
  bin/quorvane-console
  share/man/man1/quorvane-console.1.gz
  share/doc/quorvane/README.md
  share/doc/quorvane/walkthrough.md
  share/doc/quorvane/copyright
  share/quorvane/examples/nile.dat
  share/quorvane/examples/nile.alg
  share/quorvane/examples/nile-demo.txt
)
if [ "$gui" != OFF ]; then
  expected+=(
    bin/quorvane
    share/man/man1/quorvane.1.gz
    "share/applications/$id.desktop"
    "share/metainfo/$id.metainfo.xml"
    "share/mime/packages/$id.xml"
    "share/icons/hicolor/scalable/apps/$id.svg"
  )
  for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
  done
fi
for file in "${expected[@]}"; do
  [ -f "$usr/$file" ] || fail "not installed: /usr/$file"
done
[ -e "$usr/share/doc/quorvane/ARCHITECTURE.md" ] && fail "the developers' architecture is installed with the guide"

# Every relative link of the installed guide reaches a file of the guide.
while IFS= read -r page; do
  folder=$(dirname "$page")
  while IFS= read -r target; do
    target=${target%%#*}
    [ -z "$target" ] && continue
    [ -e "$folder/$target" ] || fail "${page#"$usr"/} links to $target, which is not installed"
  done < <(grep -o '](\([^)]*\))' "$page" | sed 's/^](\(.*\))$/\1/' | grep -v '^[a-z]*:' | sed 's/ .*//')
done < <(find "$usr/share/doc/quorvane" -name '*.md')

# The manual pages render without a warning.
for page in "$usr"/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null)
  [ -z "$warnings" ] || fail "man $(basename "$page"): $warnings"
done

# Both programs' --help names their options and the threads variable.
help=$("$usr/bin/quorvane-console" --help)
for word in --script --quiet --version QUORVANE_THREADS; do
  grep -q -- "$word" <<< "$help" || fail "quorvane-console --help does not mention $word"
done

if [ "$gui" != OFF ]; then
  if ! output=$(desktop-file-validate "$usr/share/applications/$id.desktop" 2>&1) || [ -n "$output" ]; then
    fail "desktop-file-validate: $output"
  fi
  output=$(appstreamcli validate --no-net --strict "$usr/share/metainfo/$id.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $output"
  # The file types: the desktop's database built from them knows .alg
  # files and console scripts.
  mime=$scratch/mime
  mkdir -p "$mime/packages"
  cp "$usr/share/mime/packages/$id.xml" "$mime/packages/"
  if output=$(update-mime-database "$mime" 2>&1); then
    grep -q 'application/x-quorvane-algorithm-data:\*\.alg' "$mime/globs" ||
      fail "the MIME database does not know *.alg"
    grep -q 'text/x-quorvane-script:\*\.qvs' "$mime/globs" ||
      fail "the MIME database does not know console scripts"
  else
    fail "update-mime-database: $output"
  fi
  help=$("$usr/bin/quorvane" --help)
  for word in --screenshot --screens --version QUORVANE_THREADS; do
    grep -q -- "$word" <<< "$help" || fail "quorvane --help does not mention $word"
  done
  # The installed desktop application starts, finds the installed examples
  # (its folder holds none) and walks through the Nile analysis in its
  # windows to the results summary.
  if ! output=$(cd "$scratch" && QT_QPA_PLATFORM=offscreen "$usr/bin/quorvane" \
                --screens "$scratch/screens" 2>&1) || [ ! -s "$scratch/screens/summary.png" ]; then
    fail "the installed quorvane did not walk through the installed examples: $output"
  fi
fi

# The Nile demo from the installed examples, as the manual page says: the
# examples copied into a folder of one's own, with a build folder beside.
work=$scratch/work
mkdir -p "$work/build"
cp -r "$usr/share/quorvane/examples" "$work/"
if (cd "$work" && "$usr/bin/quorvane-console" --quiet --script examples/nile-demo.txt \
      > "$scratch/demo.log" 2>&1); then
  grep -q 'The objective function minimum is' "$work/build/nile-demo.qvo" 2>/dev/null ||
    fail "the Nile demo wrote no results summary"
else
  cat "$scratch/demo.log"
  fail "the installed quorvane-console did not finish the Nile demo"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures problems in the installed tree"
  exit 1
fi
echo "The installed tree is complete and works."
