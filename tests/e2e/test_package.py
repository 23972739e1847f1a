"""The installed package as an ordinary user meets it: started from the
PATH, the user's name changed in the settings dialog and kept."""
import os
import sys
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
            ok = desktop.wait_for(lambda: pyatspi.findDescendant(
                dialog, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name.replace("&", "") in ("Ok", "OK")),
                what="the OK button")
            desktop.click(ok)
            config = os.path.expanduser("~/.config/velmora/config.dll")
            desktop.wait_for(lambda: os.path.exists(config) and NAME in open(config, encoding="utf-8").read(),
                             what="the name in the user's config.dll")


if __name__ == "__main__":
    unittest.main()
