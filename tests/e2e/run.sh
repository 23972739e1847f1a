#!/usr/bin/env bash
# Runs an end-to-end test against the staged program on a private X server
# with its own session bus and accessibility bus. Exit 77 (skipped) when the
# desktop tools are not installed.
set -u
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdpyinfo xdotool dbus-run-session import xclip gdbus; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "missing at-spi-bus-launcher"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "missing pyatspi"; exit 77; }

display=""
for n in $(seq 91 160); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free display"; exit 1; }
# VELMORA_SCREEN sets the screen (default 1024x768x24).
Xvfb "$display" -screen 0 "${VELMORA_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
# Under load the server may take a while; the test cannot start without it.
for _ in $(seq 200); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
DISPLAY=$display xdpyinfo >/dev/null 2>&1 || { echo "Xvfb on $display did not start"; exit 1; }
export DISPLAY=$display
dbus-run-session -- bash "$here/in_session.sh" "$@"
