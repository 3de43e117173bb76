#!/usr/bin/env python3
"""End-to-end cases of the Windows program under Wine on a private Xvfb.

  wine_cases.py BUILD_WINDOWS_FOLDER VERSION [CASE ...]

The cases share one copy of scripts/windows.sh's Wine prefix, made afresh for
each run (the tests' prefix never sees an install), and type on the layout "us".
The zip's program runs from the unzipped folder; the installer runs silently."""

import datetime
import getpass
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

from harness import (DATA, FRESH_FILE, CaseFailed, Session, check, file_rows,  # noqa: E402
                     reminders, wait_until)
from cases import (CLOSE_BUTTON, MINIMISE, OK, STAMP, TITLE_BOX, check_stamp,  # noqa: E402
                   open_editor)
from cases_sync import rename_over, shown_total, wait_total_changes  # noqa: E402

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
INSTALL_DIR = "Program Files/Quivera Recordim"


class WineSession(Session):
    """A Session whose program is a Windows exe run by Wine."""

    def __init__(self, out, version, prefix, screen=(1024, 768)):
        super().__init__(program=None, screen=screen)
        self.out = out
        self.version = version
        self.prefix = prefix
        self.exe = None
        self.data_folder = None

    def __enter__(self):
        try:
            self.folder = os.path.realpath(tempfile.mkdtemp(prefix="qr-wine-"))
            self._start_x()
            self.x("setxkbmap", "-display", self.display, "us")
            return self
        except BaseException:
            self.close(failed=True)
            raise

    def close(self, failed=False):
        if self.prefix:
            subprocess.run([WINESERVER, "-k"], env=self._wine_env(), capture_output=True)
        super().close(failed)

    def _wine_env(self):
        return dict(os.environ, WINEPREFIX=self.prefix or "", WINEDEBUG="-all",
                    WINEDLLOVERRIDES="mscoree,mshtml=", DISPLAY=self.display or "")

    def _spawn(self, name, argv, extra_env=None, **kw):
        log = open(os.path.join(self.folder, f".{name}.log"), "w+")
        env = self._wine_env()
        env.pop("QT_QPA_PLATFORM", None)
        env.update(extra_env or {})
        p = subprocess.Popen(argv, cwd=self.folder, env=env, stdout=log,
                             stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL, **kw)
        self.procs.append((name, p, log))
        return p

    def drive_c(self, *parts):
        return os.path.join(self.prefix, "drive_c", *parts)

    def appdata(self):
        return self.drive_c("users", getpass.getuser(), "AppData", "Roaming")

    def start(self, exe, data_folder):
        self.exe = exe
        self.data_folder = data_folder
        self.app = self._spawn("program", [WINE, exe])

    def start_again(self):
        return self._spawn(f"start{len(self.procs)}", [WINE, self.exe])

    def path(self, name):
        if name == DATA and self.data_folder:
            return os.path.join(self.data_folder, name)
        return os.path.join(self.folder, name)

    def run(self, *argv, timeout=120):
        """Runs a Windows program to its end; its exit status."""
        p = self._spawn(f"run{len(self.procs)}", [WINE, *argv])
        return p.wait(timeout)


def unzip(s):
    """The zip unpacked into the session's folder; the exe in it."""
    archive = os.path.join(s.out, f"quivera-recordim-{s.version}-windows-x64.zip")
    with zipfile.ZipFile(archive) as z:
        z.extractall(os.path.join(s.folder, "portable"))
    exes = glob.glob(os.path.join(s.folder, "portable", "**", "quivera-recordim.exe"),
                     recursive=True)
    check(len(exes) == 1, f"exes in the zip: {exes}")
    return exes[0]


def start_portable(s):
    """The unzipped program started, its window up and its fresh file beside it."""
    exe = unzip(s)
    s.start(exe, os.path.dirname(exe))
    s.window(timeout=30)
    s.wait_data(FRESH_FILE, timeout=15)


def portable_window_is_placed_and_cut_as_on_linux(s):
    exe = unzip(s)
    s.start(exe, os.path.dirname(exe))
    s.window(timeout=30)
    left, top, width, height = s.geometry()
    check((width, height) == (249, 345), f"size {width}x{height}")
    check((left, top) == (s.screen[0] - 249 - 3, s.screen[1] - 345 - 35), f"placed at {left},{top}")
    # The root window shows through the notch of the binding and past the curled
    # corner; the page shows in its middle.
    shot = os.path.join(s.folder, "screen.png")

    def pixel(x, y):
        return s.x("convert", shot, "-format", f"%[pixel:p{{{left + x},{top + y}}}]", "info:").strip()

    def painted():
        s.x("import", "-window", "root", shot)
        return pixel(124, 300) != pixel(-5, -5)
    wait_until(painted, 10, "the page to be drawn")
    background = pixel(-5, -5)
    for x, y in ((16, 3), (247, 343)):
        check(pixel(x, y) == background, f"{x},{y} of the window shows {pixel(x, y)}, not the screen")


