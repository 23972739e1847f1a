#!/usr/bin/env bash
# The Debian package as people meet it: installed with apt-get (which pulls
# its dependencies), started by an ordinary user under Xvfb, the user's name
# changed in the settings. The user's ~/.config/velmora/config.dll holds it
# and the installed config.dll is unchanged; removing the package leaves
# none of its files, and the user's own files stay.
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
if [ -n "$SUDO" ] && ! sudo -n true 2>/dev/null; then echo "package test: needs root or sudo, skipped"; exit 0; fi
deb=$(ls build/velmora_*_amd64.deb)
fail() { echo "package test: $*" >&2; exit 1; }

DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "./$deb" >/dev/null
command -v velmora >/dev/null || fail "no velmora on the PATH"
velmora --version | grep -q "^Velmora " || fail "velmora --version"
installed=$(md5sum /usr/lib/velmora/config.dll)

user=velmora-tester
id "$user" >/dev/null 2>&1 || $SUDO useradd --create-home "$user"
home=$(getent passwd "$user" | cut -d: -f6)
$SUDO rm -rf "$home/.config/velmora" "$home/.local/share/velmora"
# The end-to-end harness, where the user may read it.
harness=$(mktemp -d /tmp/velmora-package-XXXXXX)
cp tests/e2e/*.py tests/e2e/*.sh "$harness/"
chmod -R a+rX "$harness"
$SUDO runuser -u "$user" -- env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 \
  bash "$harness/run.sh" "$harness/test_package.py" || fail "the program as $user"

$SUDO grep -q "UserName=Package Tester" "$home/.config/velmora/config.dll" || fail "the user's config.dll lacks the name"
[ "$(md5sum /usr/lib/velmora/config.dll)" = "$installed" ] || fail "the installed config.dll changed"

files=$(dpkg -L velmora)
DEBIAN_FRONTEND=noninteractive $SUDO apt-get purge -y -qq velmora >/dev/null
for path in $files; do
  if [ -f "$path" ] || [ -L "$path" ]; then fail "left behind: $path"; fi
done
[ -d /usr/lib/velmora ] && fail "left behind: /usr/lib/velmora"
$SUDO test -f "$home/.config/velmora/config.dll" || fail "the user's settings went with the package"
rm -rf "$harness"
echo "package test: passed"
