#!/bin/sh
# Pictures of the station's windows under Xvfb, into docs/screenshots/.
#   docs/take-screenshots.sh [BUILD]      (BUILD: the build directory, default build)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
out="$here/docs/screenshots"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
cp "$here/mibs/demo.out" "$work/Mibi.out"
cp "$here/mibs/TreeCfg.ini" "$work/TreeCfg.ini"
cd "$work"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/ui/quorvan-screenshots" "$out" | grep -E '^(saved|FAILED) '
