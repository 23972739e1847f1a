"""End to end: the staged program starts, the search box finds idioms typed
as pinyin, the detail pane and the history label follow, the index view
shows letters with their counts."""
import os
import sys
import time
import unittest

import pyatspi

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402

STAGED = os.environ.get("VELMORA_STAGED", "")
SHOTS = os.environ.get("VELMORA_SHOTS", "")


class Browse(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = desktop.make_installation(STAGED)
        cls.process, cls.app, cls.frame = desktop.launch(cls.folder)

    @classmethod
    def tearDownClass(cls):
        cls.process.kill()
        cls.process.wait()

    def control(self, name, **kw):
        return desktop.wait_for(lambda: desktop.find(self.frame, name=name, **kw), what=name)

    def test_1_first_idiom_is_shown(self):
        idiom = self.control("Idiom")
        desktop.wait_for(lambda: desktop.text_of(idiom), what="the first idiom")
        self.assertTrue(desktop.text_of(self.control("Spelling")))

    def test_2_typing_pinyin_finds_the_idiom(self):
        search = self.control("Search")
        desktop.click(search)
        desktop.type_text("yimadangxian")
        if desktop.text_of(search) != "yimadangxian":  # typing under load can drop keys
            desktop.key("ctrl+a")
            desktop.type_text("yimadangxian")
        idiom = self.control("Idiom")
        desktop.wait_for(lambda: desktop.text_of(idiom) == "一马当先", what="一马当先 in the idiom box")
        spelling = desktop.text_of(self.control("Spelling"))
        self.assertEqual(spelling, "yī mǎ dāng xiān")
        self.assertIn("lead", desktop.text_of(self.control("Explanation")))
        if SHOTS:
            desktop.screenshot(os.path.join(SHOTS, "search.png"))

    def test_3_history_label_goes_back(self):
        # Each typed key that finds the shown idiom again reloads it, so the
        # keys are set at once here: one change, one load.
        search = self.control("Search")
        idiom = self.control("Idiom")
        search.queryEditableText().setTextContents("ymdx")
        desktop.wait_for(lambda: desktop.text_of(idiom) == "一马当先", what="一马当先")
        desktop.click(search)
        desktop.key("Return")  # chosen, not only passed: an idiom to go up to
        previous = desktop.wait_for(lambda: desktop.find(self.frame, description="Previous idiom"), what="history")
        search.queryEditableText().setTextContents("aibushishou")
        desktop.wait_for(lambda: desktop.text_of(idiom) == "爱不释手", what="爱不释手")
        desktop.wait_for(lambda: previous.name == "一马当先", what="Up: 一马当先")
        desktop.click(previous, double=True)
        desktop.wait_for(lambda: desktop.text_of(idiom) == "一马当先", what="back to 一马当先")
        self.assertEqual(desktop.text_of(search), "一马当先")

    def test_4_index_view_lists_letters(self):
        desktop.click(self.control("Index view"))
        tree = self.control("Index")
        desktop.wait_for(lambda: desktop.showing(tree), what="the index tree")
        cells = desktop.wait_for(lambda: [tree.getChildAtIndex(i).name for i in range(tree.childCount)
                                          if tree.getChildAtIndex(i) is not None], what="tree rows")
        letters = [c for c in cells if c.endswith(")")]
        self.assertTrue(letters and letters[0].startswith("A("), letters[:3])
        if SHOTS:
            desktop.screenshot(os.path.join(SHOTS, "index.png"))
        desktop.click(self.control("Search view"))
        self.assertTrue(desktop.showing(self.control("Idiom list")))

    def test_5_quiz_judges_the_answer(self):
        desktop.click(self.control("Quiz"))
        puzzle = desktop.wait_for(lambda: desktop.find(self.frame, description="Puzzle"), what="the puzzle")
        desktop.wait_for(lambda: "X" in puzzle.name, what="a puzzle with X")
        answer = self.control("Answer")
        judge = self.control("判断")
        answer.queryEditableText().setTextContents("?")
        desktop.click(judge)
        verdict = desktop.wait_for(lambda: desktop.find(self.frame, description="Verdict"), what="the verdict")
        desktop.wait_for(lambda: verdict.name == "错", what="错 for a wrong answer")
        solution = desktop.wait_for(lambda: desktop.find(self.frame, description="Solution"), what="the solution")
        position = puzzle.name.index("X")
        self.assertEqual(len(puzzle.name), len(solution.name))
        desktop.click(answer)
        desktop.key("ctrl+a")
        answer.queryEditableText().setTextContents(solution.name[position])
        desktop.click(judge)
        desktop.wait_for(lambda: verdict.name == "对", what="对 for the right answer")
        if SHOTS:
            desktop.screenshot(os.path.join(SHOTS, "quiz.png"))

    def test_6_match_list_finds_what_the_type_ahead_cannot(self):
        # 龙点睛 begins no idiom: only the match list finds 画龙点睛.
        search = self.control("Search")
        idiom = self.control("Idiom")
        desktop.click(search)
        # The text is set before the call returns, and the match list with it.
        search.queryEditableText().setTextContents("龙点睛")
        if SHOTS:
            desktop.screenshot(os.path.join(SHOTS, "matches.png"))
        desktop.key("Down")
        desktop.key("Return")
        desktop.wait_for(lambda: desktop.text_of(idiom) == "画龙点睛", what="画龙点睛 after Down, Enter")


if __name__ == "__main__":
    unittest.main(verbosity=2)
