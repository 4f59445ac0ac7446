"""Walks Leaflow's window through AT-SPI page by page, as Orca reads it (scripts/atspi-dump)."""
import json
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

STATES = {pyatspi.STATE_FOCUSABLE: "focusable", pyatspi.STATE_FOCUSED: "focused",
          pyatspi.STATE_SELECTED: "selected", pyatspi.STATE_CHECKED: "checked",
          pyatspi.STATE_EXPANDED: "expanded", pyatspi.STATE_SHOWING: "showing"}
# Sidebar order; the Tools menu lists the sections in the same order.
SECTIONS = ["merge", "split", "compress", "sign", "pages", "history"]
TAB, ESCAPE = 0xFF09, 0xFF1B
# Objects that took the focus, newest last, as the bridge announces them.
focus_events = []


def write_pdf(path, pages):
    """A small valid PDF of blank A4 pages."""
    kids = " ".join(f"{3 + i} 0 R" for i in range(pages))
    objects = ["<< /Type /Catalog /Pages 2 0 R >>",
               f"<< /Type /Pages /Kids [{kids}] /Count {pages} >>"]
    objects += ["<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] >>"] * pages
    body, xref = "%PDF-1.4\n", f"xref\n0 {len(objects) + 1}\n0000000000 65535 f \n"
    for number, text in enumerate(objects, 1):
        xref += f"{len(body):010d} 00000 n \n"
        body += f"{number} 0 obj\n{text}\nendobj\n"
    trailer = f"trailer\n<< /Size {len(objects) + 1} /Root 1 0 R >>\n"
    with open(path, "w", encoding="ascii") as out:
        out.write(f"{body}{xref}{trailer}startxref\n{len(body)}\n%%EOF\n")


def seed_data(folder, files):
    """One history record and one drawn signature, so those lists have rows to read."""
    os.makedirs(folder, exist_ok=True)
    record = {"id": "0F3C8A52-6B1E-4D7A-9C2B-1A2B3C4D5E6F", "date": "2026-01-05T10:30:00Z",
              "tool": "merge", "inputs": files, "outputs": [files[0]],
              "bytesBefore": 2048, "bytesAfter": 1024}
    signature = {"id": "7A1D2E3F-4B5C-4D6E-8F90-A1B2C3D4E5F6", "name": "İmza", "aspect": 3.0,
                 "strokes": [[[0.1, 0.5], [0.5, 0.2], [0.9, 0.6]]], "weight": 2.0, "ink": "black"}
    with open(os.path.join(folder, "data.json"), "w") as out:
        json.dump({"version": 1, "signatures": [signature], "history": [record]}, out)


def settle(seconds=0.5):
    """Lets the app and the buses deliver what is pending."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while GLib.MainContext.default().pending():
            GLib.MainContext.default().iteration(False)
        time.sleep(0.02)


def wait_for(find, what, timeout=20):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.3)
    sys.exit(f"{what} did not appear on the accessibility bus")


def child_named(parent, name):
    return next((child for child in parent if child is not None and child.name == name), None)


def action_names(node):
    try:
        actions = node.queryAction()
    except NotImplementedError:
        return []
    return [actions.getName(i) for i in range(actions.nActions)]


def act(node, action="Press"):
    node.queryAction().doAction(action_names(node).index(action))
    settle(1.0)


def describe(node):
    """One line: role, name, states, actions, value, and the description a reader speaks after."""
    states = node.getState()
    line = f'{node.getRoleName()} "{node.name}"'
    marks = [label for state, label in STATES.items() if states.contains(state)]
    if not states.contains(pyatspi.STATE_ENABLED):
        marks.append("disabled")
    line += f" [{', '.join(marks)}]" if marks else ""
    names = action_names(node)
    if names:
        line += f" actions={','.join(names)}"
    try:
        value = node.queryValue()
        line += f" value={value.currentValue:g} ({value.minimumValue:g}..{value.maximumValue:g})"
    except NotImplementedError:
        pass
    if node.description:
        line += f' description="{node.description}"'
    return line, names


def walk(root):
    """Yields (depth, node, line, actions) for every showing object but the menu bar."""
    stack = [(0, root)]
    while stack:
        depth, node = stack.pop()
        if node is None or not node.getState().contains(pyatspi.STATE_SHOWING):
            continue
        line, actions = describe(node)
        yield depth, node, line, actions
        if node.getRoleName() != "menu bar":
            stack += [(depth + 1, child) for child in reversed(list(node))]


def press(keysym):
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
    settle(0.3)


def choose(menu, pick):
    """Triggers a menu bar item, then closes the menu and leaves the menu bar, as a user would."""
    act(menu, "ShowMenu")
    act(next(item for index, item in enumerate(menu[0]) if pick(index, item)))
    # Escape while the menu is open or its title focused: one more would reach the window.
    for _ in range(2):
        if menu[0].getState().contains(pyatspi.STATE_SHOWING) or menu.getState().contains(
                pyatspi.STATE_FOCUSED):
            press(ESCAPE)


def activate(window):
    """Clicks the window's first text: without a window manager only a click makes it active."""
    label = next(node for _, node, _, _ in walk(window)
                 if node.getRoleName() in ("label", "heading", "static"))
    box = label.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, "b1c")
    settle()


