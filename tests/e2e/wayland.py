"""A headless wlroots compositor (sway) for end-to-end tests, run as an
ordinary user (sway refuses root; root's clients may still connect), with
the program's clients pointed at it."""
import contextlib
import os
import shutil
import subprocess
import tempfile
import time
import unittest

CONFIG = """output HEADLESS-1 resolution 1280x800
default_border none
focus_follows_mouse no
"""


def _as_user():
    """The command prefix that drops root to nobody; empty for anyone else."""
    if os.getuid() != 0:
        return []
    return ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]


def _wait_until_ready(compositor, log, ready, name):
    """Waits until ready() holds; skips the test when the compositor ends
    or does not get there in time."""
    deadline = time.monotonic() + 20
    while not ready():
        if compositor.poll() is not None or time.monotonic() > deadline:
            with open(log.name, errors="replace") as written:
                raise unittest.SkipTest("%s did not start: %s" % (name, written.read()[-1500:]))
        time.sleep(0.1)


def _stop(compositor, log, folder):
    compositor.terminate()
    try:
        compositor.wait(timeout=10)
    except subprocess.TimeoutExpired:
        compositor.kill()
        compositor.wait()
    log.close()
    shutil.rmtree(folder, ignore_errors=True)


@contextlib.contextmanager
def sway():
    """Yields the environment for clients of a fresh headless sway; skips the
    test where sway or its tools are not installed."""
    for tool in ("sway", "swaymsg", "wl-copy", "foot", "setpriv"):
        if not shutil.which(tool):
            raise unittest.SkipTest("missing %s: the Wayland test needs sway, wl-clipboard and foot" % tool)
    home = tempfile.mkdtemp(prefix="velmora-sway-")
    os.chmod(home, 0o755)
    runtime = os.path.join(home, "runtime")
    clients = os.path.join(home, "clients")
    os.mkdir(runtime, 0o700)
    os.mkdir(clients, 0o700)
    if os.getuid() == 0:
        shutil.chown(runtime, "nobody", "nogroup")
    config = os.path.join(home, "config")
    with open(config, "w") as out:
        out.write(CONFIG)
    os.chmod(config, 0o644)
    log = open(os.path.join(home, "sway.log"), "wb")
    compositor = subprocess.Popen(
        _as_user() + ["env", "-i", "HOME=" + home, "XDG_RUNTIME_DIR=" + runtime, "WLR_BACKENDS=headless",
                      "WLR_LIBINPUT_NO_DEVICES=1", "WLR_RENDERER=pixman", "PATH=/usr/bin:/bin", "sway", "-c", config],
        stdout=log, stderr=subprocess.STDOUT)
    try:
        socket = os.path.join(runtime, "wayland-1")

        def ipc():
            return [f for f in os.listdir(runtime) if f.startswith("sway-ipc")]

        _wait_until_ready(compositor, log, lambda: os.path.exists(socket) and ipc(), "sway")
        yield dict(os.environ, WAYLAND_DISPLAY=socket, XDG_RUNTIME_DIR=clients,
                   SWAYSOCK=os.path.join(runtime, ipc()[0]), QT_QPA_PLATFORM="wayland")
    finally:
        _stop(compositor, log, home)


@contextlib.contextmanager
def weston():
    """Yields the environment for clients of weston, drawn in the test's X
    server: a compositor with a seat and a clipboard but no data-control
    protocol and no primary selection, as GNOME's is for this purpose."""
    if not shutil.which("weston") or not shutil.which("wl-copy"):
        raise unittest.SkipTest("missing weston or wl-copy")
    runtime = tempfile.mkdtemp(prefix="velmora-weston-")
    os.chmod(runtime, 0o700)
    log = open(os.path.join(runtime, "weston.log"), "wb")
    compositor = subprocess.Popen(["weston", "--backend=x11-backend.so", "--socket=wayland-velmora", "--width=1100",
                                   "--height=760", "--idle-time=0"], env=dict(os.environ, XDG_RUNTIME_DIR=runtime),
                                  stdout=log, stderr=subprocess.STDOUT)
    try:
        socket = os.path.join(runtime, "wayland-velmora")
        _wait_until_ready(compositor, log, lambda: os.path.exists(socket), "weston")
        yield dict(os.environ, WAYLAND_DISPLAY="wayland-velmora", XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="wayland")
    finally:
        _stop(compositor, log, runtime)


def focused_app(env):
    """The app_id of the window sway has focused; None when none is."""
    import json
    tree = json.loads(subprocess.run(["swaymsg", "-t", "get_tree"], env=env, capture_output=True, text=True,
                                     timeout=10).stdout)
    stack = [tree]
    while stack:
        node = stack.pop()
        if node.get("focused") and node.get("type") == "con":
            return node.get("app_id")
        stack.extend(node.get("nodes", []) + node.get("floating_nodes", []))
    return None
