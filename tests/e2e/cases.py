"""The end-to-end cases. Each is a function taking a started Session; see README.md."""

import datetime
import re

from harness import FRESH_FILE, SECONDARY, case, check, file_rows, reminders, wait_until

CLOSE_BUTTON = (225, 12)


@case()
def first_start_creates_the_fresh_file(s):
    s.window()
    s.wait_data(FRESH_FILE)


@case(data=file_rows(reminders(40)))
def window_sits_in_the_bottom_right_corner(s):
    s.window()
    left, top, width, height = s.geometry()
    check((width, height) == (249, 345), f"size {width}x{height}")
    screen_w, screen_h = s.screen
    check((left, top) == (screen_w - 249 - 3, screen_h - 345 - 35), f"placed at {left},{top}")
    check(s.visible(), "window not viewable")


@case(data=file_rows(reminders(40)))
def close_button_ends_without_touching_the_file(s):
    before = s.data()
    s.window()
    s.click(*CLOSE_BUTTON)
    s.wait_exit()
    check(s.data() == before, "the file changed")


@case(wm=True, data=file_rows(reminders(3), appended=True))
def close_button_ends_under_a_window_manager(s):
    before = s.data()
    s.window()
    s.click(*CLOSE_BUTTON)
    s.wait_exit()
    check(s.data() == before, "the file changed")


@case(tray=True, data=file_rows(reminders(16)))
def window_keeps_its_corner_beside_a_system_tray(s):
    s.window()
    check(s.x("xdotool", "search", "--name", "^panel$", check_rc=False).split(), "no tray host")
    left, top, _, _ = s.geometry()
    check((left, top) == (s.screen[0] - 249 - 3, s.screen[1] - 345 - 35), f"placed at {left},{top}")


# ---- writing, correcting and the list commands ----

# Main window, pixels from its top-left corner (the layout's twips / 15).
WRITE = (161, 55)
CORRECT = (193, 55)
DELETE = (224, 55)
COPY = (141, 284)
SAVE = (137, 306)
OLDER = (230, 284)
MINIMISE = (196, 16)
BODY = (60, 300)            # bare page below the list: no control there
GAP = 4                     # between a secondary window and the main window


def row(position):
    """The middle of a row of the visible list (13-pixel rows from y 78)."""
    return (60, 78 + 13 * position + 6)


# Editors, pixels from their top-left corner.
TITLE_BOX = (113, 55)
TITLE_RECT = (7, 50, 213, 11)   # inside the title box's border
DESCRIPTION_BOX = (113, 126)
CALENDAR = (130, 190)
OK = (183, 189)
CLOSE = (198, 19)

STAMP = re.compile(rb"\d\d\.\d\d\.\d\d\.\d\d\.\d\d\.\d\d")


def day_cell(day, today):
    """Where the calendar, shown over the boxes, has this day of today's month."""
    first = today.replace(day=1)
    cell = (first.isoweekday() % 7) + day - 1      # Sunday first
    column, line = cell % 7, cell // 7
    return (28 + 28 * column, 74 + 17 * line)


def open_editor(s, button=WRITE):
    """Clicks a main-window button that opens an editor and returns the editor."""
    before = set(s.windows(SECONDARY))
    s.click(*button)
    found = wait_until(lambda: [w for w in s.windows(SECONDARY) if w not in before],
                       5, "the editor to open")
    return found[0]


def click_box(s, editor, box):
    """Clicks a text box and waits for the editor to hold the keyboard: keys sent before
    the program's focus request reaches the server would go to the main window."""
    s.click(*box, wid=editor)
    wait_until(lambda: s.x("xdotool", "getwindowfocus").strip() == editor, 5,
               "the editor to take the keyboard")


def beside_main(s, wid):
    left, top, width, _ = s.geometry()
    wl, wt, ww, _ = s.geometry(wid)
    return (wl + ww, wt) == (left - GAP, top)


def wait_title_cleared(s, editor, blank):
    """The title box shows a message after OK; waits until it is blank again."""
    wait_until(lambda: s.colours(editor, *TITLE_RECT) <= max(blank, 8), 5, "the title box to clear")