def tab_order(window, steps=60):
    """The objects Tab reaches, from where the focus is until one comes round again, each as
    it read when it took the focus; and whether the last Tab moved the focus at all."""
    activate(window)
    reached, lines = [], []
    for _ in range(steps):
        focus_events.clear()
        press(TAB)
        if not focus_events or focus_events[-1] in reached:
            return reached, lines, bool(focus_events)
        reached.append(focus_events[-1])
        lines.append(describe(focus_events[-1])[0])
    return reached, lines, True


def place_signature(window):
    """Puts the library's first signature on the page, so a placement is in the tree."""
    for _, node, _, actions in walk(window):
        if "Press" in actions and "sayfaya koy" in f"{node.name} {node.description}".lower():
            act(node)
            return
    print("sign: no control to put a signature on the page (Sayfaya koy) was found")


def dump(window, page, out, work):
    lines, tree, controls, unnamed, fillers = [], [], 0, 0, 0
    for depth, node, line, actions in walk(window):
        lines.append("  " * depth + line)
        tree.append(node)
        # A control takes the focus or does something; SetFocus alone is every widget's.
        if node.getState().contains(pyatspi.STATE_FOCUSABLE) or set(actions) - {"SetFocus"}:
            controls += 1
            unnamed += not node.name.strip()
        fillers += node.getRoleName() == "filler"
    stops, said, cycled = tab_order(window)
    # Each stop gives its line in the tree above (0: not in it), which tells apart objects that
    # read alike; the round starts at the first in the tree, so two runs list it alike.
    line_of = [tree.index(node) + 1 if node in tree else 0 for node in stops]
    start = min(range(len(stops)), default=0, key=lambda i: line_of[i] or len(tree) + 1)
    lines += ["", "Tab order, round once ([line in the tree above]):"]
    lines += [f"  {n}. [{line_of[i] or '-'}] {said[i]}"
              for n, i in enumerate([*range(start, len(stops)), *range(start)], 1)]
    if not cycled:
        lines.append("  (then Tab moved the focus nowhere)")
    with open(os.path.join(out, f"{page}.txt"), "w") as text:
        # The temporary folder is left out, so two runs' files compare line by line.
        text.write("\n".join(lines).replace(work, "$WORK") + "\n")
    print(f"{page:16} {controls:3} controls, {unnamed:3} unnamed, {fillers:3} fillers, "
          f"{len(stops):3} tab stops")


def main():
    program, out, work = sys.argv[1:4]
    files = [os.path.join(work, name) for name in ("first.pdf", "second.pdf")]
    write_pdf(files[0], 2)
    write_pdf(files[1], 4)
    seed_data(os.path.join(os.environ["XDG_DATA_HOME"], "Leaflow"), files)
    # In the source language, the one the tests assert.
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               LANG="tr_TR.UTF-8", LANGUAGE="tr")
    # Merge and compress take both files, the single-file tools the longer one.
    arguments = [*files, "--tool=split", files[1], "--tool=compress", *files,
                 "--tool=sign", files[1], "--tool=pages", files[1]]
    app = subprocess.Popen([program, *arguments], env=env)
    pyatspi.Registry.registerEventListener(
        lambda event: event.detail1 and focus_events.append(event.source),
        "object:state-changed:focused")
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        leaflow = wait_for(lambda: child_named(desktop, "Leaflow"), "Leaflow")
        window = wait_for(lambda: child_named(leaflow, "Leaflow"), "The window")
        settle(2)
        menus = next(child for child in window if child.getRoleName() == "menu bar")
        for index, section in enumerate(SECTIONS):
            choose(menus[1], lambda at, _, index=index: at == index)
            if section == "sign":
                place_signature(window)
            dump(window, section, out, work)
        choose(menus[0], lambda _, item: item.name.startswith("Ayarlar"))
        settings = wait_for(lambda: child_named(leaflow, "Ayarlar"), "The settings window")
        tabs = next(node for _, node, _, _ in walk(settings)
                    if node.getRoleName() == "page tab list")
        for index, pane in enumerate(["settings-general", "settings-data"]):
            act(tabs[index])
            dump(settings, pane, out, work)
    finally:
        app.terminate()
        app.wait(10)


if __name__ == "__main__":
    main()
