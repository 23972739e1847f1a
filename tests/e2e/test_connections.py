"""End to end: 一马当先's related idioms list 先发制人 among the next in a
chain, and a click shows it; then one round of the idiom chain (Ctrl+J) is
played from the keyboard to its end."""
import os
import subprocess
import sys
import time
import unittest

import pyatspi

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
from test_favourites import focus_window  # noqa: E402

STAGED = os.environ.get("VELMORA_STAGED", "")


def items(list_acc):
    """The idioms of a list whose items may carry their reading on a second line."""
    return [list_acc.getChildAtIndex(i).name.split("\n")[0] for i in range(list_acc.childCount)
            if list_acc.getChildAtIndex(i) is not None]


class Connections(unittest.TestCase):
    def test_related_idioms_and_a_round_of_the_chain(self):
        folder = desktop.make_installation(STAGED)
        with desktop.running(folder, "connections") as (app, frame):
            idiom = desktop.wait_for(lambda: desktop.find(frame, name="Idiom"), what="the idiom box")
            desktop.wait_for(lambda: desktop.text_of(idiom), what="the first idiom")
            focus_window(frame)
            desktop.key("ctrl+l")
            desktop.type_text("yimadangxian")
            desktop.wait_for(lambda: desktop.text_of(idiom) == "一马当先", what="一马当先 in the idiom box")
            desktop.key("Escape")

            desktop.click(desktop.find_where(
                frame, lambda acc: acc.name == "Related idioms" and acc.getRole() != pyatspi.ROLE_TREE))
            related = desktop.wait_for(lambda: desktop.showing(desktop.find(frame, name="Related idioms",
                                                                            role=pyatspi.ROLE_TREE))
                                       and desktop.find(frame, name="Related idioms", role=pyatspi.ROLE_TREE),
                                       what="the related idioms")
            successor = desktop.wait_for(lambda: desktop.find(related, name="先发制人"), what="先发制人 among them")
            # The idiom on display stays in sight above its relations, with its reading.
            header = lambda text: desktop.find_where(
                related, lambda acc: acc.getRole() == pyatspi.ROLE_TABLE_COLUMN_HEADER and text in (acc.name or ""))
            self.assertIsNotNone(header("一马当先"), "the idiom above the list")
            self.assertIsNotNone(header("yī mǎ dāng xiān"), "its reading above the list")
            # Each related idiom carries its reading.
            self.assertIsNotNone(desktop.find_where(related, lambda acc: (acc.name or "").startswith("xiān fā zhì rén")),
                                 "先发制人's reading beside it")
            desktop.click(successor)
            desktop.wait_for(lambda: desktop.text_of(idiom) == "先发制人", what="先发制人 shown by its click")

            focus_window(frame)
            desktop.key("ctrl+j")
            panel = desktop.wait_for(lambda: desktop.window(app, name="Idiom chain"), what="the chain panel")
            chain = desktop.wait_for(lambda: desktop.find(panel, name="Chain", role=pyatspi.ROLE_LIST),
                                     what="the chain")
            desktop.wait_for(lambda: items(chain)[:1] == ["先发制人"], what="a round from the idiom shown")
            window_id = subprocess.run(["xdotool", "search", "--name", "Idiom chain"], capture_output=True,
                                       text=True).stdout.split()[0]
            subprocess.run(["xdotool", "windowfocus", window_id], check=True)
            matches = desktop.find(panel, name="Idioms that may follow", role=pyatspi.ROLE_LIST)
            over = lambda: desktop.find_where(panel, lambda acc: "The round is over" in (acc.name or ""))
            for _ in range(40):
                if over():
                    break
                played = len(items(chain))
                # The last character of the chain, typed as a learner would type it.
                desktop.type_text(items(chain)[-1][-1])
                desktop.wait_for(lambda: matches.childCount > 0 or over(), what="idioms that may follow")
                if over():
                    break
                desktop.key("Down")
                desktop.key("Return")
                desktop.wait_for(lambda: len(items(chain)) > played, what="the chain to grow")
            self.assertTrue(over(), "the round ended")
            ending = over().name
            self.assertTrue("you win" in ending or "Velmora wins" in ending, "the winner named: " + ending)
            self.assertGreaterEqual(len(items(chain)), 2)
            if os.environ.get("VELMORA_SHOTS"):
                desktop.screenshot(os.path.join(os.environ["VELMORA_SHOTS"], "chain.png"))


if __name__ == "__main__":
    unittest.main()
