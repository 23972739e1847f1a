"""End to end: a start that follows the one before it (the program started
again after an import or a change of edition) waits for the bus name the
one before lets go of, owns it, and takes the next `velmora 画蛇添足` itself:
no second window."""
import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402

STAGED = os.environ.get("VELMORA_STAGED", "")
NAME = "org.velmora.Velmora"


def owner_pid():
    """The process that owns the program's bus name; None when none does."""
    found = subprocess.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus", "--object-path",
                            "/org/freedesktop/DBus", "--method", "org.freedesktop.DBus.GetConnectionUnixProcessID",
                            NAME], capture_output=True, text=True)
    if found.returncode != 0:
        return None
    return int(found.stdout.strip().strip("(),").split()[-1])


def windows():
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Velmora 1.0 Beta$"],
                          capture_output=True, text=True).stdout.split()


class Restart(unittest.TestCase):
    def test_the_program_started_again_owns_the_name(self):
        folder = desktop.make_installation(STAGED)
        first, app, frame = desktop.launch(folder)
        try:
            desktop.wait_for(lambda: owner_pid() == first.pid, what="the first start owning the name")
            # Started again while the first still holds the name, as a restart does.
            os.environ["VELMORA_STARTED_AGAIN"] = "1"
            try:
                second = desktop.start(folder)
            finally:
                del os.environ["VELMORA_STARTED_AGAIN"]
            time.sleep(0.3)
            desktop.close_window("Velmora 1.0 Beta")
            first.wait(timeout=20)
            desktop.wait_for(lambda: owner_pid() == second.pid, what="the second start owning the name")
            desktop.wait_for(lambda: len(windows()) == 1, what="the second start's window")
            third = subprocess.run([os.path.join(folder, "velmora"), "画蛇添足"], timeout=30,
                                   env=dict(os.environ, QT_QPA_PLATFORM="xcb"))
            self.assertEqual(third.returncode, 0)
            time.sleep(1)
            self.assertEqual(len(windows()), 1, "the key went to the window running, not to a second one")
        finally:
            for process in (first, locals().get("second")):
                if process and process.poll() is None:
                    process.kill()
                    process.wait()


if __name__ == "__main__":
    unittest.main()
