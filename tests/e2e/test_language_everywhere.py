"""End to end, in the simplified and the traditional Chinese interface: every
text and accessible name a reader meets in the window, the Study view's
pages, the related idioms, the idiom chain and Read text is read over the
accessibility bus, and none may hold an English word.
The dictionary's own English (its explanations), what the user typed, pinyin,
the product's and its sources' names, file patterns and keys are not the
interface's words and are let through."""
import os
import re
import sys
import unicodedata
import unittest

import pyatspi

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
from test_favourites import focus_window  # noqa: E402

STAGED = os.environ.get("VELMORA_STAGED", "")

CONFIG = ("[Setting]\nUserName=\nUserCoolName=\nlogo=\n\n[language]\nlanguage=%s\nDataLanguage=%s\n\n"
          "[system]\nOpenSystem=1\n")

# Latin words, alone or in a row (pinyin's marked letters are Latin too).
LETTER = "A-Za-z\u00c0-\u024f"
WORD = "[%s][%s'’-]*" % (LETTER, LETTER)
LATIN_RUN = re.compile(r"%s(?:[ ,;:.!?]+%s)*" % (WORD, WORD))
PINYIN = re.compile(r"^(zh|ch|sh|[bpmfdtnlgkhjqxrzcsyw])?[aeiouv]{1,3}(n|ng|r)?$")
# Names of the product, its sources and file kinds, and keys as keyboards write them.
NAMES = {"velmora", "beta", "cc-cedict", "jieba", "csv", "gb", "big", "txt", "tsv", "json", "js", "u8",
         "esc", "enter"}
# Keys as keyboards write them, and the names of npm packages the data comes from.
SHORTCUT = re.compile(r"Ctrl\+[A-Za-z0-9]+|@[a-z-]+/[a-z-]+|hanzi-writer-data")

# What each interface calls the controls the test reaches.
WORDS = {
    "GB": {"related": "相关成语", "start": "开始复习", "progress": "复习进度", "settings": "复习设置",
           "back": "返回", "done": "完成", "go_on": "继续", "explain": "释义", "idiom_list": "成语列表", "idiom": "成语",
           "chain": "成语接龙", "read": "读文章", "question": "复习题", "answer": "答案",
           "chain_list": "接龙", "key": "hualongdianjing", "shown": "画龙点睛"},
    "BIG5": {"related": "相關成語", "start": "開始複習", "progress": "複習進度", "settings": "複習設定",
             "back": "返回", "done": "完成", "go_on": "繼續", "explain": "釋義", "idiom_list": "成語列表", "idiom": "成語",
             "chain": "成語接龍", "read": "讀文章", "question": "複習題", "answer": "答案",
             "chain_list": "接龍", "key": "hualongdianjing", "shown": "畫龍點睛"},
}


def shown_named(root, name):
    """The control of that name that is showing, or None."""
    return desktop.find_where(root, lambda acc: acc.name == name and desktop.showing(acc))


def texts_of(root, skip_names):
    """Every name, description and text of what is showing under root; the
    subtrees named in skip_names (lists of idioms) are left out."""
    found = []

    def walk(acc, depth):
        if acc is None or depth > 40:
            return
        try:
            if not acc.getState().contains(pyatspi.STATE_SHOWING):
                return
            name, description, role = acc.name, acc.description, acc.getRole()
        except Exception:
            return
        if name in skip_names:
            return
        found.extend(t for t in (name, description) if t)
        try:
            found.append(acc.queryText().getText(0, -1))
        except (NotImplementedError, Exception):
            pass
        count = acc.childCount
        # Long lists and tables: their first rows tell what the rest do.
        if role in (pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TREE):
            count = min(count, 24)
        for i in range(count):
            try:
                walk(acc.getChildAtIndex(i), depth + 1)
            except Exception:
                pass

    walk(root, 0)
    return found


def plain(word):
    """The word in lower case without its tone marks, ü as v."""
    word = unicodedata.normalize("NFD", word.lower().replace("ü", "v"))
    return "".join(c for c in word if not unicodedata.combining(c))


def english_runs(text, data):
    """The English words in the text, alone or in runs, that are neither
    the dictionary's own words nor what the user typed, pinyin, product
    names, file patterns or keys."""
    runs = []
    for run in LATIN_RUN.findall(SHORTCUT.sub("", text)):
        if any(run in d for d in data):
            continue
        words = [plain(w) for w in re.findall(WORD, run)]
        if all(PINYIN.match(w) or w in NAMES for w in words):
            continue
        runs.append(run)
    return runs


