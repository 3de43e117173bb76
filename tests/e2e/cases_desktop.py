"""Starting the program while it already runs: one copy per data file."""

import glob
import os
import signal
import time

from harness import SECONDARY, case, check, file_rows, reminders, wait_until
from cases import MINIMISE, row, viewer_opens

LOCK = "lembretes.dat.lock"


def second_start_exits(s, code=0):
    """Starts the program again; it must end by itself with this status."""
    before = s.data()
    second = s.start_again()
    wait_until(lambda: second.poll() is not None, 5, "the second start to end")
    check(second.returncode == code, f"the second start exited with {second.returncode}")
    check(s.data() == before, "the second start touched the file")


@case(data=file_rows(reminders(3)))
def second_start_while_shown_opens_no_second_window(s):
    s.window()
    second_start_exits(s)
    time.sleep(0.5)
    check(len(s.windows()) == 1, f"main windows: {s.windows()}")
    check(s.running(), "the first copy ended")


@case(wm=True, tray=True, data=file_rows(reminders(3)))
def second_start_brings_back_a_minimised_program(s):
    s.window()
    s.click(*row(0))
    viewer = viewer_opens(s)
    s.click(*MINIMISE)
    wait_until(lambda: not s.visible() and not s.windows(SECONDARY), 5, "every window to hide")
    second_start_exits(s)
    wait_until(lambda: s.visible(), 5, "the main window to come back")
    wait_until(lambda: s.windows(SECONDARY) == [viewer], 5, "the viewer to come back")
    check(len(s.windows()) == 1, f"main windows: {s.windows()}")


# The lock lies in the runtime folder, never in the data folder a sync tool may share.
@case(data=file_rows(reminders(3)), env={"XDG_RUNTIME_DIR": "{folder}/run"})
def start_after_the_running_copy_was_killed_takes_over(s):
    s.window()
    s.app.send_signal(signal.SIGKILL)
    s.app.wait()
    wait_until(lambda: not s.windows(), 5, "the killed copy's window to go")
    check(glob.glob(s.path("run/quivera-recordim-*.lock")),
          "the killed copy left no lock to take over")
    check(not os.path.exists(s.path(LOCK)), "a lock in the data folder")
    s.app = s.start_again()
    s.window()
    time.sleep(0.5)
    check(s.running(), "the new start did not stay")
    second_start_exits(s)
