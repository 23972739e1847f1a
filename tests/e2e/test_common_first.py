"""End to end on the default edition: what the program offers unasked is led
by common idioms. Study's first new idioms from the dictionary and the
related idioms' sections are among the most frequent of the word list the
installation keeps (Data/words.txt, the jieba counts)."""
import os
import sys
import unittest

import pyatspi

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
from test_favourites import focus_window  # noqa: E402
from test_language_everywhere import shown_named  # noqa: E402

STAGED = os.environ.get("VELMORA_STAGED", "")


def counts(folder):
    """The word list's counts, by word."""
    found = {}
    with open(os.path.join(folder, "Data", "words.txt"), encoding="utf-8") as words:
        for line in words:
            fields = line.split()
            if len(fields) >= 2 and fields[1].isdigit():
                found[fields[0]] = int(fields[1])
    return found


class CommonFirst(unittest.TestCase):
    def test_new_cards_and_related_idioms_are_common(self):
        if not os.path.exists(os.path.join(STAGED, "Data", "words.txt")):
            self.skipTest("an installation without the word list")
        folder = desktop.make_installation(STAGED)
        count = counts(folder)
        with desktop.running(folder, "common-first") as (app, frame):
            idiom = desktop.wait_for(lambda: desktop.find(frame, name="Idiom", role=pyatspi.ROLE_TEXT),
                                     what="the idiom box")
            desktop.wait_for(lambda: desktop.text_of(idiom), what="the first idiom")
            focus_window(frame)

            # The related idioms of 一马当先: each section's first entry is a counted idiom.
            desktop.key("ctrl+l")
            desktop.type_text("yimadangxian")
            desktop.wait_for(lambda: desktop.text_of(idiom) == "一马当先", what="一马当先")
            desktop.key("Escape")
            related = desktop.find_where(frame, lambda acc: acc.name == "Related idioms"
                                             and acc.getRole() != pyatspi.ROLE_TREE)
            desktop.click(related)
            tree = desktop.wait_for(lambda: desktop.find(frame, name="Related idioms", role=pyatspi.ROLE_TREE),
                                    what="the related idioms")
            desktop.wait_for(lambda: tree.childCount > 0, what="related idioms listed")
            # The tree's cells row by row: an idiom, then its reading and meaning; a section's second cell is empty.
            texts = [t for t in (desktop.text_of(tree.getChildAtIndex(i)) for i in range(tree.childCount)) if t]
            # Each section's first idiom is one the word list counts.
            sections = {"Same characters", "Next in a chain", "Next by sound"}
            for i, text in enumerate(texts[:-1]):
                if text in sections:
                    self.assertIn(texts[i + 1], count, "%s is led by a rare idiom: %s" % (text, texts[i + 1]))
            desktop.click(related)

            # Study, with new idioms from the dictionary: the first new card is a common idiom.
            desktop.key("ctrl+4")
            desktop.wait_for(lambda: shown_named(frame, "Settings"), what="Study's settings button")
            desktop.click(shown_named(frame, "Settings"))
            box = desktop.wait_for(lambda: shown_named(frame, "New idioms from the dictionary"),
                                   what="the dictionary's new idioms")
            desktop.click(box)
            desktop.wait_for(lambda: box.getState().contains(pyatspi.STATE_CHECKED), what="the box ticked")
            desktop.click(shown_named(frame, "Done"))
            start = desktop.wait_for(lambda: shown_named(frame, "Start review") if
                                     shown_named(frame, "Start review").getState().contains(pyatspi.STATE_ENABLED)
                                     else None, what="something to review")
            desktop.click(start)
            question = desktop.wait_for(lambda: desktop.study_prompt(frame), what="a question")
            desktop.key("space")
            answer = desktop.wait_for(lambda: desktop.study_prompt(frame, after=question), what="the answer")
            desktop.wait_for(lambda: answer.description, what="the answer's text")
            # "Not quite. 无论如何" or, for a flashcard, the idiom alone.
            first = answer.description.split("\n")[0].split(" ")[-1]
            print("first new idiom:", first, count.get(first))
            common = sorted(count, key=count.get, reverse=True)[:2000]
            self.assertIn(first, common, "the first new idiom %s is not among the 2,000 most common words" % first)


if __name__ == "__main__":
    unittest.main()
