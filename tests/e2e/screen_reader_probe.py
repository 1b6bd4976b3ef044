#!/usr/bin/env python3
"""Reads a running Gridmoor through AT-SPI as a screen reader does.

Usage: screen_reader_probe.py PID. The program shows a 3 x 3 puzzle whose
cursor starts on its first square. The probe finds the program by its process
id, reads the grid, presses keys with xdotool, reads what changed, and prints
what it heard as one JSON object.
"""
import json
import subprocess
import sys
import time

import gi

try:
    gi.require_version("Atspi", "2.0")
except ValueError:
    print(json.dumps({"error": "the AT-SPI bindings are missing (package gir1.2-atspi-2.0)"}))
    sys.exit(1)
from gi.repository import Atspi  # noqa: E402

TIMEOUT = 15.0


class ProbeError(Exception):
    pass


def wait_for(what, read):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        try:
            value = read()
        except gi.repository.GLib.Error:
            value = None
        if value:
            return value
        time.sleep(0.05)
    raise ProbeError("timed out waiting for " + what)


def children(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield child


def find(node, test, depth=12):
    if test(node):
        return node
    if depth == 0:
        return None
    for child in children(node):
        found = find(child, test, depth - 1)
        if found is not None:
            return found
    return None


def find_all(node, test, depth=12):
    found = [node] if test(node) else []
    if depth > 0:
        for child in children(node):
            found += find_all(child, test, depth - 1)
    return found


def program(pid):
    desktop = Atspi.get_desktop(0)
    for app in children(desktop):
        if app.get_process_id() == pid:
            return app
    return None


def has_role(role):
    return lambda node: node.get_role() == role


def focused_cell(table):
    for row in range(table.get_n_rows()):
        for column in range(table.get_n_columns()):
            cell = table.get_accessible_at(row, column)
            if cell.get_state_set().contains(Atspi.StateType.FOCUSED):
                return {"row": row, "column": column, "name": cell.get_name(),
                        "description": cell.get_description()}
    return None


def focus_changes_to(table, before):
    return wait_for("the focused square to change",
                    lambda: (lambda now: now if now and now != before else None)(focused_cell(table)))


def focus_main_window(pid):
    """Keys go to the window with the input focus, which no window manager
    gives here: not at the start, nor back after a dialog."""
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(pid), "--name", "^Gridmoor",
                    "windowfocus", "--sync", "%1"], check=True, timeout=TIMEOUT)


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True)


def typed(text):
    subprocess.run(["xdotool", "type", "--delay", "60", text], check=True)


def main(heard):
    pid = int(sys.argv[1])
    app = wait_for("the program on the accessibility bus", lambda: program(pid))
    focus_main_window(pid)
    heard["application"] = app.get_name()
    table = wait_for("the grid", lambda: find(app, has_role(Atspi.Role.TABLE)))
    heard["grid"] = "%s: %d x %d" % (table.get_name(), table.get_n_columns(), table.get_n_rows())
    start = wait_for("a focused square", lambda: focused_cell(table))
    heard["start"] = start
    keys("Right")
    heard["right"] = focus_changes_to(table, start)
    typed("a")
    heard["typed"] = table.get_accessible_at(0, 1).get_name()
    heard["after typing"] = focus_changes_to(table, heard["right"])

    keys("ctrl+l")
    lists = wait_for("the All Clues lists",
                     lambda: find_all(app, lambda n: n.get_role() == Atspi.Role.LIST
                                      and n.get_name().endswith("clues")))
    heard["clue list"] = lists[0].get_name()
    heard["clues"] = [row.get_name() for row in children(lists[0])]
    keys("Escape")
    wait_for("the All Clues dialog to close", lambda: not find_all(app, has_role(Atspi.Role.LIST)))
    focus_main_window(pid)

    keys("Down", "Down", "Left")
    heard["last square"] = None
    last = wait_for("the last empty square", lambda: (lambda c: c if heard.update({"last square": c}) is None
                                                       and c and c["name"] == "blank" else None)(focused_cell(table)))
    heard["last square"] = last
    typed("a")
    box = wait_for("the message box", lambda: find(app, lambda n: n.get_role() in (
        Atspi.Role.ALERT, Atspi.Role.DIALOG) and n.get_name() == "Congratulations!"))
    heard["message"] = [label.get_name() for label in find_all(box, has_role(Atspi.Role.LABEL))
                        if label.get_name()]
    keys("Return")
    print(json.dumps(heard))


if __name__ == "__main__":
    heard = {}
    try:
        main(heard)
    except ProbeError as error:
        print(json.dumps({"error": str(error), "heard so far": heard}))
        sys.exit(1)
