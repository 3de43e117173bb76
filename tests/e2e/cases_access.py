"""A screen reader's view: every window read and driven through the accessibility bus."""

import calendar
import datetime
import re

from cases import STAMP
from harness import case, check, file_rows, reminders, wait_until

MONTHS = ["janeiro", "fevereiro", "março", "abril", "maio", "junho", "julho", "agosto",
          "setembro", "outubro", "novembro", "dezembro"]
EDITOR_BUTTONS = {"Fechar", "Calendário", "Limpar vencimento", "OK"}
MONTH_BUTTONS = {"Mês anterior", "Mês atual", "Próximo mês"}


def tree(s):
    return s.atspi({"do": "tree"})


def buttons(nodes, window):
    """The names of the showing push buttons of a window that can be pressed."""
    return {n["name"] for n in nodes if n["window"] == window and n["showing"]
            and n["role"] == "push button" and "Press" in n["actions"]}


def check_all_named(nodes):
    nameless = [n for n in nodes if n["showing"] and n["actions"] and not n["name"]]
    check(not nameless, f"acting objects without a name: {nameless}")


def showing_window(s, title):
    return wait_until(lambda: any(n["window"] == title and len(n["path"]) == 1 and n["showing"]
                                  for n in tree(s)), 5, f"window {title!r} to show")


def press(s, window, name, role="push button", action="Press"):
    s.atspi({"do": "action", "action": action,
             "query": {"window": window, "role": role, "name": name}})


def node(nodes, **query):
    found = [n for n in nodes if n["showing"] and all(n[k] == v for k, v in query.items())]
    check(found, f"no showing {query}")
    return found[0]


# The newest row is due and concluded: it is read as words, never as its symbols.
DUE_ROWS = reminders(16) + [("26.02.01.09.00.00", "20/03/26", "×", "Pagar a luz", "")]


@case(a11y=True, data=file_rows(DUE_ROWS))
def every_acting_control_has_a_name_and_a_press_action(s):
    s.window()
    nodes = wait_until(lambda: (lambda t: t if buttons(t, "Quivera Recordim!") else None)(tree(s)),
                       10, "the main window on the accessibility bus")
    # The save picture and the newer-page arrow are hidden; artwork is not offered.
    check(buttons(nodes, "Quivera Recordim!") == {
        "Escrever", "Corrigir", "Apagar", "Copiar para a área de transferência", "Avançar",
        "Ajuda", "Sobre o Programa", "Minimizar", "Fechar"},
        f"main window buttons: {buttons(nodes, 'Quivera Recordim!')}")
    check_all_named(nodes)
    lista = node(nodes, role="list")
    check(lista["name"] == "Lembretes", f"list named {lista['name']!r}")
    check(lista["children"] == 15, f"{lista['children']} rows")
    rows = [n for n in nodes if n["role"] == "list item"]
    check(rows[0]["name"] == "Pagar a luz, vence em 20 de março de 2026, concluído",
          f"row 0: {rows[0]}")
    check(rows[2]["name"] == "Lembrete 15, sem vencimento, não concluído", f"row 2: {rows[2]}")
    check(rows[0]["actions"] == ["Toggle"], f"row actions: {rows[0]['actions']}")

    press(s, "Quivera Recordim!", "Escrever")
    showing_window(s, "Escrever lembrete")
    nodes = tree(s)
    check(buttons(nodes, "Escrever lembrete") == EDITOR_BUTTONS,
          f"editor buttons: {buttons(nodes, 'Escrever lembrete')}")
    title = node(nodes, window="Escrever lembrete", role="text", name="Título")
    check(title["description"] == "Máximo 45 caracteres", f"title box: {title}")
    node(nodes, window="Escrever lembrete", role="text", name="Descrição")
    due = node(nodes, window="Escrever lembrete", name="Limpar vencimento")
    check(due["description"] == "sem data", f"due: {due}")
    check_all_named(nodes)

    # The calendar comes out with this month's days, each read as its date.
    press(s, "Escrever lembrete", "Calendário")
    today = datetime.date.today()
    days = {f"{d} de {MONTHS[today.month - 1]} de {today.year}"
            for d in range(1, calendar.monthrange(today.year, today.month)[1] + 1)}
    nodes = wait_until(lambda: (lambda t: t if MONTH_BUTTONS <= buttons(t, "Escrever lembrete")
                                else None)(tree(s)), 5, "the calendar's buttons")
    check(buttons(nodes, "Escrever lembrete") == EDITOR_BUTTONS | MONTH_BUTTONS | days,
          f"with the calendar: {sorted(buttons(nodes, 'Escrever lembrete'))}")
    check_all_named(nodes)
    # A picked day is what "Limpar vencimento" would clear.
    press(s, "Escrever lembrete", f"15 de {MONTHS[today.month - 1]} de {today.year}")
    picked = f"vence em 15 de {MONTHS[today.month - 1]} de {today.year}"
    wait_until(lambda: node(tree(s), window="Escrever lembrete",
                            name="Limpar vencimento")["description"] == picked, 5, "the due date")
    check(not MONTH_BUTTONS & buttons(tree(s), "Escrever lembrete"), "the calendar stayed")
    press(s, "Escrever lembrete", "Limpar vencimento")
    wait_until(lambda: node(tree(s), window="Escrever lembrete", name="Limpar vencimento")[
        "description"] == "sem data", 5, "the due date to be cleared")

    def opened(window, expected):
        showing_window(s, window)
        nodes = tree(s)
        check(buttons(nodes, window) == expected, f"{window}: {buttons(nodes, window)}")
        check_all_named(nodes)
        return nodes

    press(s, "Quivera Recordim!", "Ajuda")
    nodes = opened("Ajuda", {"Fechar"})
    node(nodes, window="Ajuda", role="text", name="Ajuda")
    press(s, "Quivera Recordim!", "Sobre o Programa")
    nodes = opened("Sobre o Programa", {"Fechar"})
    link = node(nodes, window="Sobre o Programa", role="link")
    check(link["name"].startswith("https://") and link["actions"] == ["Press"], f"link: {link}")
    s.atspi({"do": "select_row", "query": {"role": "list"}, "row": 1})
    nodes = opened("Ver lembrete", {"Fechar"})
    node(nodes, window="Ver lembrete", role="text", name="Descrição")
    press(s, "Quivera Recordim!", "Corrigir")
    opened("Corrigir lembrete", EDITOR_BUTTONS)


