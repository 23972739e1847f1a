"""End to end: a broken installation tells the user exactly what is wrong
in a message box, and the program ends when the box is dismissed."""
import os
import subprocess
import sys
import time
import unittest

import pyatspi

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402

STAGED = os.environ.get("VELMORA_STAGED", "")
MKDATA = os.environ.get("VELMORA_MKDATA", "")


class StartupFailures(unittest.TestCase):
    def run_until_box(self, folder, attempts=2):
        """Starts the program and waits for its first message box. A start
        that never shows up on the accessibility bus (its registry was not
        ready, or the display under load) is tried once more, with what the
        program wrote printed."""
        for attempt in range(attempts):
            process = desktop.start(folder)
            self.addCleanup(lambda p=process: (p.kill(), p.wait()))
            try:
                app = desktop.wait_for(desktop.application, timeout=30, what="the program on the accessibility bus")
                box = desktop.wait_for(lambda: desktop.find(app, role=pyatspi.ROLE_ALERT), what="a message box")
                return process, app, box
            except AssertionError:
                desktop.diagnose("box-%d" % attempt)
                desktop.print_log(folder)
                process.kill()
                process.wait()
                if attempt == attempts - 1:
                    raise

    def box_text(self, box):
        # A box without icon has an empty picture label before its text.
        label = desktop.wait_for(
            lambda: desktop.find_where(box, lambda a: a.getRole() == pyatspi.ROLE_LABEL and a.name),
            what="the box's text")
        return label.name

    @staticmethod
    def alert_saying(app, text):
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            if window is None or window.getRole() != pyatspi.ROLE_ALERT:
                continue
            if desktop.find(window, name=text, role=pyatspi.ROLE_LABEL) is not None:
                return window
        return None

    def press(self, box, name):
        button = desktop.wait_for(lambda: desktop.find(box, name=name, role=pyatspi.ROLE_PUSH_BUTTON), what=name)
        desktop.click(button)

    def assert_ends(self, process):
        self.assertNotEqual(process.wait(timeout=15), 0)

    def test_missing_configuration(self):
        folder = desktop.make_installation(STAGED, config=False)
        process, _, box = self.run_until_box(folder)
        self.assertEqual(box.name, "Velmora")
        self.assertEqual(self.box_text(box), "Config File Lost,Please ReTry Run Setup")
        self.press(box, "OK")
        self.assert_ends(process)

    def test_missing_data_file(self):
        folder = desktop.make_installation(STAGED)
        os.remove(os.path.join(folder, "Data", "Velmdict_cn.dat"))
        process, _, box = self.run_until_box(folder)
        self.assertEqual(self.box_text(box), "Data File Lost,Please ReTry Run Setup")
        self.press(box, "OK")
        self.assert_ends(process)

    def test_wrong_password(self):
        folder = desktop.make_installation(STAGED)
        data = os.path.join(folder, "Data", "Velmdict_cn.dat")
        subprocess.run([MKDATA, "--synthetic", "20", "--gb", data, "--password", "not-the-key"], check=True,
                       stdout=subprocess.DEVNULL)
        process, app, box = self.run_until_box(folder)
        self.assertIn("cannot be opened", self.box_text(box))
        self.press(box, "OK")
        link = desktop.wait_for(lambda: self.alert_saying(desktop.application(), "Link Error"), what="the Link Error box")
        self.press(link, "OK")
        self.assert_ends(process)


    def test_stopped_session_bus(self):
        """A session bus whose daemon is stopped accepts connections and never
        answers: the window comes all the same, within seconds."""
        daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                  stdout=subprocess.PIPE)
        self.addCleanup(lambda: (daemon.send_signal(18), daemon.kill(), daemon.wait()))
        address = daemon.stdout.readline().decode().strip()
        daemon.send_signal(19)  # SIGSTOP
        folder = desktop.make_installation(STAGED)
        env = dict(os.environ, DBUS_SESSION_BUS_ADDRESS=address, QT_QPA_PLATFORM="xcb",
                   XDG_CONFIG_HOME=os.path.join(folder, "..", "config"),
                   XDG_DATA_HOME=os.path.join(folder, "..", "data"))
        with open(desktop.log_path(folder), "ab") as log:
            process = subprocess.Popen([os.path.join(folder, "velmora")], env=env, stdout=log,
                                       stderr=subprocess.STDOUT)
        self.addCleanup(lambda: (process.kill(), process.wait()))
        deadline = time.time() + 5
        shown = b""
        while time.time() < deadline and not shown:
            shown = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Velmora"],
                                   capture_output=True).stdout.strip()
            time.sleep(0.1)
        if not shown:
            desktop.print_log(folder)
        self.assertTrue(shown, "no window within 5 s")
        with open(desktop.log_path(folder), encoding="utf-8", errors="replace") as log:
            self.assertIn("does not answer; running without it", log.read())


if __name__ == "__main__":
    unittest.main(verbosity=2)
