"""End-to-end cases of the keyboard: a reminder's whole life without the mouse, and
the mouse user who never sees the keyboard's focus mark."""

import re

from cases import COPY, HELP, SAVE_RECT
from harness import FRESH_FILE, case, check, file_rows, reminders, wait_until

ABOUT = (227, 306)
DELETE_RECT = (207, 36, 35, 38)     # Apagar with a margin around it
MAIN_RECT = (0, 0, 249, 345)


def focused(s):
    return s.x("xdotool", "getwindowfocus").strip()


def wait_focus(s, wid, what):
    wait_until(lambda: focused(s) == wid, 5, what)


def wait_new_focus(s, *old):
    """Waits for a window other than these to take the keyboard and returns it."""
    return wait_until(lambda: (lambda f: f not in old and f)(focused(s)), 5,
                      "a new window to take the keyboard")


def stored(data, status, title):
    """The match of a file holding one reminder without due date or description."""
    return re.fullmatch(rb'"(.{17})\xa7----/----/----\xa7' + status + rb'\xa7' + title
                        + rb'\xa7(\r\n)?"\r\n', data, re.S)


@case(wm=True, data=FRESH_FILE)
def the_keyboard_alone_writes_concludes_saves_corrects_and_deletes(s):
    s.window()
    wait_focus(s, s.wid, "the main window to take the keyboard")

    s.key("ctrl+n")                               # the title box takes the keys at once
    writer = wait_new_focus(s, s.wid)
    s.type("Pelo teclado")
    s.key("ctrl+Return")
    wait_until(lambda: stored(s.data(), rb"  ", rb"Pelo teclado"), 5, "the reminder to be written")
    written = s.data()
    wait_focus(s, s.wid, "the keyboard to come back to the main window")
    s.key("F6")                                   # round the open windows and back
    wait_focus(s, writer, "F6 to reach the editor")
    s.key("F6")
    wait_focus(s, s.wid, "F6 to come back to the main window")

    plain = s.signature(s.wid, *SAVE_RECT)
    s.key("Tab", "Down", "space")                 # into the list, its row, concluded
    wait_until(lambda: s.signature(s.wid, *SAVE_RECT) != plain, 5, "the red save picture")
    check(s.data() == written, "a toggle alone wrote the file")
    s.key("ctrl+s")
    wait_until(lambda: stored(s.data(), b"\xd7", rb"Pelo teclado"), 5, "the save")
    stamp = stored(s.data(), b"\xd7", rb"Pelo teclado").group(1)

    s.key("Tab", "Down", "F2")                    # the title box, cursor after the title
    wait_new_focus(s, s.wid, writer)
    s.type(" mudado")
    s.key("ctrl+Return")
    wait_until(lambda: stored(s.data(), b"\xd7", rb"Pelo teclado mudado"), 5, "the correction")
    check(stored(s.data(), b"\xd7", rb"Pelo teclado mudado").group(1) == stamp,
          "the correction changed the posting stamp")

    # No key deletes: the keyboard moves to Apagar, which shows the focus mark.
    wait_focus(s, s.wid, "the keyboard to come back to the main window")
    s.key("Tab", "Down")
    before = s.signature(s.wid, *DELETE_RECT)
    s.key(*["Tab"] * 5)                           # Minimizar, Fechar, Escrever, Corrigir, Apagar
    wait_until(lambda: s.signature(s.wid, *DELETE_RECT) != before, 5, "the focus mark on Apagar")
    s.key("space")
    s.wait_data(file_rows([]))


@case(wm=True, data=file_rows(reminders(3)))
def mouse_clicks_on_the_pictures_show_no_focus_mark(s):
    s.window()
    wait_focus(s, s.wid, "the main window to take the keyboard")
    before = s.signature(s.wid, *MAIN_RECT)
    s.click(*COPY)
    wait_until(lambda: s.clipboard().startswith("26.01.01"), 5, "the copy")
    s.click(*HELP)
    s.click(*ABOUT)
    # The message line goes after two seconds; a mark would stay.
    wait_until(lambda: s.signature(s.wid, *MAIN_RECT) == before, 5,
               "the main window to look as it did before the clicks")
