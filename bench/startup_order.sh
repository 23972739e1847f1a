#!/usr/bin/env bash
# Writes src/app/startup.order: the functions the program runs from its start
# until the first idiom is shown and the window is idle, which the link lays
# out together (src/CMakeLists.txt). Run it after changing what the start
# does; a function it misses still works, only its page is read apart.
#
#   bench/startup_order.sh [STAGED_FOLDER]    (default build/velmora)
# Needs valgrind and Xvfb.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
staged=$(cd "${1:-$here/../build/velmora}" && pwd)
order=$here/../src/app/startup.order
work=$(mktemp -d)
xvfb="" program=""
trap '[ -n "$program" ] && kill -9 $program 2>/dev/null; [ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT

n=140; while [ -e /tmp/.X$n-lock ]; do n=$((n+1)); done
Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
until DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; do sleep 0.1; done

DISPLAY=":$n" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data \
  QT_LOGGING_RULES="velmora.startup.info=true" \
  valgrind --tool=callgrind --demangle=no --callgrind-out-file="$work/calls" "$staged/velmora" \
  >"$work/log" 2>&1 & program=$!
# Under valgrind the start takes a minute or so.
for _ in $(seq 1200); do
  grep -q "velmora-startup first-idiom-shown" "$work/log" && break
  kill -0 $program 2>/dev/null || { cat "$work/log"; exit 1; }
  sleep 0.5
done
grep -q "velmora-startup first-idiom-shown" "$work/log" || { echo "the first idiom never showed"; exit 1; }
# Then until the window is idle, as the memory is measured: the search's
# index is still being built behind the shown idiom.
cpu() { awk '{print $14 + $15}' "/proc/$program/stat"; }
before=$(cpu)
for _ in $(seq 150); do
  sleep 2
  now=$(cpu)
  [ $((now - before)) -lt 20 ] && break
  before=$now
done
callgrind_control --dump "$program" >/dev/null 2>&1
until ls "$work"/calls.* >/dev/null 2>&1; do sleep 0.5; done

{
  sed -n '1,/^$/p' "$order" 2>/dev/null | grep '^#' || true
  python3 "$here/startup_order.py" "$staged/velmora" "$work"/calls.*
} >"$work/order"
mv "$work/order" "$order"
echo "$(grep -vc '^#' "$order") sections in $order"