def check_stamp(stamp, now):
    posted = datetime.datetime.strptime(stamp.decode(), "%y.%m.%d.%H.%M.%S")
    check(abs((posted - now).total_seconds()) < 120, f"posting stamp {stamp!r} is not now")


@case(data=FRESH_FILE)
def write_two_reminders_with_a_quote_a_line_break_and_a_due_date(s):
    # Typed text stays ASCII: xdotool types "á" by remapping a key for a moment, and a
    # busy program can read the key after the remap is undone. Accented letters reach
    # the file through the prepared rows that the other cases rewrite.
    s.window()
    editor = open_editor(s)
    # Shown, then placed: the place may follow the window onto the screen.
    wait_until(lambda: beside_main(s, editor), 5, "the editor to stand left of the main window")
    blank = s.colours(editor, *TITLE_RECT)

    click_box(s, editor, TITLE_BOX)
    s.type('Diz "sim" ja')
    click_box(s, editor, DESCRIPTION_BOX)
    s.type("linha um")
    s.key("Return")
    s.type("linha dois")
    s.click(*OK, wid=editor)
    wait_until(lambda: s.data() != FRESH_FILE, 5, "the first reminder to be written")
    first = s.data()
    m = re.fullmatch(rb'"(.{17})\xa7----/----/----\xa7  \xa7Diz \xa4sim\xa4 ja\xa7'
                     rb'linha um\xa5linha dois"\r\n', first, re.S)
    check(m, f"first write gave {first!r}")
    check(STAMP.fullmatch(m.group(1)), f"stamp {m.group(1)!r}")
    check_stamp(m.group(1), datetime.datetime.now())

    today = datetime.date.today()
    wait_title_cleared(s, editor, blank)
    s.click(*CALENDAR, wid=editor)
    s.click(*day_cell(15, today), wid=editor)
    # Pasted as copied elsewhere: a line break between the title's words, and an
    # accent apart from its letter with a TAB in the description.
    s.set_clipboard("Pagar\na conta")
    click_box(s, editor, TITLE_BOX)
    s.key("shift+Insert")
    s.set_clipboard("na\u0303o\tpaga")
    click_box(s, editor, DESCRIPTION_BOX)
    s.key("shift+Insert")
    s.click(*OK, wid=editor)
    wait_until(lambda: s.data() != first, 5, "the second reminder to be written")
    second = s.data()
    due = f"15/{today:%m/%y}".encode()
    m2 = re.fullmatch(rb'"(.{17})\xa7----/----/----\xa7  \xa7Diz \xa4sim\xa4 ja\xa7'
                      rb'linha um\xa5linha dois\r\n(.{17})\xa7' + re.escape(due)
                      + rb'\xa7  \xa7Pagar a conta\xa7n\xe3o paga"\r\n', second, re.S)
    check(m2, f"second write gave {second!r}")
    check(m2.group(1) == m.group(1), "the first reminder's stamp changed")
    check(STAMP.fullmatch(m2.group(2)) and m2.group(2) >= m2.group(1), f"stamp {m2.group(2)!r}")
    check_stamp(m2.group(2), datetime.datetime.now())


@case(wm=True, data=FRESH_FILE)
def write_two_reminders_under_a_window_manager(s):
    # The window manager decides who gets the keys after each OK and calendar click.
    write_two_reminders_with_a_quote_a_line_break_and_a_due_date(s)


@case(wm=True, data=FRESH_FILE)
def a_new_editor_takes_the_keyboard_without_a_click(s):
    # Opening the editor is asking to write: typing goes straight to its title box.
    s.window()
    editor = open_editor(s)
    wait_until(lambda: s.x("xdotool", "getwindowfocus").strip() == editor, 5,
               "the editor to take the keyboard")
    s.type("Agora")
    s.click(*OK, wid=editor)
    wait_until(lambda: s.data() != FRESH_FILE, 5, "the reminder to be written")
    check(re.fullmatch(rb'".{17}\xa7----/----/----\xa7  \xa7Agora\xa7"\r\n', s.data(), re.S),
          f"the write gave {s.data()!r}")


SAVE_RECT = (120, 301, 35, 10)
LIST_RECT = (5, 78, 238, 197)


