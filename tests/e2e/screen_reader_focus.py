#!/usr/bin/python3
"""Listens as a screen reader does (AT-SPI, through pyatspi) while a command moves the keyboard
focus, then checks where the focus ended: on a table cell whose name starts with CELL, in a table
named TABLE. Prints every focus event it heard.

    screen_reader_focus.py CELL TABLE COMMAND...
"""
import subprocess
import sys

import pyatspi
from gi.repository import GLib

SETTLE_MS = 1500  # for the last events to arrive after the command
TIMEOUT_MS = 60000

cell_name, table_name, command = sys.argv[1], sys.argv[2], sys.argv[3:]
heard = []  # (role, name, parent's role, parent's name), in order


def describe(accessible):
    parent = accessible.parent
    return (accessible.getRoleName(), accessible.name,
            parent.getRoleName() if parent else "", parent.name if parent else "")


def on_focus(event):
    # A reader follows both: the focus event, and a state change to focused.
    if event.type.startswith("object:state-changed") and event.detail1 != 1:
        return
    try:
        heard.append(describe(event.source))
    except Exception as error:  # an object gone before it was read
        heard.append(("?", str(error), "", ""))


def run_command():
    subprocess.run(command, check=True, timeout=60)
    GLib.timeout_add(SETTLE_MS, stop)
    return False


def stop():
    pyatspi.Registry.stop()
    return False


pyatspi.Registry.registerEventListener(on_focus, "focus:", "object:state-changed:focused")
GLib.timeout_add(200, run_command)
GLib.timeout_add(TIMEOUT_MS, stop)
pyatspi.Registry.start()

for role, name, parent_role, parent_name in heard:
    print(f"focus: {role} {name!r} in {parent_role} {parent_name!r}")
if not heard:
    sys.exit("FAIL: no focus event heard")
role, name, parent_role, parent_name = heard[-1]
if role != "table cell" or not name.startswith(cell_name):
    sys.exit(f"FAIL: the focus ended on {role} {name!r}, not on the cell {cell_name!r}")
if parent_role != "table" or parent_name != table_name:
    sys.exit(f"FAIL: the cell is in {parent_role} {parent_name!r}, not in the table {table_name!r}")
print(f"ok: the focus ended on {name!r} in the table {parent_name!r}")
