"""End to end: the card of a character. Show 画龙点睛, open the card of its
first character with a click on it, go to 睛 with the arrow keys: the card
names 睛 with its stroke count, writes its strokes, lists the idioms holding
it with 画龙点睛 among them, and a click on one shows that idiom."""
import os
import sys
import time
import unittest

import pyatspi

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
from test_favourites import focus_window  # noqa: E402

STAGED = os.environ.get("VELMORA_STAGED", "")


class Characters(unittest.TestCase):
    def test_the_card_of_a_character(self):
        if not os.path.exists(os.path.join(STAGED, "Data", "strokes.dat")):
            self.skipTest("no stroke file staged")
        folder = desktop.make_installation(STAGED)
        with desktop.running(folder, "characters") as (app, frame):
            idiom = desktop.show_idiom(frame, focus_window, "hualongdianjing", "画龙点睛")
            ruby = desktop.find(frame, name="Idiom with its reading")
            box = ruby.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            desktop.subprocess.run(["xdotool", "mousemove", str(box.x + 14), str(box.y + box.height // 2),
                                    "click", "1"], check=True)
            card = desktop.wait_for(lambda: desktop.window(app, name="Character 画"), what="the card of 画")
            for _ in range(3):
                desktop.key("Right")
                time.sleep(0.3)
            desktop.wait_for(lambda: card.name == "Character 睛", what="the card of 睛")
            count = desktop.wait_for(lambda: desktop.find_where(card, lambda a: a.name.endswith(" strokes")),
                                     what="the stroke count")
            self.assertEqual(count.name, "13 strokes")
            strokes = desktop.find(card, name="Stroke order")
            desktop.wait_for(lambda: strokes.description.startswith("13 of 13"), timeout=20,
                             what="every stroke written")
            listed = desktop.find(card, name="Idioms with this character")
            names = [listed.getChildAtIndex(i).name for i in range(listed.childCount)]
            self.assertIn("画龙点睛", names)
            other = next(name for name in names if name and name != "画龙点睛")
            desktop.click(next(listed.getChildAtIndex(i) for i in range(listed.childCount)
                               if listed.getChildAtIndex(i).name == other))
            desktop.wait_for(lambda: desktop.text_of(idiom) == other, what=other + " shown")


if __name__ == "__main__":
    unittest.main()
