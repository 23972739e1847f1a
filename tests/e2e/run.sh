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

# A display of its own: the first free number whose server comes up (one
# that a test before it is still letting go of may refuse the number).
xvfb=""
trap '[ -n "$xvfb" ] && kill $xvfb 2>/dev/null && wait $xvfb 2>/dev/null' EXIT
for n in $(seq 91 160); do
  if [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; then continue; fi
  # VELMORA_SCREEN sets the screen (default 1024x768x24).
  Xvfb ":$n" -screen 0 "${VELMORA_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  # Under load the server may take a while; the test cannot start without it.
  for _ in $(seq 200); do
    DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break
    kill -0 $xvfb 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 $xvfb 2>/dev/null && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then display=":$n"; break; fi
  kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; xvfb=""
done
[ -n "${display:-}" ] || { echo "no X server could be started"; exit 1; }
export DISPLAY=$display
dbus-run-session -- bash "$here/in_session.sh" "$@"
