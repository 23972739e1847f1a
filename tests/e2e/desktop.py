"""Driving the real Velmora window: start it from an installation folder,
find its controls on the accessibility bus, click and type with xdotool."""
import atexit
import contextlib
import os
import shutil
import subprocess
import tempfile
import time

import pyatspi


_copies = []
atexit.register(lambda: [shutil.rmtree(folder, ignore_errors=True) for folder in _copies])


# The display the program is started on: the test's X server, or (set by a
# Wayland test, with WAYLAND_DISPLAY) a compositor.
PLATFORM = "xcb"


def make_installation(staged, config=None):
    """A private copy of the staged installation folder, with its own config;
    removed when the test process ends."""
    folder = tempfile.mkdtemp(prefix="velmora-e2e-")
    _copies.append(folder)
    target = os.path.join(folder, "velmora")
    shutil.copytree(staged, target)
    if config is not None:
        path = os.path.join(target, "config.dll")
        if config is False:
            os.remove(path)
        else:
            with open(path, "w", encoding="utf-8") as out:
                out.write(config)
    return target


def start(installation, own_user_folders=True):
    """Starts the program; what it writes goes to velmora.log beside it (or,
    for an installation the user may not write, in the temporary folder).
    With own_user_folders the program's per-user files belong to the
    installation's copy, so a restart finds what the run before it kept;
    without, they go to the user's home as they would for a person."""
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM=PLATFORM,
               XDG_CURRENT_DESKTOP=os.environ.get("XDG_CURRENT_DESKTOP", ""))
    if own_user_folders:
        user = os.path.join(os.path.dirname(installation), "user")
        env.update(XDG_CONFIG_HOME=os.path.join(user, "config"), XDG_DATA_HOME=os.path.join(user, "data"))
    log = open(log_path(installation), "ab")
    return subprocess.Popen([os.path.join(installation, "velmora")], env=env,
                            stdout=log, stderr=subprocess.STDOUT)


def log_path(installation):
    if os.access(installation, os.W_OK):
        return os.path.join(installation, "velmora.log")
    return os.path.join(tempfile.gettempdir(), "velmora-%d.log" % os.getuid())


def print_log(installation):
    path = log_path(installation)
    if os.path.exists(path):
        with open(path, encoding="utf-8", errors="replace") as log:
            print("the program wrote:\n" + log.read()[-4000:])


def launch(installation, window_name="Velmora 1.0 Beta", attempts=2, own_user_folders=True):
    """Starts the program and waits until its main window is on the
    accessibility bus. A start that never shows up there (the bus's registry
    was not ready for it, or the display under load) is tried once more,
    with what the program wrote printed."""
    for attempt in range(attempts):
        process = start(installation, own_user_folders)
        try:
            app = wait_for(application, timeout=30.0, what="the program on the accessibility bus")
            frame = wait_for(lambda: find(app, name=window_name, role=pyatspi.ROLE_FRAME), timeout=30.0,
                             what="the main window")
            return process, app, frame
        except AssertionError as failure:
            status = process.poll()
            diagnose("launch-%d" % attempt)
            print_log(installation)
            process.kill()
            process.wait()
            if attempt == attempts - 1:
                raise AssertionError("%s (the program's exit status: %s)" % (failure, status))


@contextlib.contextmanager
def running(installation, name, **launch_options):
    """The program, started for one part of a test, as (app, frame). A check
    that fails inside leaves a screenshot, the accessibility tree and the
    program's output under NAME; the program ends either way."""
    process, app, frame = launch(installation, **launch_options)
    try:
        yield app, frame
    except AssertionError:
        diagnose(name)
        print_log(installation)
        raise
    finally:
        process.kill()
        process.wait()


def diagnose(name):
    """Leaves a screenshot and the accessibility tree for a failed wait."""
    folder = os.environ.get("VELMORA_SHOTS") or tempfile.gettempdir()
    path = os.path.join(folder, "velmora-e2e-%s.png" % name)
    screenshot(path)
    print("screenshot:", path)
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None:
            print("on the bus:", app.name, [app.getChildAtIndex(j).name for j in range(app.childCount)
                                            if app.getChildAtIndex(j) is not None])


