"""End to end: a key typed the moment the window opens searches, Ctrl+D
keeps the idiom as a favourite, and the next start lists it."""
import os
import sys
import time
import unittest

import pyatspi

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402

STAGED = os.environ.get("VELMORA_STAGED", "")


def focus_window(frame):
    """Gives the window the X focus without moving Qt's: a click on the
    banner's background, which takes no focus itself."""
    ext = frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    desktop.subprocess.run(["xdotool", "mousemove", str(ext.x + 4), str(ext.y + 4), "click", "1"], check=True)
    time.sleep(0.2)


class Favourites(unittest.TestCase):
    def test_a_favourite_survives_a_restart(self):
        folder = desktop.make_installation(STAGED)
        with desktop.running(folder, "favourites-1") as (app, frame):
            idiom = desktop.wait_for(lambda: desktop.find(frame, name="Idiom"), what="the idiom box")
            desktop.wait_for(lambda: desktop.text_of(idiom), what="the first idiom")
            focus_window(frame)
            desktop.type_text("ymdx")
            search = desktop.find(frame, name="Search")
            if desktop.text_of(search) != "ymdx":  # typing under load can drop keys
                desktop.key("ctrl+l")
                desktop.type_text("ymdx")
            desktop.wait_for(lambda: desktop.text_of(idiom) == "一马当先", what="一马当先 in the idiom box")
            desktop.key("Escape")
            desktop.key("ctrl+d")
            star = desktop.find(frame, name="Favourite")
            desktop.wait_for(lambda: star.getState().contains(pyatspi.STATE_CHECKED), what="the star checked")
            # A screen reader presses the star with its Toggle action.
            desktop.key("ctrl+l")
            desktop.type_text("hualongdianjing")
            desktop.wait_for(lambda: desktop.text_of(idiom) == "画龙点睛", what="画龙点睛 in the idiom box")
            action = star.queryAction()
            names = [action.getName(i) for i in range(action.nActions)]
            action.doAction(names.index("Toggle"))
            desktop.wait_for(lambda: star.getState().contains(pyatspi.STATE_CHECKED), what="the star toggled")

        with desktop.running(folder, "favourites-2") as (app, frame):
            focus_window(frame)
            desktop.key("ctrl+3")
            favourites = desktop.wait_for(
                lambda: desktop.showing(desktop.find(frame, name="Favourites", role=pyatspi.ROLE_TREE))
                and desktop.find(frame, name="Favourites", role=pyatspi.ROLE_TREE), what="the favourites list")
            desktop.wait_for(lambda: desktop.find(favourites, name="一马当先"), what="一马当先 among the favourites")
            desktop.wait_for(lambda: desktop.find(favourites, name="画龙点睛"), what="画龙点睛, toggled, kept too")


if __name__ == "__main__":
    unittest.main()