def with_status(rows, index, status):
    rows = list(rows)
    rows[index] = rows[index][:2] + (status,) + rows[index][3:]
    return rows


def turn_older(s):
    before = s.signature(s.wid, *LIST_RECT)
    s.click(*OLDER)
    wait_until(lambda: s.signature(s.wid, *LIST_RECT) != before, 5, "the older page")


def viewer_opens(s):
    return wait_until(lambda: s.windows("Ver lembrete"), 5, "the viewer to open")[0]


@case(data=file_rows(reminders(3)))
def toggle_waits_for_the_red_save_picture(s):
    s.window()
    before = s.data()
    plain = s.signature(s.wid, *SAVE_RECT)
    s.click(*row(0), double=True)             # the newest, index 2, not concluded
    wait_until(lambda: s.signature(s.wid, *SAVE_RECT) != plain, 5, "the red save picture")
    check(s.data() == before, "a toggle alone wrote the file")
    s.click(*SAVE)
    s.wait_data(file_rows(with_status(reminders(3), 2, "×")))
    wait_until(lambda: s.signature(s.wid, *SAVE_RECT) == plain, 5, "the red save picture to go")


def stored(count):
    """Prepared rows whose reminder 1 is concluded and has a two-line description."""
    rows = reminders(count)
    rows[1] = (rows[1][0], "20/03/26", "×", rows[1][3], "Leite\r\novos")
    return rows


@case(data=file_rows(stored(3)))
def correct_keeps_stamp_status_and_place(s):
    s.window()
    s.click(*row(1))                           # index 1
    viewer_opens(s)
    editor = open_editor(s, CORRECT)
    wait_until(lambda: beside_main(s, editor), 5, "the edit window to stand left of the main window")
    click_box(s, editor, TITLE_BOX)
    s.key("End", *["BackSpace"] * len("Lembrete 2"))
    s.type('Corrigido "ja"')
    s.click(*OK, wid=editor)
    rows = stored(3)
    rows[1] = rows[1][:3] + ('Corrigido "ja"',) + rows[1][4:]
    s.wait_data(file_rows(rows))
    wait_until(lambda: editor not in s.windows(SECONDARY), 5, "the edit window to close")


@case(data=file_rows(reminders(40)))
def delete_on_an_older_page_removes_the_row_s_own_reminder(s):
    s.window()
    turn_older(s)                              # indices 24 down to 10
    s.click(*row(3))                           # index 21
    viewer_opens(s)
    s.click(*DELETE)
    rows = reminders(40)
    del rows[21]
    s.wait_data(file_rows(rows))


@case(data=file_rows(stored(3)))
def copy_puts_the_list_on_the_clipboard(s):
    s.window()
    s.click(*COPY)
    # Oldest first, one line each: a line break of a description becomes a space.
    expected = "".join(f"{r[0]} - {r[3]} - {r[4]}".replace("\r\n", " ") + "\r\n"
                       for r in stored(3))
    wait_until(lambda: s.clipboard() == expected, 5, f"the clipboard to hold {expected!r}")


@case(data=file_rows(reminders(3)))
def close_without_saving_loses_only_the_toggle(s):
    s.window()
    editor = open_editor(s)
    click_box(s, editor, TITLE_BOX)
    s.type("Escrito antes")
    s.click(*OK, wid=editor)
    wait_until(lambda: b"Escrito antes" in s.data(), 5, "the new reminder to be written")
    written = s.data()
    plain = s.signature(s.wid, *SAVE_RECT)
    s.click(*row(1), double=True)
    wait_until(lambda: s.signature(s.wid, *SAVE_RECT) != plain, 5, "the red save picture")
    s.click(*CLOSE_BUTTON)
    s.wait_exit()
    check(s.data() == written, "closing wrote the pending toggle")


# ---- keyboard and focus under a window manager ----

def deleted(s, index, count=40):
    """Deletes the selected reminder and checks that it was reminder `index`."""
    s.click(*DELETE)
    rows = reminders(count)
    del rows[index]
    s.wait_data(file_rows(rows))


