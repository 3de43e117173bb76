"""End-to-end cases of the keyboard: a reminder's whole life without the mouse, and
the mouse user who never sees the keyboard's focus mark."""

import os
import re
import time

from cases import COPY, HELP, SAVE_RECT
from cases_sync import HOME_FILES, OWN_HOME, SYNCTHING_COPY, new_reminder, rename_over
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

    # Two more as a quick typist writes them: a word typed into the middle of the
    # first, before an equal letter, and the next title typed at once after it.
    s.key("ctrl+n")
    wait_new_focus(s, s.wid)
    s.type("Peclado")
    s.key("Home", "Right")
    s.type("elo t")
    s.key("ctrl+Return")
    wait_focus(s, s.wid, "the keyboard to come back after the store")
    s.key("ctrl+n")
    wait_new_focus(s, s.wid)
    s.type("Segundo")
    s.key("ctrl+Return")
    two = (rb'"(.{17})\xa7----/----/----\xa7  \xa7Pelo teclado\xa7\r\n'
           rb'(.{17})\xa7----/----/----\xa7  \xa7Segundo\xa7(\r\n)?"\r\n')
    wait_until(lambda: re.fullmatch(two, s.data(), re.S), 5, "the two titles as they were typed")

    # While "Entrada inserida com sucesso!" shows: typed over the whole of it
    # selected, the title is what was typed; undone from the box's own menu, the
    # box is empty and OK stores nothing.
    wait_focus(s, s.wid, "the keyboard to come back after the store")
    s.key("ctrl+n")
    writer = wait_new_focus(s, s.wid)
    s.key("End", "shift+Home")
    s.type("Enviar")
    s.key("ctrl+Return")
    wait_until(lambda: s.data().count(b"\xa7----/----/----\xa7") == 3, 5, "the third reminder")
    check(b"\xa7Enviar\xa7" in s.data(), "the title typed over the message was not kept whole")
    wait_focus(s, s.wid, "the keyboard to come back after the store")
    s.key("ctrl+n")
    writer = wait_new_focus(s, s.wid)
    s.type("x")
    s.click(60, 55, button=3, wid=writer)         # the title box's menu
    s.key("Down", "Return")                       # its first entry, Desfazer
    s.key("ctrl+Return")
    wait_focus(s, s.wid, "the keyboard to come back after OK")
    time.sleep(0.5)
    check(s.data().count(b"\xa7----/----/----\xa7") == 3 and b"Entrada" not in s.data(),
          "OK after Undo over a message stored a reminder")


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



def hear(s, *keys, said, ends=True):
    """Presses the keys and waits until Orca has said these words, in this order, and
    with `ends`, the last of them as the last thing it said: what the user is left
    hearing. (A window's name is followed by its focused control.) Returns
    everything it said meanwhile."""
    since = len(s.heard())
    s.key(*keys)
    s.wait_heard(*said, since=since)
    # Orca speaks within milliseconds of an event: half a second of quiet is the end.
    count = -1
    while count != len(s.heard()):
        count = len(s.heard())
        time.sleep(0.5)
    heard = s.heard()[since:]
    # Orca 48 no longer holds a key until it has heard of it, so its echo of the key
    # may follow what the program did; the last words that answer the key count.
    answers = s.heard(since, echoes=False)
    check(not ends or (answers and said[-1] in answers[-1]),
          f"after {keys} the last words were {answers[-1:]}: {heard}")
    return heard


@case(wm=True, orca=True, data=FRESH_FILE, env=OWN_HOME, files=HOME_FILES)
def a_screen_reader_user_hears_what_each_key_did(s):
    # A window is heard by its name. Orca 43 adds "frame"; 48 leaves the word out
    # where it took the window for active before the keyboard came back to it.
    main, writer = "Quivera Recordim!", "Escrever lembrete"
    button = s.role_words("push button")
    s.window()
    wait_focus(s, s.wid, "the main window to take the keyboard")
    s.wait_heard(main, timeout=20)

    hear(s, "ctrl+n", said=[writer], ends=False)
    s.type("Pelo teclado")
    # The message comes after the main window's name, which would cut it off.
    hear(s, "ctrl+Return", said=[main, "notification Entrada inserida com sucesso!"])
    written = s.data()
    check(stored(written, rb"  ", rb"Pelo teclado"), f"the write gave {written!r}")
    hear(s, "F6", said=[writer], ends=False)
    hear(s, "F6", said=[main])

    hear(s, "Tab", "Down", said=["Pelo teclado, sem vencimento, não concluído"])
    hear(s, "space", said=["notification Pelo teclado, concluído"])
    check(s.data() == written, "a toggle alone wrote the file")
    hear(s, "ctrl+s", said=["notification Lista salva!"])
    saved = stored(s.data(), b"\xd7", rb"Pelo teclado")
    check(saved, f"the save gave {s.data()!r}")

    # Nothing is selected after a save; the same message twice is heard twice.
    for _ in range(2):
        hear(s, "F2", said=["notification Selecione um ítem primeiro!"])
    check(s.data() == saved.group(0), "F2 without a selection wrote the file")

    hear(s, "Tab", "Down", "F2", said=["Corrigir lembrete"], ends=False)
    s.type(" mudado")
    heard = hear(s, *["Tab"] * 3, said=[f"Limpar vencimento {button}", "sem data"])
    check(not any("--" in words for words in heard), f"dashes were read: {heard}")
    hear(s, "ctrl+Return", said=[main, "notification Entrada atualizada!"])
    corrected = stored(s.data(), b"\xd7", rb"Pelo teclado mudado")
    check(corrected and corrected.group(1) == saved.group(1), f"the correction gave {s.data()!r}")

    # A sync tool brings a reminder from elsewhere, then a conflict copy of it.
    ours = (corrected.group(1).decode(), "----/----/----", "×", "Pelo teclado mudado", "")
    theirs = new_reminder("Do outro computador", "26.01.01.10.00.00")
    since = len(s.heard())
    rename_over(s, file_rows([theirs, ours]))
    s.wait_heard("notification Lista atualizada!", since=since)
    check(s.data() == file_rows([theirs, ours]), f"following the file wrote {s.data()!r}")
    since = len(s.heard())
    copy = new_reminder("Da cópia em conflito", "26.01.02.10.00.00")
    with open(s.path(".copy.tmp"), "wb") as f:
        f.write(file_rows([theirs, copy]))
    os.replace(s.path(".copy.tmp"), s.path(SYNCTHING_COPY))
    s.wait_heard("notification Cópia em conflito incorporada!", since=since)
    s.wait_data(file_rows([theirs, copy, ours]))

    hear(s, "F1", said=["Ajuda"], ends=False)
    hear(s, "Escape", said=[main])
    # The arrow's release on the first row goes on to the last: the oldest reminder.
    hear(s, "Tab", "Down", said=["Do outro computador, sem vencimento, não concluído"])
    hear(s, *["Tab"] * 5, said=[f"Apagar {button}"])
    hear(s, "space", said=["notification Entrada apagada!"])
    s.wait_data(file_rows([copy, ours]))
