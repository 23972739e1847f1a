"""End to end: three favourites become three cards; Ctrl+4 opens the study
view, three cards are answered from the keyboard, and after a restart
nothing is due and the review log holds three rows."""
import os
import sqlite3
import sys
import time
import unittest

import pyatspi

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
from test_favourites import focus_window  # noqa: E402

STAGED = os.environ.get("VELMORA_STAGED", "")
CARDS = ("一马当先", "画龙点睛", "画蛇添足")


def study_tab(frame):
    return desktop.find(frame, name="Study view")


class Study(unittest.TestCase):
    def test_three_cards_from_the_keyboard(self):
        folder = desktop.make_installation(STAGED)
        with desktop.running(folder, "study-1") as (app, frame):
            idiom = desktop.wait_for(lambda: desktop.find(frame, name="Idiom"), what="the idiom box")
            desktop.wait_for(lambda: desktop.text_of(idiom), what="the first idiom")
            focus_window(frame)
            star = desktop.find(frame, name="Favourite")
            for key, expected in (("ymdx", "一马当先"), ("hualongdianjing", "画龙点睛"), ("huashetianzu", "画蛇添足")):
                desktop.key("ctrl+l")
                desktop.type_text(key)
                desktop.wait_for(lambda: desktop.text_of(idiom) == expected, what=expected + " in the idiom box")
                desktop.key("Escape")
                desktop.key("ctrl+d")
                desktop.wait_for(lambda: star.getState().contains(pyatspi.STATE_CHECKED), what="the star checked")

            desktop.key("ctrl+4")
            desktop.wait_for(lambda: study_tab(frame).description == "3 due", what="3 due on the study tab")
            desktop.wait_for(lambda: desktop.showing(desktop.find(frame, name="Start review")), what="Start review")
            desktop.key("space")
            review = desktop.wait_for(lambda: desktop.find(frame, name="Review"), what="the review page")
            for card in range(3):
                # A new card comes first as a flashcard: Space shows it, 4 grades Easy, Space goes on.
                # The question is the prompt's name: a new card's flashcard asks its idiom.
                desktop.wait_for(lambda: any(desktop.showing(desktop.find(review, name=idiom) or review)
                                             and desktop.find(review, name=idiom) for idiom in CARDS), what="a question")
                desktop.key("space")
                # Each grade is heard with its wait: "Easy · 4 d".
                def easy_button():
                    return desktop.find_where(review, lambda acc: acc.name.startswith("Easy · "))
                easy = desktop.wait_for(lambda: desktop.showing(easy_button()) and easy_button(), what="the grades")
                desktop.key("4")
                desktop.wait_for(lambda: easy.getState().contains(pyatspi.STATE_CHECKED), what="Easy chosen")
                desktop.key("space")
                desktop.wait_for(lambda: not desktop.showing(easy), what="the next question")
            desktop.wait_for(lambda: desktop.find_where(frame, lambda acc: acc.name.startswith("Reviewed: 3")),
                             what="the summary: three reviewed")
            desktop.wait_for(lambda: study_tab(frame).description == "0 due", what="0 due after the sitting")

        with desktop.running(folder, "study-2") as (app, frame):
            focus_window(frame)
            desktop.key("ctrl+4")
            desktop.wait_for(lambda: study_tab(frame).description == "0 due", what="nothing due after a restart")
            desktop.wait_for(lambda: desktop.find(frame, name="Study")
                             and desktop.showing(desktop.find(frame, name="Start review")), what="the study home")

        store = os.path.join(os.path.dirname(folder), "user", "data", "velmora", "velmora.db")
        with sqlite3.connect(store) as db:
            rows = db.execute("SELECT Card, Grade, Kind FROM ReviewLog ORDER BY Id").fetchall()
        self.assertEqual(len(rows), 3)
        self.assertEqual({row[0] for row in rows}, {"一马当先", "画龙点睛", "画蛇添足"})
        self.assertTrue(all(row[1] == 4 and row[2] == "flashcard" for row in rows))


def shown_texts(frame, leave_out):
    """Every name and text the window shows, but those inside leave_out."""
    texts = []

    def walk(acc):
        if acc is None or acc == leave_out or not desktop.showing(acc):
            return
        texts.append(acc.name or "")
        try:
            texts.append(desktop.text_of(acc))
        except Exception:  # not every object has text
            pass
        for child in acc:
            walk(child)

    walk(frame)
    return "\n".join(texts)


class HonestStudy(unittest.TestCase):
    def test_the_answer_stays_hidden_and_the_due_count_follows_the_star(self):
        folder = desktop.make_installation(STAGED)
        with desktop.running(folder, "honest") as (app, frame):
            desktop.wait_for(lambda: study_tab(frame).description == "0 due", what="nothing due")
            idiom = desktop.show_idiom(frame, focus_window, "duiniutanqin", "对牛弹琴")
            desktop.key("ctrl+d")
            desktop.wait_for(lambda: study_tab(frame).description == "1 due", what="1 due, Study not opened")

            desktop.key("ctrl+4")
            start = desktop.wait_for(lambda: desktop.showing(desktop.find(frame, name="Start review"))
                                     and desktop.find(frame, name="Start review"), what="Start review")
            self.assertTrue(start.getState().contains(pyatspi.STATE_FOCUSED))
            desktop.key("Return")
            review = desktop.wait_for(lambda: desktop.find(frame, name="Review"), what="the review page")
            desktop.wait_for(lambda: desktop.showing(desktop.find(review, name="对牛弹琴") or review)
                             and desktop.find(review, name="对牛弹琴"), what="the question about 对牛弹琴")
            time.sleep(0.5)  # a person reads the question
            self.assertNotIn("对牛弹琴", shown_texts(frame, review), "the answer is on screen beside its question")
            desktop.key("space")
            desktop.wait_for(lambda: desktop.text_of(idiom) == "对牛弹琴", what="对牛弹琴 shown again once answered")


if __name__ == "__main__":
    unittest.main()