@case(wm=True, data=file_rows(reminders(40)))
def keys_move_the_selection_while_the_viewer_shows(s):
    s.window()
    s.click(*row(3))                           # index 36
    viewer_opens(s)
    s.key("Down")                              # the viewer did not take the keys
    deleted(s, 35)


@case(wm=True, data=file_rows(reminders(40)))
def down_on_the_last_row_turns_to_the_older_page(s):
    s.window()
    s.click(*row(14))                          # index 25
    viewer = viewer_opens(s)
    before = s.signature(s.wid, *LIST_RECT)
    s.key("Down")                              # older page, its first row: index 24
    wait_until(lambda: s.signature(s.wid, *LIST_RECT) != before, 5, "the older page")
    check(viewer in s.windows(SECONDARY), "the viewer closed on a page turned by a key")
    deleted(s, 24)


@case(wm=True, data=file_rows(reminders(40)))
def up_on_the_first_row_turns_back_to_the_newest_page(s):
    s.window()
    s.click(*row(14))                          # index 25
    viewer_opens(s)
    s.key("Down", "Up")                        # back on the first page, last row again
    deleted(s, 25)


# ---- dragging, docking and the tray, under openbox and trayer ----

HELP = (183, 309)
PAGE_BODY = (120, 22)        # a secondary window's bare page, below the binding


def docked(s):
    """Every shown secondary window stands against the main window's left side."""
    return all(beside_main(s, w) for w in s.windows(SECONDARY))


def skips_taskbar(s, wid):
    return "SKIP_TASKBAR" in s.x("xprop", "-id", wid, "_NET_WM_STATE", check_rc=False)


@case(wm=True, tray=True, data=file_rows(reminders(40)))
def dragging_the_main_window_docks_the_open_windows(s):
    s.window()
    s.click(*row(3))                           # index 36; the viewer opens
    viewer_opens(s)
    s.click(*HELP)
    wait_until(lambda: len(s.windows(SECONDARY)) == 2, 5, "help beside the viewer")
    check(not skips_taskbar(s, s.wid), "the main window is not in the taskbar")
    check(all(skips_taskbar(s, w) for w in s.windows(SECONDARY)),
          "a secondary window shows in the taskbar")

    left, top, _, _ = s.geometry()
    s.drag(BODY, (BODY[0] - 300, BODY[1] - 200))
    wait_until(lambda: s.geometry()[:2] == (left - 300, top - 200), 5, "the main window to move")
    wait_until(lambda: docked(s), 5, "the open windows to dock")
    check(len(s.windows(SECONDARY)) == 2, "docking showed or hid a window")

    # Docking took no focus: the arrow still moves the list's selection.
    check(s.x("xdotool", "getactivewindow").strip() == s.wid, "the main window lost the focus")
    s.key("Down")
    deleted(s, 35)


@case(wm=True, data=file_rows(reminders(3)))
def a_secondary_window_dragged_alone_stays_put(s):
    s.window()
    editor = open_editor(s)
    wait_until(lambda: beside_main(s, editor), 5, "the editor to stand beside the main window")
    left, top, _, _ = s.geometry(editor)
    s.drag(PAGE_BODY, (PAGE_BODY[0] - 150, PAGE_BODY[1] - 100), wid=editor)
    wait_until(lambda: s.geometry(editor)[:2] == (left - 150, top - 100), 5, "the editor to move")
    main_left, main_top, _, _ = s.geometry()
    s.click(*COPY)                             # a command elsewhere leaves it alone
    wait_until(lambda: s.clipboard().startswith("26.01.01"), 5, "the copy")
    check(s.geometry(editor)[:2] == (left - 150, top - 100), "the editor went back")
    check(s.geometry()[:2] == (main_left, main_top), "the main window moved")
    # Any button drags: the right one moves the main window, and the editor docks again.
    s.drag(BODY, (BODY[0] - 40, BODY[1] - 30), button=3)
    wait_until(lambda: s.geometry()[:2] == (main_left - 40, main_top - 30), 5,
               "the main window to move")
    wait_until(lambda: beside_main(s, editor), 5, "the editor to dock")


