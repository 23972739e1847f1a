#!/usr/bin/env bash
# cmake --install gives a complete installation folder that still starts
# after it has been moved elsewhere.
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/velmora" >/dev/null
for f in velmora config.dll velmora.svg velmora.desktop Lang/default.lng Lang/GB.lng Lang/BIG5.lng Lang/EN.lng \
         Data/Velmdict_cn.dat Data/Velmdict_big5.dat Data/README help/index.html; do
  [ -e "$work/velmora/$f" ] || { echo "missing $f"; exit 1; }
done
[ -d "$work/velmora/Faces" ] && [ -d "$work/velmora/Video" ] || { echo "missing Faces or Video"; exit 1; }
grep -q "^Exec=$work/velmora/velmora$" "$work/velmora/velmora.desktop" || { echo "bad Exec line"; exit 1; }
mv "$work/velmora" "$work/moved"
set +e
QT_QPA_PLATFORM=offscreen timeout 4 "$work/moved/velmora"
status=$?
set -e
# Still running when the time was up: it started and showed its window.
[ $status -eq 124 ] || { echo "the moved installation ended with status $status"; exit 1; }
echo "installed, moved and started"
