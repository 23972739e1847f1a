#!/usr/bin/env bash
# Every C++ file of the project in its own style (.clang-format): drift is
# a failure, with the files named. Skipped where clang-format is missing.
set -u
root=$1
command -v clang-format >/dev/null || { echo "missing clang-format"; exit 77; }
cd "$root" || exit 1
drifted=$(find src tests tools bench \( -name '*.cpp' -o -name '*.h' \) -print0 |
          xargs -0 clang-format --dry-run 2>&1 | grep -o '^[^:]*:[0-9]*:[0-9]*: warning' | cut -d: -f1 | sort -u)
if [ -n "$drifted" ]; then
  echo "not in the project's style (clang-format -i them):"
  echo "$drifted"
  exit 1
fi