def tray_icon(s):
    def find():
        out = s.x("xdotool", "search", "--onlyvisible", "--classname", "^quivera-recordim$",
                  check_rc=False)
        return [w for w in out.split() if s.geometry(w)[2] < 64]
    return wait_until(find, 10, "the tray icon")[0]


@case(wm=True, tray=True, data=file_rows(reminders(3)))
def minimise_hides_all_and_either_button_on_the_icon_restores(s):
    s.window()
    icon = tray_icon(s)
    editor = open_editor(s)
    click_box(s, editor, TITLE_BOX)
    s.type("Ainda escrevendo")                 # a title: the editor comes back too
    s.click(*row(0))
    viewer = wait_until(lambda: [w for w in s.windows(SECONDARY) if w != editor], 5, "the viewer")[0]
    for button in (1, 3):
        s.click(*MINIMISE)
        wait_until(lambda: not s.visible() and not s.windows(SECONDARY), 5, "every window to hide")
        ix, iy, iw, ih = s.geometry(icon)
        s.click_screen(ix + iw // 2, iy + ih // 2, button)
        wait_until(lambda: s.visible(), 5, f"button {button} on the icon to restore")
        wait_until(lambda: sorted(s.windows(SECONDARY)) == sorted([editor, viewer]), 5,
                   "the editor and the viewer to come back")


# ---- window shape ----

def presses_behind(s):
    """The screen positions of the button presses the window behind has seen."""
    with open(s.path(".behind.log"), errors="replace") as f:
        text = f.read()
    return [tuple(map(int, m)) for m in
            re.findall(r"ButtonPress event.*?root:\((-?\d+),(-?\d+)\)", text, re.S)]


def press_reaches_behind(s, wid, x, y):
    left, top, _, _ = s.geometry(wid)
    s.click(x, y, wid=wid)
    return wait_until(lambda: (left + x, top + y) in presses_behind(s), 3,
                      f"a press at {x},{y} to reach the window behind")


@case(data=file_rows(reminders(3)))
def presses_outside_the_page_outline_reach_the_window_behind(s):
    s.window()
    # A plain X window filling the screen, under the program's windows.
    s._spawn("behind", ["xev", "-geometry", f"{s.screen[0]}x{s.screen[1]}+0+0",
                        "-event", "button", "-name", "behind"])
    s.window("behind")
    s.x("xdotool", "windowraise", s.wid)

    press_reaches_behind(s, s.wid, 16, 3)       # a notch of the binding
    press_reaches_behind(s, s.wid, 247, 343)    # past the curled corner
    s.click(*row(0))                            # on the page: the program's own
    viewer = viewer_opens(s)
    press_reaches_behind(s, viewer, 16, 3)
    press_reaches_behind(s, viewer, 226, 202)
    check(len(presses_behind(s)) == 4, f"presses behind: {presses_behind(s)}")


@case(data=file_rows(reminders(3)))
def double_click_on_the_body_closes_every_secondary_window(s):
    s.window()
    s.click(*row(0))
    viewer_opens(s)
    s.click(*HELP)
    wait_until(lambda: len(s.windows(SECONDARY)) == 2, 5, "help beside the viewer")
    left, top, _, _ = s.geometry()
    s.click(*BODY, double=True)
    wait_until(lambda: not s.windows(SECONDARY), 5, "every secondary window to close")
    check(s.geometry()[:2] == (left, top) and s.visible(), "the main window moved or went")


@case(wm=True, tray=True, data=file_rows(reminders(3)))
def restore_leaves_the_edit_window_hidden(s):
    s.window()
    icon = tray_icon(s)
    s.click(*row(1))
    viewer_opens(s)
    open_editor(s, CORRECT)                    # closes the viewer
    s.click(*MINIMISE)
    wait_until(lambda: not s.visible() and not s.windows(SECONDARY), 5, "every window to hide")
    ix, iy, iw, ih = s.geometry(icon)
    s.click_screen(ix + iw // 2, iy + ih // 2)
    wait_until(lambda: s.visible(), 5, "the icon to restore")
    s.click(*COPY)                             # one more round trip through the program
    wait_until(lambda: s.clipboard().startswith("26.01.01"), 5, "the copy")
    check(not s.windows(SECONDARY), "the edit window came back")