def notification(s, message):
    """Waits for the message to start showing as a notification, which a screen reader
    speaks (a renamed label or a shown alert, it does not)."""
    def arrived():
        return any(e.get("role") == "notification" and e.get("name") == message
                   and e["type"].startswith("object:state-changed:showing") and e["detail1"]
                   for e in s.atspi({"do": "events"}))
    wait_until(arrived, 5, f"the notification {message!r}")


ROWS = reminders(2)


@case(a11y=True, data=file_rows(ROWS))
def a_reminder_lives_its_whole_life_through_the_accessibility_bus(s):
    main = "Quivera Recordim!"
    s.window()
    wait_until(lambda: buttons(tree(s), main), 10, "the main window on the accessibility bus")
    s.atspi({"do": "events"})

    press(s, main, "Escrever")
    showing_window(s, "Escrever lembrete")
    # Set as a dictation tool sets it, with the file's separator, a TAB and what the
    # filter refuses: none of it may split the line or move a field.
    s.atspi({"do": "set_text", "query": {"window": "Escrever lembrete", "role": "text",
                                         "name": "Descrição"}, "text": "Leite\t\u00a7e caf\u00e9~"})
    s.atspi({"do": "set_text", "query": {"window": "Escrever lembrete", "role": "text",
                                         "name": "Título"}, "text": "Comprar\u00a7\tp\u00e3o~"})
    press(s, "Escrever lembrete", "OK")
    notification(s, "Entrada inserida com sucesso!")
    before = file_rows(ROWS)[:-3]
    written = re.fullmatch(re.escape(before) + rb'(.{17})\xa7----/----/----\xa7  \xa7'
                           + "Comprar pão\xa7Leite e café".encode("cp1252") + rb'"\r\n',
                           s.data(), re.S)
    check(written and STAMP.fullmatch(written.group(1)), f"the write gave {s.data()!r}")
    new = (written.group(1).decode(), "----/----/----", "  ", "Comprar pão", "Leite e café")
    appended = s.data()

    # Selected as a click selects: the viewer opens on it.
    s.atspi({"do": "select_row", "query": {"window": main, "role": "list"}, "row": 0})
    showing_window(s, "Ver lembrete")
    press(s, main, "Comprar pão, sem vencimento, não concluído", role="list item",
          action="Toggle")
    notification(s, "Comprar pão, concluído")
    wait_until(lambda: any(n["name"] == "Comprar pão, sem vencimento, concluído"
                           for n in tree(s)), 5, "the row to read as concluded")
    check(s.data() == appended, "a toggle wrote the file")

    press(s, main, "Salvar lista de lembretes")
    notification(s, "Lista salva!")
    done = new[:2] + ("×",) + new[3:]
    s.wait_data(file_rows(ROWS + [done]))

    s.atspi({"do": "select_row", "query": {"window": main, "role": "list"}, "row": 0})
    wait_until(lambda: node(tree(s), window=main, role="list item",
                            name="Comprar pão, sem vencimento, concluído").get("selected"),
               5, "the row to be selected")
    press(s, main, "Corrigir")
    showing_window(s, "Corrigir lembrete")
    s.atspi({"do": "set_text", "query": {"window": "Corrigir lembrete", "role": "text",
                                         "name": "Título"}, "text": "Comprar leite"})
    press(s, "Corrigir lembrete", "OK")
    notification(s, "Entrada atualizada!")
    corrected = done[:3] + ("Comprar leite",) + done[4:]
    s.wait_data(file_rows(ROWS + [corrected]))

    s.atspi({"do": "select_row", "query": {"window": main, "role": "list"}, "row": 0})
    wait_until(lambda: node(tree(s), window=main, role="list item",
                            name="Comprar leite, sem vencimento, concluído").get("selected"),
               5, "the row to be selected")
    press(s, main, "Apagar")
    notification(s, "Entrada apagada!")
    s.wait_data(file_rows(ROWS))
