"""The list follows its file when something else changes it: a text editor, a sync
tool renaming a new file over it, a conflict copy beside it, a lock from another
computer. Each case sees the change in the list before it writes anything, so it
is the watcher that is tested and not only the check before a write."""

import glob
import os
import shutil
import tempfile

import syncthing_pair
from harness import SECONDARY, Session, case, check, file_rows, reminders, wait_until
from cases import CLOSE, DELETE, OK, SAVE, TITLE_BOX, click_box, open_editor, row, viewer_opens
from cases_desktop import LOCK, second_start_exits

# Main window: the total, and the message line.
TOTAL_RECT = (149, 331, 73, 13)
MESSAGE_RECT = (5, 48, 135, 13)

# A home, data home (its trash) and state folder of the case's own, so nothing it
# trashes lands in the real ones. The home exists, as every real one does: Qt looks
# for a trash on the file's own volume when it cannot tell the home's.
OWN_HOME = {"HOME": "{folder}/home", "XDG_DATA_HOME": "{folder}/share",
            "XDG_STATE_HOME": "{folder}/state"}
HOME_FILES = {"home/.keep": b""}

SYNCTHING_COPY = "lembretes.sync-conflict-20260314-090500-ABCDEFG.dat"
NEXTCLOUD_COPY = "lembretes (conflicted copy maria 2026-03-14 090500).dat"
DROPBOX_COPY = "lembretes (Ana's conflicted copy 2026-03-14 2).dat"


def new_reminder(title, posted="26.03.14.09.05.00"):
    return (posted, "----/----/----", "  ", title, "de outro lugar")


def steady(s, rect):
    """What a rectangle of the main window shows once it has stopped changing: a
    window just mapped may not have painted everything yet."""
    last = [None]

    def same():
        now = s.signature(s.wid, *rect)
        done, last[0] = now == last[0], now
        return done
    wait_until(same, 5, "the window to settle")
    return last[0]


def shown_total(s):
    return steady(s, TOTAL_RECT)


def message_line(s):
    return s.signature(s.wid, *MESSAGE_RECT)


def wait_total_changes(s, before, what):
    wait_until(lambda: s.signature(s.wid, *TOTAL_RECT) != before, 10, what)


def write_in_place(s, data):
    """Rewrites the file keeping its inode, as most text editors save."""
    inode = os.stat(s.path("lembretes.dat")).st_ino
    with open(s.path("lembretes.dat"), "r+b") as f:
        f.truncate(0)
        f.write(data)
    check(os.stat(s.path("lembretes.dat")).st_ino == inode, "the write replaced the file")


def rename_over(s, data):
    """Writes a new file beside it and renames it over, as sync tools do."""
    with open(s.path(".sync-tool.tmp"), "wb") as f:
        f.write(data)
    os.replace(s.path(".sync-tool.tmp"), s.path("lembretes.dat"))


def trashed(s, name):
    """The bytes of a file in the case's own trash, or None."""
    try:
        with open(s.path(f"share/Trash/files/{name}"), "rb") as f:
            return f.read()
    except OSError:
        return None


@case(data=file_rows(reminders(3)), env=OWN_HOME, files=HOME_FILES)
def an_editor_s_in_place_write_shows_and_no_write_drops_it(s):
    s.window()
    total, blank = shown_total(s), steady(s, MESSAGE_RECT)
    elsewhere = reminders(3) + [new_reminder("Escrito no editor", "26.03.20.10.00.00")]
    write_in_place(s, file_rows(elsewhere))
    wait_total_changes(s, total, "the total to show the reminder written in the editor")
    wait_until(lambda: message_line(s) != blank, 5, "the message line")
    wait_until(lambda: message_line(s) == blank, 5, "the message line to go")
    # The newest row is now the editor's reminder: toggle it and save.
    s.click(*row(0), double=True)
    s.click(*SAVE)
    elsewhere[3] = elsewhere[3][:2] + ("×",) + elsewhere[3][3:]
    s.wait_data(file_rows(elsewhere))


