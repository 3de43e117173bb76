"""End-to-end cases of hasty double clicks on the picture buttons: one command each."""

import time

from cases import LIST_RECT, OK, OLDER, TITLE_BOX, click_box, open_editor
from harness import FRESH_FILE, case, check, file_rows, reminders, wait_until

OLDER_RECT = (219, 279, 23, 11)
SETTLE = 0.6    # longer than a double click takes to reach the program


@case(data=FRESH_FILE)
def a_hasty_double_click_on_ok_stores_one_reminder(s):
    s.window()
    editor = open_editor(s)
    click_box(s, editor, TITLE_BOX)
    s.type("Uma vez")
    s.click(*OK, wid=editor, double=True)
    wait_until(lambda: s.data() != FRESH_FILE, 5, "the reminder to be written")
    time.sleep(SETTLE)
    rows = s.data().count(b"\xa7Uma vez\xa7") + s.data().count(b"Entrada inserida")
    check(rows == 1, f"a double click on OK wrote {s.data()!r}")


@case(data=file_rows(reminders(40)))
def a_hasty_double_click_on_an_arrow_turns_one_page(s):
    # Three pages: after one turn the arrow to older reminders is still there.
    s.window()
    active = s.signature(s.wid, *OLDER_RECT)
    before = s.signature(s.wid, *LIST_RECT)
    s.click(*OLDER, double=True)
    wait_until(lambda: s.signature(s.wid, *LIST_RECT) != before, 5, "the older page")
    time.sleep(SETTLE)
    check(s.signature(s.wid, *OLDER_RECT) == active, "the double click turned two pages")