def without_meanings(text):
    """The text without the dictionary's meanings that follow a reading:
    "xiān fā zhì rén — to gain the initiative…" (a related idiom, a move of
    the chain) keeps its reading only."""
    lines = []
    for line in text.split("\n"):
        head, dash, _ = line.partition(" — ")
        words = [plain(w) for w in re.findall(WORD, head)]
        lines.append(head if dash and words and all(PINYIN.match(w) for w in words) else line)
    return "\n".join(lines)


class LanguageEverywhere(unittest.TestCase):
    def check(self, where, texts, data):
        texts = [without_meanings(t) for t in texts]
        bad = sorted({(t, r) for t in texts for r in english_runs(t, data)})
        self.assertEqual(bad, [], "English in the %s: %s" % (where, bad))

    def one_interface(self, language):
        words = WORDS[language]
        folder = desktop.make_installation(STAGED, CONFIG % (language, language))
        with desktop.running(folder, "language-" + language) as (app, frame):
            skip = {words["idiom_list"]}
            explain = desktop.wait_for(lambda: desktop.find(frame, name=words["explain"], role=pyatspi.ROLE_TEXT),
                                       what="the explanation box")
            focus_window(frame)
            desktop.key("ctrl+l")
            desktop.type_text(words["key"])
            idiom = desktop.wait_for(lambda: desktop.find(frame, name=words["idiom"], role=pyatspi.ROLE_TEXT),
                                     what="the idiom box")
            desktop.wait_for(lambda: desktop.text_of(idiom) == words["shown"], what=words["shown"])
            desktop.key("Escape")
            desktop.key("ctrl+d")
            # The dictionary's own English: the explanation of the idiom shown.
            data = [desktop.text_of(explain), words["key"]]  # and the key the user typed
            self.check("window", texts_of(frame, skip), data)

            related = desktop.find_where(frame, lambda acc: acc.name == words["related"]
                                             and acc.getRole() != pyatspi.ROLE_TREE)
            self.assertIsNotNone(related, "the related idioms' button by its %s name" % language)
            desktop.click(related)
            tree = desktop.wait_for(lambda: desktop.find(frame, name=words["related"], role=pyatspi.ROLE_TREE),
                                    what="the related idioms")
            desktop.wait_for(lambda: desktop.showing(tree) and tree.childCount > 0, what="related idioms listed")
            self.check("related idioms", texts_of(frame, skip), data)
            desktop.click(related)

            desktop.key("ctrl+4")
            start = desktop.wait_for(lambda: shown_named(frame, words["start"]), what=words["start"])
            self.check("Study's home", texts_of(frame, skip), data)
            for page in ("progress", "settings"):
                desktop.click(shown_named(frame, words[page]))
                leave = words["back"] if page == "progress" else words["done"]
                back = desktop.wait_for(lambda: shown_named(frame, leave), what=leave)
                self.check("Study's " + page, texts_of(frame, skip), data)
                desktop.click(back)
            desktop.wait_for(lambda: desktop.showing(start), what="Study's home again")
            desktop.click(start)
            question = desktop.wait_for(lambda: desktop.study_prompt(frame), what="a question")
            desktop.wait_for(lambda: desktop.text_of(question), what="the question's prompt")
            self.check("a Study question", texts_of(frame, skip), data)
            desktop.key("space")
            answer = desktop.wait_for(lambda: desktop.study_prompt(frame, after=question), what="the answer")
            desktop.wait_for(lambda: desktop.text_of(answer), what="the answer's text")
            self.check("a Study answer", texts_of(frame, skip), data)
            desktop.key("Escape")
            # Left with cards still due, the summary's button goes on with them.
            desktop.wait_for(lambda: shown_named(frame, words["done"]) or shown_named(frame, words["go_on"]),
                             what="the summary")
            self.check("Study's summary", texts_of(frame, skip), data)

            desktop.key("ctrl+1")
            desktop.key("ctrl+j")
            chain = desktop.wait_for(lambda: desktop.find(app, name=words["chain"], role=pyatspi.ROLE_DIALOG)
                                     or desktop.find(app, name=words["chain"], role=pyatspi.ROLE_FRAME),
                                     what="the idiom chain")
            played = desktop.wait_for(lambda: desktop.find(chain, name=words["chain_list"]), what="the chain")
            desktop.wait_for(lambda: played.childCount > 0, what="a round begun")
            self.check("idiom chain", texts_of(chain, skip), data)
            desktop.key("Escape")

            focus_window(frame)
            desktop.key("ctrl+r")
            reader = desktop.wait_for(lambda: desktop.find(app, name=words["read"], role=pyatspi.ROLE_DIALOG)
                                      or desktop.find(app, name=words["read"], role=pyatspi.ROLE_FRAME),
                                      what="Read text")
            self.check("Read text", texts_of(reader, skip), data)

    def test_simplified(self):
        self.one_interface("GB")

    def test_traditional(self):
        self.one_interface("BIG5")


if __name__ == "__main__":
    unittest.main()
