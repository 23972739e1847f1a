#!/usr/bin/env bash
# The folders of src/ from the bottom layer up. A file may include its own
# folder and the folders below it, never one above it; so the arrows of the
# include graph run one way, from the windows down to data and logic.
#   layering_test.sh SRC_DIR
set -euo pipefail
src=$1
# Folders on the same level may not include each other either.
level() {
  case $1 in
    config) echo 0 ;; lang) echo 1 ;; data) echo 2 ;;
    dictionary|layout) echo 3 ;;
    practice|reading|editions) echo 4 ;;
    platform) echo 5 ;; dialogs) echo 6 ;; mainwindow) echo 7 ;; app) echo 8 ;;
    *) echo -1 ;;
  esac
}
status=0
for folder in "$src"/*/; do
  from=$(basename "$folder")
  from_level=$(level "$from")
  if [ "$from_level" -lt 0 ]; then echo "unknown folder src/$from: give it a layer"; status=1; continue; fi
  while IFS=: read -r file _ include; do
    to=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$include")
    [ "$to" = "$from" ] && continue
    to_level=$(level "$to")
    if [ "$to_level" -lt 0 ] || [ "$to_level" -ge "$from_level" ]; then
      echo "${file#"$src"/} includes $to/ (layer $to_level), which is not below $from/ (layer $from_level)"
      status=1
    fi
  done < <(grep -rnE '#include "[a-z]+/' "$folder" || true)
done
# The window's features are wings of it (src/mainwindow/WING/): a wing
# includes its own files and the frame's shared ones, never another wing's;
# only the frame at the top of mainwindow/ wires the wings together.
for wing in "$src"/mainwindow/*/; do
  name=$(basename "$wing")
  while IFS=: read -r file _ include; do
    other=$(sed -E 's/.*#include "mainwindow\/([a-z]+)\/.*/\1/' <<<"$include")
    if [ "$other" != "$name" ]; then
      echo "${file#"$src"/} includes the $other wing: wings reach each other only through the frame"
      status=1
    fi
  done < <(grep -rnE '#include "mainwindow/[a-z]+/' "$wing" || true)
done
# Only the data layer and the editions speak SQL.
if grep -rlE '"(SELECT|INSERT|UPDATE|DELETE|CREATE|PRAGMA|DROP) ' "$src" --include=*.cpp --include=*.h |
   grep -vE "^$src/(data|editions)/"; then
  echo "SQL outside src/data/ and src/editions/"
  status=1
fi
# The layers without windows include no header of Qt Widgets.
widgets=$(find /usr/include -type d -path '*qt6/QtWidgets' 2>/dev/null | head -n 1)
if [ -n "$widgets" ]; then
  for folder in config lang data dictionary practice layout reading editions; do
    [ -d "$src/$folder" ] || continue
    while IFS=: read -r file _ header; do
      name=$(sed -E 's/.*#include <([A-Za-z/]+)>.*/\1/' <<<"$header")
      if [ -e "$widgets/${name#QtWidgets/}" ]; then
        echo "${file#"$src"/} includes <$name>, a window header, in a layer without windows"
        status=1
      fi
    done < <(grep -rnE '#include <Q' "$src/$folder" || true)
  done
fi
exit $status
