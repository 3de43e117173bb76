"""Due reminders announced on a private session bus, served by dunst or by nothing."""

import datetime
import html
import json
import re
import time

from cases import MINIMISE, SAVE, row
from harness import case, check, file_rows, wait_until


def due_text(days_from_today):
    return (datetime.date.today() + datetime.timedelta(days=days_from_today)).strftime("%d/%m/%y")


# One reminder due today, one overdue, one concluded, one due tomorrow and one
# without a date; a title carries markup characters.
ROWS = [
    ("26.01.01.08.00.00", due_text(0), "  ", "Hoje <b>&amp;</b>", "a"),
    ("26.01.01.08.00.01", due_text(-3), "  ", "Atrasado", "b"),
    ("26.01.01.08.00.02", due_text(-4), "×", "Feito", "c"),
    ("26.01.01.08.00.03", due_text(1), "  ", "Amanhã", "d"),
    ("26.01.01.08.00.04", "----/----/----", "  ", "Sem data", "e"),
]
EXPECTED_BODY = f"Venceu em {due_text(-3)}: Atrasado\nVence hoje: Hoje <b>&amp;</b>"


def dunst(s, *args):
    return s.x("dunstctl", *args).strip()


def closed_notifications(s):
    """Closes whatever dunst shows and returns its whole history."""
    dunst(s, "close-all")
    history = json.loads(dunst(s, "history"))["data"][0]
    return [{key: n[key]["data"] for key in ("summary", "body", "appname")} for n in history]


def program_windows(s):
    return s.x("xdotool", "search", "--onlyvisible", "--classname", "^quivera-recordim$",
               check_rc=False).split()


@case(wm=True, tray=True, bus="dunst", data=file_rows(ROWS))
def due_reminders_make_one_notification_whose_action_restores(s):
    before = s.data()
    s.window()
    wait_until(lambda: dunst(s, "count", "displayed") == "1", 10, "a notification")

    s.click(*MINIMISE)
    wait_until(lambda: not s.visible(), 5, "the main window to hide")
    dunst(s, "action", "0")
    wait_until(lambda: s.visible(), 5, "the default action to restore the window")

    sent = closed_notifications(s)
    check(len(sent) == 1, f"notifications: {sent}")
    n = sent[0]
    check(n["summary"] == "Lembretes vencendo", f"summary {n['summary']!r}")
    # dunst reads the body as markup, so the titles must arrive escaped.
    check("<" not in n["body"] and html.unescape(n["body"]) == EXPECTED_BODY,
          f"body {n['body']!r}")
    check(n["appname"] == "Quivera Recordim!", f"app name {n['appname']!r}")
    log = s.bus_log()
    check(log.count("member=Notify") == 1, "Notify called more than once")
    check(re.search(r'string "desktop-entry"\s+variant\s+string "io.github.quivera.Recordim"', log),
          "no desktop-entry hint")
    # The icon as 48 x 48 RGBA rows: width, height, stride, alpha, 8 bits, 4 channels.
    check(re.search(r'string "image-data"\s+variant\s+struct {\s+int32 48\s+int32 48\s+'
                    r'int32 192\s+boolean true\s+int32 8\s+int32 4\s+array of bytes', log),
          "no image-data hint")
    check(s.data() == before, "the check changed the file")


@case(bus="bare", data=file_rows(ROWS))
def without_a_notification_service_the_program_works_as_before(s):
    s.window()
    # The call goes out, the bus answers that nobody serves it, and nothing shows.
    wait_until(lambda: "org.freedesktop.DBus.Error.ServiceUnknown" in s.bus_log()
               and "member=Notify" in s.bus_log(), 10, "the failed call")
    time.sleep(0.5)
    check(program_windows(s) == [s.wid], f"windows: {program_windows(s)}")

    s.click(*row(0), double=True)              # the newest: toggled, then saved
    s.click(*SAVE)
    rows = list(ROWS)
    rows[4] = rows[4][:2] + ("×",) + rows[4][3:]
    s.wait_data(file_rows(rows))
    check(s.running(), "the program ended")
