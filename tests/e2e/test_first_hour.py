"""End to end, as a newcomer uses the window in the first hour, on a
1920x1080 screen: the pane shows what the key asked for, history keeps what
was chosen, "Up:" names the idiom shown before, speaking leaves the window
answering, the match list goes with its box, a favourite is one in both
scripts, and the first start fills a large screen sensibly."""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import pyatspi

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402

STAGED = os.environ.get("VELMORA_STAGED", "")


def slowly(text):
    """Typed at a learner's pace, a key every quarter of a second."""
    subprocess.run(["xdotool", "type", "--delay", "250", text], check=True)


def start_sound_sink():
    """A PulseAudio server with a null sink that plays in real time, so that
    speech takes as long as it does for a person; None without PulseAudio."""
    if not shutil.which("pulseaudio"):
        return None
    runtime = tempfile.mkdtemp(prefix="velmora-pulse-")
    os.environ["XDG_RUNTIME_DIR"] = runtime
    subprocess.run(["pulseaudio", "--daemonize=yes", "--exit-idle-time=-1", "-n",
                    "--load=module-null-sink sink_name=null", "--load=module-native-protocol-unix"],
                   check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(50):
        if subprocess.run(["pactl", "info"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0:
            return runtime
        time.sleep(0.1)
    return None


class FirstHour(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.sink = start_sound_sink()
        cls.folder = desktop.make_installation(STAGED)

    @classmethod
    def tearDownClass(cls):
        if cls.sink:
            subprocess.run(["pulseaudio", "--kill"], check=False, stderr=subprocess.DEVNULL)

    def control(self, frame, name, **kw):
        return desktop.wait_for(lambda: desktop.find(frame, name=name, **kw), what=name)

    def type_into_search(self, frame, key):
        search = self.control(frame, "Search")
        desktop.click(search)
        desktop.key("ctrl+a")
        desktop.key("BackSpace")
        slowly(key)
        if desktop.text_of(search) != key:  # a key dropped under load
            search.queryEditableText().setTextContents(key)
        return search

    def history(self, frame):
        desktop.key("ctrl+3")
        tab = desktop.wait_for(lambda: desktop.find_where(
            frame, lambda acc: acc.name == "History" and acc.getRole() != pyatspi.ROLE_TREE and desktop.showing(acc)),
            what="the History tab")
        desktop.click(tab)
        lists = desktop.wait_for(lambda: [acc for acc in [desktop.find(frame, name="History", role=pyatspi.ROLE_TREE)]
                                          if desktop.showing(acc)], what="the history list")
        rows = [lists[0].getChildAtIndex(i).name for i in range(lists[0].childCount)]
        desktop.key("ctrl+1")
        return [name for name in rows if name and not name[0].isdigit()]

    def test_1_a_newcomers_session(self):
        with desktop.running(self.folder, "first-hour") as (app, frame):
            idiom = self.control(frame, "Idiom")
            first = desktop.wait_for(lambda: desktop.text_of(idiom), what="the first idiom")
            screen = pyatspi.Registry.getDesktop(0).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            size = frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            if screen.height >= 1000:
                self.assertGreater(size.height, screen.height * 0.55, "the first start uses a large screen")
                self.assertLess(size.height, screen.height * 0.8)

            # The pane shows what the key asked for.
            for key, expected in [("finishing touch", {"点睛之笔", "画龙点睛"}), ("hua4long2dian3jing1", {"画龙点睛"}),
                                  ("longdian", {"画龙点睛"})]:
                self.type_into_search(frame, key)
                desktop.wait_for(lambda: desktop.text_of(idiom) in expected, what="%s for %s" % (expected, key))
            # Typing showed the search box's clear button, whose picture is
            # the program's own: no image plugin was loaded for it.
            with open("/proc/%d/maps" % app.get_process_id()) as maps:
                self.assertFalse("imageformats/libqjpeg" in maps.read(), "an image plugin was loaded")
            search = self.control(frame, "Search")
            search.queryEditableText().setTextContents("画*睛")
            desktop.wait_for(lambda: desktop.text_of(idiom) == "画龙点睛", what="画龙点睛 for 画*睛")

            # Typed slowly and chosen with Enter: one history entry, and Up:
            # names the idiom shown before, not the one chosen.
            self.type_into_search(frame, "wxcd")
            matches = desktop.wait_for(lambda: desktop.showing(desktop.find(frame, name="Matches"))
                                       and desktop.find(frame, name="Matches"), what="the match list of wxcd")
            # The list's cells, row by row after the header's: the first idiom is the best match.
            chosen = desktop.wait_for(lambda: next((matches.getChildAtIndex(i).name for i in range(matches.childCount)
                                                    if "\u4e00" <= matches.getChildAtIndex(i).name[:1] <= "\u9fff"),
                                                   None), what="the best match of wxcd")
            desktop.key("Return")
            desktop.wait_for(lambda: desktop.text_of(idiom) == chosen,
                             what="the chosen idiom on display: %s, shown %s" % (chosen, desktop.text_of(idiom)))
            previous = desktop.find(frame, description="Previous idiom")
            self.assertNotEqual(desktop.text_of(previous), chosen, "Up: names the idiom shown before")
            self.assertEqual(self.history(frame).count(chosen), 1)
            self.assertNotIn(first, self.history(frame), "the start idiom was not chosen")

            # The match list goes when the view changes.
            search = self.type_into_search(frame, "huashe")
            matches = desktop.wait_for(lambda: desktop.showing(desktop.find(frame, name="Matches")) and
                                       desktop.find(frame, name="Matches"), what="the match list")
            desktop.click(self.control(frame, "Index view", role=pyatspi.ROLE_PUSH_BUTTON))
            desktop.wait_for(lambda: not desktop.showing(matches), timeout=3, what="the match list closed")
            desktop.key("ctrl+1")

            # Speaking: the window answers at once, press after press.
            speak = self.control(frame, "Speak", role=pyatspi.ROLE_PUSH_BUTTON)
            for _ in range(5):
                desktop.click(speak)
                started = time.time()
                desktop.text_of(idiom)
                self.assertLess(time.time() - started, 0.3, "the window answers while speaking")
            if self.sink:
                streams = subprocess.run(["pactl", "list", "short", "sink-inputs"], capture_output=True, text=True)
                self.assertTrue(streams.stdout.strip(), "speech plays into the sound server")

            # A favourite in the simplified edition.
            search.queryEditableText().setTextContents("画龙点睛")
            desktop.wait_for(lambda: desktop.text_of(idiom) == "画龙点睛", what="画龙点睛")
            desktop.key("Escape")
            desktop.key("ctrl+d")
            star = self.control(frame, "Favourite")
            desktop.wait_for(lambda: star.getState().contains(pyatspi.STATE_CHECKED), what="the star checked")

        # The same favourite in the traditional edition.
        config = os.path.join(self.folder, "config.dll")
        with open(config, encoding="utf-8", errors="replace") as file:
            text = file.read()
        with open(config, "w", encoding="utf-8") as file:
            file.write(text.replace("DataLanguage=GB", "DataLanguage=BIG5"))
        with desktop.running(self.folder, "first-hour-big5") as (app, frame):
            ext = frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            subprocess.run(["xdotool", "mousemove", str(ext.x + 4), str(ext.y + 4), "click", "1"], check=True)
            time.sleep(0.2)
            desktop.key("ctrl+3")
            favourites = desktop.wait_for(
                lambda: desktop.showing(desktop.find(frame, name="Favourites", role=pyatspi.ROLE_TREE))
                and desktop.find(frame, name="Favourites", role=pyatspi.ROLE_TREE), what="the favourites list")
            desktop.wait_for(lambda: desktop.find(favourites, name="畫龍點睛"), what="畫龍點睛 among the favourites")


if __name__ == "__main__":
    unittest.main()
