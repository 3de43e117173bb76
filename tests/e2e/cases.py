"""The end-to-end cases. Each is a function taking a started Session; see README.md."""

from harness import FRESH_FILE, case, check, file_rows, reminders

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
