#!/usr/bin/python3
# Prints the accessible name of the selected row of ORVEL's IPO list ("新股列表") in the process
# given by its id, read over the accessibility bus as a screen reader reads it. Exit status 1
# when no such row shows up within ten seconds.
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def find_list(node, depth=0):
    if node is None or depth > 30:
        return None
    if node.get_name() == "新股列表":
        return node
    for i in range(node.get_child_count()):
        found = find_list(node.get_child_at_index(i), depth + 1)
        if found:
            return found
    return None


def selected_row(pid):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is None or app.get_process_id() != pid:
            continue
        rows = find_list(app)
        for r in range(rows.get_child_count() if rows else 0):
            row = rows.get_child_at_index(r)
            if row and row.get_state_set().contains(Atspi.StateType.SELECTED):
                return row.get_name()
    return None


deadline = time.monotonic() + 10
while time.monotonic() < deadline:
    try:
        name = selected_row(int(sys.argv[1]))
    except gi.repository.GLib.Error:
        name = None
    if name:
        print(name)
        sys.exit(0)
    time.sleep(0.3)
sys.exit(1)
