"""End to end: idioms imported through the settings dialog's import, with a
real file chooser, are there after the restart."""
import json
import os
import sys
import time
import unittest

import pyatspi

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402

STAGED = os.environ.get("VELMORA_STAGED", "")
SAMPLE = os.path.join(os.path.dirname(__file__), "..", "..", "..", "shared", "data", "idioms-sample.json")


def source_file(folder):
    """The shared sample when it is here, else a small file of the same layout."""
    if os.path.exists(SAMPLE):
        return os.path.abspath(SAMPLE), "爱不释手"
    path = os.path.join(folder, "idioms.json")
    with open(path, "w", encoding="utf-8") as out:
        json.dump([{"word": "画龙点睛", "pinyin": "huà lóng diǎn jīng", "explanation": "比喻在关键处点明要旨",
                    "derivation": "唐·张彦远《历代名画记》", "example": "无"}], out, ensure_ascii=False)
    return path, "画龙点睛"


def choose_in_import(app, frame, path):
    """Settings, Import idioms…, Add files…, the file typed in the chooser:
    the import dialog, reading it."""
    desktop.click(desktop.wait_for(lambda: desktop.find(frame, name="Setting", role=pyatspi.ROLE_PUSH_BUTTON),
                                   what="the settings button"))
    settings = desktop.wait_for(lambda: desktop.window(app, name="System Setting"), what="the settings")
    desktop.click(desktop.wait_for(lambda: desktop.find(settings, name="Import idioms…", role=pyatspi.ROLE_PUSH_BUTTON),
                                   what="the import button"))
    dialog = desktop.wait_for(lambda: desktop.window(app, name="Import idioms"), what="the import dialog")
    desktop.click(desktop.wait_for(lambda: desktop.find(dialog, name="Add files…", role=pyatspi.ROLE_PUSH_BUTTON),
                                   what="the add button"))
    desktop.wait_for(lambda: desktop.window(app, name="Choose idiom data"), what="the file chooser")
    time.sleep(0.5)
    desktop.type_text(path)
    desktop.key("Return")
    return dialog


class Import(unittest.TestCase):
    def test_import_through_the_window(self):
        folder = desktop.make_installation(STAGED)
        path, idiom = source_file(os.path.dirname(folder))
        with desktop.running(folder, "import-1") as (app, frame):
            dialog = choose_in_import(app, frame, path)
            rows = desktop.wait_for(lambda: desktop.find(dialog, name="Files to import"), what="the list of files")
            desktop.wait_for(lambda: rows.childCount > 6, timeout=30, what="the file summed up")
            desktop.click(desktop.find(dialog, name="Import", role=pyatspi.ROLE_PUSH_BUTTON))
            done = desktop.wait_for(lambda: desktop.window(app, role=pyatspi.ROLE_ALERT), timeout=60,
                                    what="the result of the import")
            told = desktop.find_where(done, lambda a: a.getRole() == pyatspi.ROLE_LABEL and "next start" in a.name)
            self.assertIsNotNone(told, "the result says the new data take effect at the next start")
            desktop.key("Escape")  # not now

        with desktop.running(folder, "import-2") as (app, frame):
            search = desktop.wait_for(lambda: desktop.find(frame, name="Search"), what="the search box")
            search.queryEditableText().setTextContents(idiom)
            box = desktop.find(frame, name="Idiom")
            desktop.wait_for(lambda: desktop.text_of(box) == idiom, what=idiom)
            derivation = desktop.find(frame, name="Derivation", role=pyatspi.ROLE_TEXT)
            desktop.wait_for(lambda: desktop.text_of(derivation), what="a derivation from the imported data")
            # Added to the dictionary in use (the default): its idioms after G are still there.
            search.queryEditableText().setTextContents("一马当先")
            desktop.wait_for(lambda: desktop.text_of(box) == "一马当先", what="一马当先 kept")


    def test_ended_mid_import_leaves_no_part_files_or_lock(self):
        """SIGTERM while the editions are being built: the program ends as a
        failed build does, taking the half-built files and the lock along."""
        folder = desktop.make_installation(STAGED)
        path = os.path.join(os.path.dirname(folder), "many.json")
        with open(path, "w", encoding="utf-8") as out:
            json.dump([{"word": "测%d" % i, "pinyin": "cè shì", "explanation": "说明" * 20} for i in range(150000)], out,
                      ensure_ascii=False)
        process, app, frame = desktop.launch(folder)
        try:
            dialog = choose_in_import(app, frame, path)
            rows = desktop.wait_for(lambda: desktop.find(dialog, name="Files to import"), what="the list of files")
            desktop.wait_for(lambda: rows.childCount > 6, timeout=60, what="the file summed up")
            desktop.click(desktop.find(dialog, name="Import", role=pyatspi.ROLE_PUSH_BUTTON))
            user = os.path.dirname(folder)  # the installation and the user folders

            def building():
                return [name for root, _, names in os.walk(user) for name in names if name.endswith(".part")]
            desktop.wait_for(building, timeout=60, what="the build under way")
        except AssertionError:
            desktop.diagnose("import-sigterm")
            desktop.print_log(folder)
            process.kill()
            raise
        process.terminate()
        self.assertEqual(process.wait(timeout=20), 128 + 15)
        left = [os.path.join(root, name) for root, _, names in os.walk(user) for name in names
                if name.endswith((".part", ".new", ".lock", "-journal"))]
        self.assertEqual(left, [])


if __name__ == "__main__":
    unittest.main()
