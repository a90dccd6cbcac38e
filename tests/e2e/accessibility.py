"""What a screen reader learns of Plinvor's window through the AT-SPI bus.

accessibility.py PID: PID is a running Plinvor whose window has the keyboard
focus, on the X server of DISPLAY, registered on the accessibility bus of the
session bus DBUS_SESSION_BUS_ADDRESS. The script reads the window as an
assistive technology does (pyatspi), types and tabs with xdotool as a user
does, and finally presses the close hotspot through its accessible action:
the caller checks that the program then ends. Exits 1 with a message at the
first check that fails.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

FIELDS = ["CFP francs", "French francs", "euros"]


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def pump(seconds, done):
    """Dispatches bus events until done() is true; false after `seconds`."""
    deadline = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while not done():
        if time.monotonic() > deadline:
            return False
        while context.iteration(False):
            pass
        time.sleep(0.05)
    return True


def find_application(pid):
    found = []

    def look():
        desktop = pyatspi.Registry.getDesktop(0)
        found[:] = [app for app in desktop if app is not None and app.get_process_id() == pid]
        return bool(found)

    if not pump(10, look):
        fail(f"no application of process {pid} on the accessibility bus")
    return found[0]


def descendants(accessible):
    for child in accessible:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def focused(accessible):
    return accessible.getState().contains(pyatspi.STATE_FOCUSED)


def describe(fields):
    return ", ".join(
        f"{name}: «{text_of(a)}»{' (focused)' if focused(a) else ''}" for name, a in fields.items())


def main():
    app = find_application(int(sys.argv[1]))
    nodes = list(descendants(app))

    # The three amount fields, one each, editable text under their currency names.
    fields = {}
    for name in FIELDS:
        matches = [a for a in nodes if a.name == name]
        if len(matches) != 1:
            fail(f"{len(matches)} accessible objects named «{name}», expected one")
        field = matches[0]
        if field.getRole() != pyatspi.ROLE_TEXT or "EditableText" not in pyatspi.listInterfaces(field):
            fail(f"«{name}» is a {field.getRoleName()} with {pyatspi.listInterfaces(field)}, not editable text")
        fields[name] = field

    # At start the fields are empty and the CFP field alone has the focus.
    expect_state(fields, ["", "", ""], "CFP francs", "at start")

    # Typed keys show in the texts that the bus reports.
    type_keys("type", "--delay", "80", "1000")
    expect_state(fields, ["1000", "54.97", "8.38"], "CFP francs", "after typing 1000")

    # Tab: the focus event names the field entered and carries its text.
    events = []
    listener = pyatspi.Registry.registerEventListener(
        lambda e: events.append((e.source.name, e.detail1, text_of(e.source))),
        "object:state-changed:focused")
    type_keys("key", "Tab")
    if not pump(5, lambda: ("French francs", 1, "54.97") in events):
        fail(f"no focus event for «French francs» with its text «54.97» after Tab; events seen: {events}")
    pyatspi.Registry.deregisterEventListener(listener, "object:state-changed:focused")
    # Tab's release is a key-up in the field entered, which converts from
    # there again: 54.97 French francs give back 1,000 CFP francs, grouped.
    expect_state(fields, ["1,000", "54.97", "8.38"], "French francs", "after Tab")

    # The close hotspot is the window's one push button, "Quitter", and its
    # press action closes the window (the caller checks the exit).
    buttons = [a for a in nodes if a.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    if [b.name for b in buttons] != ["Quitter"]:
        fail(f"push buttons {[b.name for b in buttons]}, expected only «Quitter»")
    action = buttons[0].queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail(f"«Quitter» has the actions {names}, no Press")
    if not action.doAction(names.index("Press")):
        fail("the Press action of «Quitter» was refused")


def expect_state(fields, texts, focus, when):
    def right():
        return ([text_of(a) for a in fields.values()] == texts and
                [name for name, a in fields.items() if focused(a)] == [focus])

    if not pump(5, right):
        want = ", ".join(f"{n}: «{t}»" for n, t in zip(FIELDS, texts))
        fail(f"{when}: the bus reports {describe(fields)}; expected {want} with {focus} focused")


def type_keys(*arguments):
    subprocess.run(["xdotool", *arguments], check=True)


if __name__ == "__main__":
    main()