@case(data=file_rows(reminders(3)), env=OWN_HOME, files=HOME_FILES)
def a_rename_over_the_file_shows_and_no_write_drops_it(s):
    s.window()
    total = shown_total(s)
    elsewhere = reminders(3) + [new_reminder("Do outro computador", "26.03.20.10.00.00")]
    rename_over(s, file_rows(elsewhere))
    wait_total_changes(s, total, "the total to show the synced reminder")
    # The file's watch is back after the rename: an in-place write shows too.
    total = shown_total(s)
    write_in_place(s, file_rows(elsewhere[1:]))
    wait_total_changes(s, total, "the total to show the in-place write after the rename")
    s.click(*row(1))                          # reminders(3)[2], now at index 1
    viewer_opens(s)
    s.click(*DELETE)
    s.wait_data(file_rows([elsewhere[1], elsewhere[3]]))


@case(data=file_rows(reminders(3)), env=OWN_HOME, files=HOME_FILES)
def a_delete_right_after_an_unseen_change_deletes_the_right_reminder(s):
    s.window()
    s.click(*row(1))                          # index 1, "Lembrete 2"
    viewer_opens(s)
    total = shown_total(s)
    # Elsewhere reminder 0 goes and one is added: index 1 is now another reminder.
    rows = reminders(3)
    elsewhere = rows[1:] + [new_reminder("Do outro computador", "26.03.20.10.00.00")]
    rename_over(s, file_rows(elsewhere))
    s.click(*DELETE)                          # well within the watcher's quiet time
    s.wait_data(file_rows([rows[2], elsewhere[2]]))
    wait_total_changes(s, total, "the total to show the list after the delete")


# "Da nuvem" was written in the same second as "Feito aqui", on the other computer.
FROM_THE_CLOUD = reminders(3) + [new_reminder("Da nuvem")]


@case(data=file_rows(reminders(3) + [new_reminder("Feito aqui")]), env=OWN_HOME,
      files=dict(HOME_FILES, **{
          NEXTCLOUD_COPY: file_rows(FROM_THE_CLOUD),
          DROPBOX_COPY: file_rows(reminders(2))}))
def conflict_copies_are_merged_and_go_to_the_trash(s):
    s.window()
    # The two copies there at the start: merged as a union, no deletion taken, and
    # the reminder of the same second kept beside this one's.
    start = reminders(3) + [new_reminder("Feito aqui"), new_reminder("Da nuvem")]
    s.wait_data(file_rows(start))
    wait_until(lambda: not os.path.exists(s.path(NEXTCLOUD_COPY))
               and not os.path.exists(s.path(DROPBOX_COPY)), 5, "the copies to go")
    check(trashed(s, NEXTCLOUD_COPY) == file_rows(FROM_THE_CLOUD),
          "the Nextcloud copy is not in the trash")
    check(trashed(s, DROPBOX_COPY) == file_rows(reminders(2)), "the Dropbox copy is not in the trash")

    # One appearing while the program runs.
    total = shown_total(s)
    copy = start + [new_reminder("Sincronizado", "26.03.20.10.00.00")]
    with open(s.path(".syncthing.tmp"), "wb") as f:
        f.write(file_rows(copy))
    os.replace(s.path(".syncthing.tmp"), s.path(SYNCTHING_COPY))
    wait_total_changes(s, total, "the total to show the merged copy")
    s.wait_data(file_rows(copy))
    wait_until(lambda: trashed(s, SYNCTHING_COPY) == file_rows(copy), 5,
               "the Syncthing copy in the trash")
    check(not glob.glob(s.path("*conflict*")), f"copies left: {os.listdir(s.folder)}")
    check(not os.path.exists(s.path("files")) and not os.path.exists(s.path("info")),
          "a trash was made in the working folder")


@case(data=file_rows(reminders(3)), env=OWN_HOME,
      files=dict(HOME_FILES, **{LOCK: b"4242\nquivera-recordim\nanother-computer\n"}))
