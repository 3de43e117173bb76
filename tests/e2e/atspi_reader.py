#!/usr/bin/python3
"""Reads and drives the program through the accessibility bus, as a screen
reader does. Run by the harness under Debian's /usr/bin/python3 (where
python3-pyatspi lives) with the case's session bus; one JSON request a line on
stdin, one JSON answer a line on stdout.

A request names its object by a query: {"window": title, "role": role name,
"name": name}, every key optional; the first showing object that matches is
the one. Requests:
  {"do": "tree"}                          every object under the program
  {"do": "action", "query": q, "action": name}
  {"do": "set_text", "query": q, "text": t}
  {"do": "select_row", "query": q, "row": n}
  {"do": "events"}                        the events seen since the last call
"""

import json
import sys

import pyatspi
from gi.repository import Atspi, GLib

APP = "Quivera Recordim!"
EVENTS = ("object:state-changed:showing",)

seen = []


# The cases' words for the roles they look for, by AT-SPI constant: the names
# at-spi2-core gives roles are for people and change between releases (2.56
# calls a push button "button", even by its constant's nickname).
ROLES = {pyatspi.ROLE_PUSH_BUTTON: "push button", pyatspi.ROLE_LIST: "list",
         pyatspi.ROLE_LIST_ITEM: "list item", pyatspi.ROLE_TEXT: "text",
         pyatspi.ROLE_LINK: "link", pyatspi.ROLE_NOTIFICATION: "notification",
         pyatspi.ROLE_FRAME: "frame"}


def role(acc):
    return ROLES.get(acc.getRole()) or acc.getRoleName()


def role_words(constant):
    """A role as a screen reader says it: in at-spi2-core's words, which Orca takes,
    not in the program's, which Qt gives in the program's own language."""
    name = getattr(Atspi, "role_get_localized_name", Atspi.role_get_name)  # 2.50 on
    return name(constant)


def on_event(event):
    try:
        source = event.source
        seen.append({"type": event.type, "detail1": event.detail1,
                     "role": role(source), "name": source.name or ""})
    except Exception as error:  # the object may be gone already
        seen.append({"type": event.type, "error": str(error)})


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == APP:
            app.clearCache()
            return app
    return None


def describe(acc):
    try:
        action = acc.queryAction()
        actions = [action.getName(i) for i in range(action.nActions)]
    except NotImplementedError:
        actions = []
    states = acc.getState()
    return {"role": role(acc), "role_words": role_words(acc.getRole()),
            "name": acc.name or "", "description": acc.description or "",
            "actions": actions,
            "showing": states.contains(pyatspi.STATE_SHOWING),
            "selected": states.contains(pyatspi.STATE_SELECTED),
            "children": acc.childCount}


def walk(acc, window, path, out):
    """Every object below acc, depth first, with its window's name and its path."""
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is None:
            continue
        node = describe(child)
        node["window"] = window if window is not None else node["name"]
        node["path"] = path + [i]
        out.append((node, child))
        walk(child, node["window"], node["path"], out)


def objects():
    app = application()
    out = []
    if app is not None:
        walk(app, None, [], out)
    return out


def find(query):
    for node, acc in objects():
        if node["showing"] and all(node.get(k) == v for k, v in query.items()):
            return acc
    raise LookupError(f"no showing object {query}")


def answer(request):
    what = request["do"]
    if what == "tree":
        return [node for node, _ in objects()]
    if what == "events":
        events = list(seen)
        seen.clear()
        return events
    acc = find(request["query"])
    if what == "action":
        action = acc.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        return action.doAction(names.index(request["action"]))
    if what == "set_text":
        return acc.queryEditableText().setTextContents(request["text"])
    if what == "select_row":
        return acc.queryTable().addRowSelection(request["row"])
    raise ValueError(f"unknown request {what}")


def on_line(channel, condition):
    line = sys.stdin.readline()
    if not line:
        loop.quit()
        return False
    try:
        reply = {"ok": answer(json.loads(line))}
    except Exception as error:
        reply = {"error": f"{type(error).__name__}: {error}"}
    sys.stdout.write(json.dumps(reply) + "\n")
    sys.stdout.flush()
    return True


pyatspi.Registry.registerEventListener(on_event, *EVENTS)
loop = GLib.MainLoop()
GLib.io_add_watch(sys.stdin, GLib.IO_IN | GLib.IO_HUP, on_line)
sys.stdout.write(json.dumps({"ok": "ready"}) + "\n")
sys.stdout.flush()
loop.run()
