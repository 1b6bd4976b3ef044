#!/usr/bin/env python3
"""Reads a running Gridmoor through AT-SPI as a screen reader does.

Usage: screen_reader_probe.py PID, for a program showing a 3 x 3 puzzle with
the cursor on its first square. Prints what it heard as one JSON object.
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
    return [c for c in (node.get_child_at_index(i) for i in range(node.get_child_count())) if c is not None]


def find_all(node, test, depth=12):
    found = [node] if test(node) else []
    for child in children(node) if depth > 0 else []:
        found += find_all(child, test, depth - 1)
    return found


def with_role(role, name_ends=""):
    return lambda node: node.get_role() == role and node.get_name().endswith(name_ends)


def focused_cell(table):
    for row in range(table.get_n_rows()):
        for column in range(table.get_n_columns()):
            cell = table.get_accessible_at(row, column)
            if cell.get_state_set().contains(Atspi.StateType.FOCUSED):
                return {"row": row, "column": column, "name": cell.get_name(),
                        "description": cell.get_description()}
    return None


def focused_cell_if(table, test):
    cell = focused_cell(table)
    return cell if cell and test(cell) else None


def focus_main_window(pid):
    """Keys go to the window with the input focus, which no window manager
    gives here: not at the start, nor back after a dialog."""
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(pid), "--name", "^Gridmoor",
                    "windowfocus", "--sync", "%1"], check=True, timeout=TIMEOUT)


def xdotool(command, *arguments):
    subprocess.run(["xdotool", command, "--delay", "60", *arguments], check=True, timeout=TIMEOUT)


def main(heard):
    pid = int(sys.argv[1])
    desktop = Atspi.get_desktop(0)
    app = wait_for("the program on the accessibility bus",
                   lambda: next((a for a in children(desktop) if a.get_process_id() == pid), None))
    focus_main_window(pid)
    table = wait_for("the grid", lambda: find_all(app, with_role(Atspi.Role.TABLE)))[0]
    heard["grid"] = "%s: %d x %d" % (table.get_name(), table.get_n_columns(), table.get_n_rows())
    heard["start"] = wait_for("a focused square", lambda: focused_cell(table))
    xdotool("key", "Right")
    heard["right"] = wait_for("the next square", lambda: focused_cell_if(table, lambda c: c != heard["start"]))
    xdotool("type", "a")
    heard["after typing"] = wait_for("the square after it",
                                     lambda: focused_cell_if(table, lambda c: c != heard["right"]))
    heard["typed"] = table.get_accessible_at(0, 1).get_name()

    xdotool("key", "ctrl+l")
    clues = wait_for("the All Clues lists", lambda: find_all(app, with_role(Atspi.Role.LIST, "clues")))[0]
    heard["clue list"] = clues.get_name()
    heard["clues"] = [row.get_name() for row in children(clues)]
    xdotool("key", "Escape")
    wait_for("the All Clues dialog to close", lambda: not find_all(app, with_role(Atspi.Role.LIST)))
    focus_main_window(pid)

    xdotool("key", "Down", "Down", "Left")
    heard["last square"] = wait_for("the last empty square",
                                    lambda: focused_cell_if(table, lambda c: c["name"] == "blank"))
    xdotool("type", "a")
    box = wait_for("the message box", lambda: find_all(app, lambda n: n.get_role() in (
        Atspi.Role.ALERT, Atspi.Role.DIALOG) and n.get_name() == "Congratulations!"))[0]
    heard["message"] = [label.get_name() for label in find_all(box, with_role(Atspi.Role.LABEL)) if label.get_name()]
    xdotool("key", "Return")
    print(json.dumps(heard))


if __name__ == "__main__":
    heard = {}
    try:
        main(heard)
    except ProbeError as error:
        print(json.dumps({"error": str(error), "heard so far": heard}))
        sys.exit(1)
