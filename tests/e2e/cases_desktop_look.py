"""End-to-end cases of how the program looks on a user's desktop: its theme."""

from harness import SECONDARY, case, check, file_rows, reminders, wait_until

# qt6ct's own dark scheme: white text, dark grey boxes.
DARK_DESKTOP = {
    "files": {"config/qt6ct/qt6ct.conf": b"[Appearance]\n"
              b"color_scheme_path=/usr/share/qt6ct/colors/darker.conf\n"
              b"custom_palette=true\nstyle=Fusion\n"},
    "env": {"QT_QPA_PLATFORMTHEME": "qt6ct", "XDG_CONFIG_HOME": "{folder}/config"},
}

ROW_TEXT = (5, 80, 120, 10)          # the text of the first row of the list
DESCRIPTION = (10, 66, 190, 100)     # inside the viewer's description box


def grey(s, wid, x, y, width, height):
    """The darkest and the mean grey of a rectangle of a window, 0 black to 1 white."""
    out = s.x("import", "-window", wid, "-crop", f"{width}x{height}+{x}+{y}",
              "-colorspace", "Gray", "-format", "%[fx:minima] %[fx:mean]", "info:")
    darkest, mean = (float(v) for v in out.split())
    return darkest, mean


@case(data=file_rows(reminders(5)), **DARK_DESKTOP)
def a_dark_desktop_scheme_leaves_the_pages_paper(s):
    s.window()
    darkest, _ = grey(s, s.wid, *ROW_TEXT)
    check(darkest < 0.25, f"the list's text is pale on the paper (darkest grey {darkest:.2f})")
    s.click(60, 84)
    viewer = wait_until(lambda: s.windows(SECONDARY), 5, "the viewer to open")[0]
    wait_until(lambda: grey(s, viewer, *DESCRIPTION)[1] > 0.9, 5,
               "the viewer's description box to be white paper")