def portable_reminder_is_stored_beside_the_exe(s):
    start_portable(s)
    editor = open_editor(s)
    # With no window manager the X focus follows the pointer, which the click left
    # over the title box: the keys reach the editor.
    s.click(*TITLE_BOX, wid=editor)
    s.type("Pagar a conta")
    s.click(*OK, wid=editor)
    wait_until(lambda: s.data() != FRESH_FILE, 10, "the reminder to be written")
    m = re.fullmatch(rb'"(.{17})\xa7----/----/----\xa7  \xa7Pagar a conta\xa7"\r\n', s.data(), re.S)
    check(m, f"the write gave {s.data()!r}")
    check(STAMP.fullmatch(m.group(1)), f"stamp {m.group(1)!r}")
    check_stamp(m.group(1), datetime.datetime.now())


def portable_change_from_elsewhere_shows_and_no_write_drops_it(s):
    start_portable(s)
    total = shown_total(s)
    elsewhere = file_rows(reminders(3))
    rename_over(s, elsewhere)
    wait_total_changes(s, total, "the total to show what a sync tool put in place")
    editor = open_editor(s)
    s.click(*TITLE_BOX, wid=editor)
    s.type("Pagar a conta")
    s.click(*OK, wid=editor)
    wait_until(lambda: s.data() != elsewhere, 10, "the reminder to be written")
    def rows(data):
        return [r for r in data.removeprefix(b'"').removesuffix(b'"\r\n').split(b"\r\n") if r]
    now = rows(s.data())
    check(now[:3] == rows(elsewhere), f"the write dropped what was there: {s.data()!r}")
    check(len(now) == 4 and re.fullmatch(rb".{17}\xa7----/----/----\xa7  \xa7Pagar a conta\xa7",
                                         now[3], re.S), f"the write gave {s.data()!r}")


def portable_second_start_restores_the_first_and_exits(s):
    start_portable(s)
    s.click(*MINIMISE)
    wait_until(lambda: not s.windows(), 10, "the main window to hide")
    second = s.start_again()
    wait_until(lambda: second.poll() is not None, 30, "the second start to end")
    check(second.returncode == 0, f"the second start exited with {second.returncode}")
    wait_until(lambda: s.windows(), 10, "the main window to come back")
    check(len(s.windows()) == 1, f"main windows: {s.windows()}")
    check(s.running(), "the first copy ended")


def installer_installs_writes_to_appdata_and_uninstalls_leaving_the_reminders(s):
    setup = os.path.join(s.out, f"quivera-recordim-{s.version}-setup.exe")
    check(s.run(setup, "/S") == 0, "the silent install failed")
    folder = s.drive_c(INSTALL_DIR)
    exe = os.path.join(folder, "quivera-recordim.exe")
    check(os.path.exists(exe), f"no {exe}")
    links = [link for menu in (s.drive_c("ProgramData", "Microsoft", "Windows", "Start Menu"),
                               os.path.join(s.appdata(), "Microsoft", "Windows", "Start Menu"))
             for link in glob.glob(os.path.join(menu, "**", "*.lnk"), recursive=True)]
    check(any(os.path.basename(link) == "Quivera Recordim!.lnk" for link in links),
          f"Start-menu entries: {links}")

    data_folder = os.path.join(s.appdata(), "quivera-recordim")
    s.start(exe, data_folder)
    s.window(timeout=30)
    s.wait_data(FRESH_FILE, timeout=15)
    check(not os.path.exists(os.path.join(folder, DATA)), "a data file in the install folder")
    s.click(*CLOSE_BUTTON)
    s.wait_exit(15)

    # Without _?= the uninstaller copies itself away and returns at once. NSIS
    # reads that folder unquoted, spaces and all, which Wine's argument quoting
    # would break: a batch file gives the line as it is.
    windows_folder = "C:\\" + INSTALL_DIR.replace("/", "\\")
    with open(s.drive_c("uninstall.bat"), "w") as f:
        f.write(f'"{windows_folder}\\Uninstall.exe" /S _?={windows_folder}\r\n')
    check(s.run("cmd", "/c", "C:\\uninstall.bat") == 0, "the silent uninstall failed")
    check(not os.path.exists(exe), "the uninstall left the exe")
    check(s.data() == FRESH_FILE, "the uninstall touched the reminders")


CASES = [portable_window_is_placed_and_cut_as_on_linux,
         portable_reminder_is_stored_beside_the_exe,
         portable_change_from_elsewhere_shows_and_no_write_drops_it,
         portable_second_start_restores_the_first_and_exits,
         installer_installs_writes_to_appdata_and_uninstalls_leaving_the_reminders]


def main():
    out, version, names = os.path.abspath(sys.argv[1]), sys.argv[2], sys.argv[3:]
    prefix = os.path.join(out, "e2e-prefix")
    shutil.rmtree(prefix, ignore_errors=True)
    shutil.copytree(os.path.join(out, "wine-prefix"), prefix, symlinks=True)
    failed = 0
    for fn in CASES:
        if names and fn.__name__ not in names:
            continue
        start = time.monotonic()
        try:
            with WineSession(out, version, prefix) as s:
                try:
                    fn(s)
                except CaseFailed:
                    # Kept beside the packages: the session's folder goes.
                    s.x("import", "-window", "root", os.path.join(out, f"wine-{fn.__name__}.png"))
                    raise
            print(f"PASS {fn.__name__} ({time.monotonic() - start:.1f} s)")
        except Exception:
            failed += 1
            print(f"FAIL {fn.__name__}")
            traceback.print_exc()
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