def wait_for(find, timeout=15.0, what="something"):
    deadline = time.time() + timeout
    while time.time() < deadline:
        try:
            found = find()
        except Exception:  # the bus may answer half-built trees while windows appear
            found = None
        if found:
            return found
        time.sleep(0.2)
    raise AssertionError("timed out waiting for " + what)


def application(name="velmora"):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == name:
            return app
    return None


def window(app, name=None, role=None):
    """A top-level window of the program: cheaper to find than a search
    through every control of every window."""
    for i in range(app.childCount):
        child = app.getChildAtIndex(i)
        if child is not None and (name is None or child.name == name) and (role is None or child.getRole() == role):
            return child
    return None


# A list with more children than this is not entered by a search that
# starts above it: the idiom list's every cell is an object on the bus, and
# a walk through them takes a minute. A search for a row starts at its list.
LARGE_LIST = 300


def find_where(root, predicate):
    """The first control under root, depth first, for which predicate
    holds; large lists below root are named but not entered."""
    if root is None:
        return None
    stack = [root.getChildAtIndex(i) for i in reversed(range(root.childCount))]
    while stack:
        acc = stack.pop()
        if acc is None:
            continue
        if predicate(acc):
            return acc
        count = acc.childCount
        if count <= LARGE_LIST:
            stack.extend(acc.getChildAtIndex(i) for i in reversed(range(count)))
    return None


def find(root, name=None, role=None, description=None):
    def matches(acc):
        return ((name is None or acc.name == name) and (role is None or acc.getRole() == role)
                and (description is None or acc.description == description))
    return find_where(root, matches)


def showing(acc):
    return acc is not None and acc.getState().contains(pyatspi.STATE_SHOWING)


def text_of(acc):
    try:
        return acc.queryText().getText(0, -1)
    except NotImplementedError:
        return acc.name


def click(acc, double=False):
    ext = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x, y = ext.x + ext.width // 2, ext.y + ext.height // 2
    subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True)
    time.sleep(0.1)
    args = ["xdotool", "click", "--repeat", "2", "--delay", "80", "1"] if double else ["xdotool", "click", "1"]
    subprocess.run(args, check=True)
    time.sleep(0.2)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "100", text], check=True)


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)


def close_window(title):
    """Closes the visible window of that title as a window manager does when
    the user closes it: a WM_DELETE_WINDOW message (Qt ignores SIGTERM, so
    nothing saved at close would be saved)."""
    import ctypes
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title],
                           capture_output=True, text=True).stdout.split()
    if not found:
        raise AssertionError("no window named " + title)
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]

    display = x11.XOpenDisplay(None)
    try:
        for window in found:
            event = ClientMessage(type=33, send_event=1, window=int(window), format=32,
                                  message_type=x11.XInternAtom(display, b"WM_PROTOCOLS", 0))
            event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
            x11.XSendEvent(display, int(window), 0, 0, ctypes.byref(event))
        x11.XFlush(display)
    finally:
        x11.XCloseDisplay(display)


def screenshot(path):
    subprocess.run(["import", "-window", "root", path], check=False)


def study_prompt(root, after=None):
    """The Study question's prompt (or, once revealed, its answer): a label
    whose name is its text, so a screen reader reads it; after skips one."""
    return find_where(
        root, lambda acc: acc.getRole() == pyatspi.ROLE_LABEL and acc.name and acc.name == acc.description
        and acc != after and showing(acc))


def show_idiom(frame, focus, search, expected):
    """Types the search into the search box as a person does and waits for
    the idiom it finds in the idiom box; Escape then leaves the box. focus
    puts the window in front first (test_favourites.focus_window). Gives
    the idiom box."""
    idiom = wait_for(lambda: find(frame, name="Idiom"), what="the idiom box")
    wait_for(lambda: text_of(idiom), what="the first idiom")
    focus(frame)
    key("ctrl+l")
    type_text(search)
    wait_for(lambda: text_of(idiom) == expected, what=expected + " in the idiom box")
    key("Escape")
    return idiom
