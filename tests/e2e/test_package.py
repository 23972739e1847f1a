"""The installed package as an ordinary user meets it: started from the
PATH, the user's name changed in the settings dialog and kept; the
desktop's search answered by a program the session bus starts, which ends
by itself."""
import os
import subprocess
import sys
import time
import unittest

import pyatspi

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402

NAME = "Package Tester"


class Package(unittest.TestCase):
    def test_the_settings_go_to_the_users_folder(self):
        with desktop.running("/usr/bin", "package-1", own_user_folders=False) as (app, frame):
            # A first start in an English locale reads the English language file.
            desktop.click(desktop.wait_for(lambda: desktop.find(frame, name="Settings", role=pyatspi.ROLE_PUSH_BUTTON),
                                           what="the settings button"))
            dialog = desktop.wait_for(lambda: desktop.window(app, name="System Setting"), what="the settings dialog")
            field = desktop.wait_for(lambda: desktop.find(dialog, name="User name"), what="the user name field")
            field.queryEditableText().setTextContents(NAME)
            ok = desktop.wait_for(lambda: desktop.find_where(
                dialog, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name.replace("&", "") in ("Ok", "OK")),
                what="the OK button")
            desktop.click(ok)
            config = os.path.expanduser("~/.config/velmora/config.dll")
            desktop.wait_for(lambda: os.path.exists(config) and NAME in open(config, encoding="utf-8").read(),
                             what="the name in the user's config.dll")

    def test_the_desktops_search_starts_the_program_and_it_ends(self):
        def call(interface_method, argument):
            return subprocess.run(["gdbus", "call", "--session", "--dest", "org.velmora.Velmora", "--object-path",
                                   "/org/velmora/Velmora", "--method", interface_method, argument],
                                  capture_output=True, text=True, timeout=30)

        def serving():
            found = subprocess.run(["pgrep", "-f", "velmora --gapplication-service"], capture_output=True, text=True)
            return found.stdout.split()

        self.assertEqual(serving(), [], "no program runs before the search")
        try:
            answer = call("org.gnome.Shell.SearchProvider2.GetInitialResultSet", "['finishing','touch']")
            self.assertIn("画龙点睛", answer.stdout, answer.stderr)
            runner = call("org.kde.krunner1.Match", "hldj")
            self.assertIn("画龙点睛", runner.stdout, runner.stderr)
            self.assertIn("subtext", runner.stdout)
            self.assertEqual(len(serving()), 1, "one program serves the search")
            windows = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "Velmora"],
                                     capture_output=True, text=True)
            self.assertEqual(windows.stdout.split(), [], "and shows no window")
            asked = time.monotonic()
            desktop.wait_for(lambda: not serving(), timeout=90, what="the program to end after a quiet minute")
            print("the search's program ended %.0f s after the last question" % (time.monotonic() - asked))
        finally:
            # A program left serving would take the next test's start.
            subprocess.run(["pkill", "-f", "velmora --gapplication-service"])

if __name__ == "__main__":
    unittest.main()
