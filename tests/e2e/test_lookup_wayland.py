"""End to end under Wayland compositors: under headless sway (data-control),
with another program focused, `velmora --selection` reads the primary
selection itself and the running window looks it up; with nothing to read
the user is told so. Under weston (no data-control, no primary selection)
a window of a moment takes focus and reads the clipboard."""
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
import wayland  # noqa: E402

STAGED = os.environ.get("VELMORA_STAGED", "")


def _installation_on(env, config=None):
    """A copy of the staged program, started on the compositor of env; env
    gets the copy's own user folders for the starts a test makes itself."""
    os.environ.update(WAYLAND_DISPLAY=env["WAYLAND_DISPLAY"], XDG_RUNTIME_DIR=env["XDG_RUNTIME_DIR"])
    desktop.PLATFORM = "wayland"
    folder = desktop.make_installation(STAGED, config=config)
    user = os.path.join(os.path.dirname(folder), "user")
    env.update(XDG_CONFIG_HOME=os.path.join(user, "config"), XDG_DATA_HOME=os.path.join(user, "data"))
    return folder


def _first_idiom_shown(frame):
    """The idiom box, once the start has shown an idiom in it."""
    idiom = desktop.wait_for(lambda: desktop.find(frame, name="Idiom"), what="the idiom box")
    desktop.wait_for(lambda: desktop.text_of(idiom), what="the first idiom")
    return idiom


def _look_up_selection(folder, env, app):
    """`velmora --selection` as a desktop shortcut runs it; the lookup window
    it opens in the running program."""
    subprocess.run([os.path.join(folder, "velmora"), "--selection"], env=env, check=True, timeout=15)
    return desktop.wait_for(lambda: desktop.window(app, name="Velmora lookup"), what="the lookup window")


class LookupOnWayland(unittest.TestCase):
    def test_selection_of_another_program_is_looked_up(self):
        with wayland.sway() as env:
            folder = _installation_on(env)
            with desktop.running(folder, "lookup-wayland") as (app, frame):
                idiom = _first_idiom_shown(frame)
                # Another program in front, and a selection it does not own
                # the window's focus for.
                terminal = subprocess.Popen(["foot", "-e", "sleep", "300"], env=env, stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL)
                try:
                    desktop.wait_for(lambda: wayland.focused_app(env) == "foot", what="the terminal focused")
                    subprocess.run(["wl-copy", "--primary", "这幅画画龙点睛"], env=env, check=True, timeout=10)
                    lookup = _look_up_selection(folder, env, app)
                    desktop.wait_for(lambda: desktop.find(lookup, name="画龙点睛"), what="画龙点睛 looked up")
                    opened = desktop.wait_for(lambda: desktop.find(lookup, name="Open in Velmora"),
                                              what="its Open button")
                    opened.queryAction().doAction(0)
                    desktop.wait_for(lambda: desktop.text_of(idiom) == "画龙点睛", what="画龙点睛 in the window")

                    # Nothing to read: a message, never silence.
                    subprocess.run(["wl-copy", "--primary", "--clear"], env=env, check=True, timeout=10)
                    subprocess.run(["wl-copy", "--clear"], env=env, check=True, timeout=10)
                    subprocess.run([os.path.join(folder, "velmora"), "--selection"], env=env, check=True, timeout=15)
                    desktop.wait_for(lambda: _message(app), what="the message that nothing could be read")
                finally:
                    terminal.kill()
                    terminal.wait()

    def test_copied_and_selected_text_are_watched_through_data_control(self):
        """With the watches on, a copy and a selection in another program
        open the lookup window, though Velmora has no focus."""
        with open(os.path.join(STAGED, "config.dll"), encoding="utf-8") as staged:
            config = staged.read() + "\n[lookup]\nWatchClipboard=1\nWatchSelection=1\nPopup=1\n"
        with wayland.sway() as env:
            folder = _installation_on(env, config)
            with desktop.running(folder, "lookup-wayland-watch") as (app, frame):
                _first_idiom_shown(frame)
                terminal = subprocess.Popen(["foot", "-e", "sleep", "300"], env=env, stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL)
                try:
                    desktop.wait_for(lambda: wayland.focused_app(env) == "foot", what="the terminal focused")
                    subprocess.run(["wl-copy", "他这是刻舟求剑吧"], env=env, check=True, timeout=10)
                    lookup = desktop.wait_for(lambda: desktop.window(app, name="Velmora lookup"),
                                              what="the lookup window for the copy")
                    desktop.wait_for(lambda: desktop.find(lookup, name="刻舟求剑"), what="刻舟求剑 from the copy")
                    subprocess.run(["wl-copy", "--primary", "这幅画画龙点睛"], env=env, check=True, timeout=10)
                    desktop.wait_for(lambda: desktop.find(lookup, name="画龙点睛"), what="画龙点睛 from the selection")
                finally:
                    terminal.kill()
                    terminal.wait()

    def test_without_data_control_a_moments_window_reads_the_clipboard(self):
        with wayland.weston() as env:
            folder = _installation_on(env)
            with desktop.running(folder, "lookup-weston") as (app, frame):
                idiom = _first_idiom_shown(frame)
                # wl-copy owns the clipboard (it took focus for a moment to set it).
                subprocess.run(["wl-copy", "这幅画画龙点睛"], env=env, check=True, timeout=10)
                lookup = _look_up_selection(folder, env, app)
                desktop.wait_for(lambda: desktop.find(lookup, name="画龙点睛"), what="画龙点睛 from the clipboard")


def _message(app):
    """The lookup window's message, when it shows one."""
    import pyatspi
    lookup = desktop.window(app, name="Velmora lookup")
    return lookup is not None and desktop.showing(lookup) and desktop.find_where(
        lookup, lambda acc: "Ctrl+C" in (acc.name or "") and desktop.showing(acc)) is not None


if __name__ == "__main__":
    unittest.main()