def a_lock_file_from_another_computer_does_not_stop_a_start(s):
    s.window()
    check(s.running(), "the program did not start")
    with open(s.path(LOCK), "rb") as f:
        check(f.read() == b"4242\nquivera-recordim\nanother-computer\n",
              "another computer's lock was touched")
    # One copy per data file all the same, through the lock in the runtime folder.
    second_start_exits(s)
    total = shown_total(s)
    write_in_place(s, file_rows(reminders(4)))
    wait_total_changes(s, total, "the total to show the change")
    s.click(*row(0), double=True)
    s.click(*SAVE)
    s.wait_data(file_rows(reminders(4)[:3] + [reminders(4)[3][:2] + ("  ",) + reminders(4)[3][3:]]))


# ---- two computers, kept in step by two real Syncthing instances ----

def write_reminder(s, title):
    """Writes a new reminder through the new-reminder editor and closes it."""
    editor = open_editor(s)
    click_box(s, editor, TITLE_BOX)
    s.type(title)
    s.click(*OK, wid=editor)
    wait_until(lambda: title.encode() in s.data(), 5, f"{title!r} to be written")
    s.click(*CLOSE, wid=editor)
    wait_until(lambda: editor not in s.windows(SECONDARY), 5, "the editor to close")


def holds(s, *titles):
    data = s.data() if os.path.exists(s.path("lembretes.dat")) else b""
    return all(t.encode() in data for t in titles)


def conflict_copies(s):
    return glob.glob(s.path("lembretes.sync-conflict-*"))


def trashed_copies(s):
    return glob.glob(s.path("share/Trash/files/lembretes.sync-conflict-*"))


def dump(sessions, pair):
    """What a failed case leaves: each Syncthing's log, and the files of each folder
    and trash that concern the list."""
    for instance in pair:
        print(f"--- syncthing {instance.name} ---\n{instance.log_text()[-3000:]}")
    for s in sessions:
        for pattern in ("lembretes*", "share/Trash/files/*"):
            for path in sorted(glob.glob(s.path(pattern))):
                with open(path, "rb") as f:
                    print(f"{os.path.relpath(path, s.folder)}: {f.read()!r}")


@case(data=file_rows(reminders(2)), env=OWN_HOME, files=HOME_FILES)
def two_computers_kept_in_step_by_syncthing(s):
    root = tempfile.mkdtemp(prefix="qr-syncthing-")
    pair = []
    try:
        with Session(s.program, data=file_rows(reminders(2)), env=OWN_HOME,
                     files=HOME_FILES) as t:
            try:
                in_step(s, t, root, pair)
            except BaseException:
                dump((s, t), pair)
                raise
    finally:
        for instance in pair:
            instance.stop()
        shutil.rmtree(root, ignore_errors=True)


def in_step(s, t, root, pair):
    s.window()
    t.window()
    a = syncthing_pair.Instance(root, "a", s.folder)
    b = syncthing_pair.Instance(root, "b", t.folder)
    pair += [a, b]
    a.configure(b, dial=True)
    b.configure(a, dial=False)
    a.start()
    b.start()
    wait_until(lambda: a.connected(b) and b.connected(a), 60, "the two to connect")

    # One computer's reminder shows on the other, and the other's next write keeps it.
    total_b = shown_total(t)
    write_reminder(s, "Do computador A")
    wait_until(lambda: holds(t, "Do computador A"), 30, "A's reminder to reach B")
    wait_total_changes(t, total_b, "B's total to show A's reminder")
    write_reminder(t, "Do computador B")
    check(holds(t, "Do computador A"), "B's write dropped A's reminder")
    wait_until(lambda: holds(s, "Do computador A", "Do computador B"), 30,
               "B's reminder to reach A")

    # A conflict: both write while apart.
    b.stop()
    write_reminder(s, "So no A")
    # No pause: the two may be posted in the same second, and both stay.
    write_reminder(t, "So no B")
    b.start()
    everything = ("Do computador A", "Do computador B", "So no A", "So no B")
    wait_until(lambda: holds(s, *everything) and holds(t, *everything)
               and s.data() == t.data(), 90, "both to hold every reminder")
    wait_until(lambda: trashed_copies(s) or trashed_copies(t), 30,
               "a merged conflict copy in a trash")
    wait_until(lambda: not conflict_copies(s) and not conflict_copies(t), 30,
               "no conflict copy left in either folder")
    check(s.data() == t.data(), "the two files differ")
    check(s.running() and t.running(), "a copy of the program ended")
