"""Checks the running application from outside, over X and AT-SPI, as a user on a small screen
with a screen reader would meet it. Arguments: the screen's width and height."""
import re
import subprocess
import sys
import time

import pyatspi

WIDTH, HEIGHT = int(sys.argv[1]), int(sys.argv[2])
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)


def wait_for(find, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    return None


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name.lower().startswith("harmonote"):
            return app
    return None


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def main_frame(app):
    for i in range(app.childCount):
        frame = app.getChildAtIndex(i)
        if frame is not None and frame.name.startswith("Harmonote - Amazing Grace"):
            return frame
    return None


def x_window():
    """The framed main window: its client geometry and the frame's extents from the window manager."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
    for line in tree.splitlines():
        m = re.match(r'\s*(0x[0-9a-f]+) "Harmonote - Amazing Grace[^"]*":.*', line)
        if m:
            info = subprocess.run(["xwininfo", "-id", m.group(1)], capture_output=True, text=True).stdout
            get = lambda key: int(re.search(key + r":\s*(-?\d+)", info).group(1))
            extents = subprocess.run(["xprop", "-id", m.group(1), "_NET_FRAME_EXTENTS"], capture_output=True,
                                     text=True).stdout
            e = [int(v) for v in re.findall(r"\d+", extents.split("=")[-1])] if "=" in extents else [0, 0, 0, 0]
            return (get("Absolute upper-left X"), get("Absolute upper-left Y"), get("Width"), get("Height"), e)
    return None


def on_screen(node):
    ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return ext.x >= 0 and ext.y >= 0 and ext.x + ext.width <= WIDTH and ext.y + ext.height <= HEIGHT


def key(keysym_name, alt=False):
    alt_code = 64  # Alt_L in the X server's default keymap
    if alt:
        pyatspi.Registry.generateKeyboardEvent(alt_code, None, pyatspi.KEY_PRESS)
    pyatspi.Registry.generateKeyboardEvent(ord(keysym_name), None, pyatspi.KEY_SYM)
    if alt:
        pyatspi.Registry.generateKeyboardEvent(alt_code, None, pyatspi.KEY_RELEASE)
    time.sleep(0.3)


app = wait_for(application)
if app is None:
    print("FAIL: the application never appeared on the accessibility bus")
    sys.exit(1)
frame = wait_for(lambda: main_frame(app))
if frame is None:
    print("FAIL: no main window showing the song")
    sys.exit(1)
time.sleep(1.0)  # let the window manager frame and place it

# 1. The framed window lies inside the screen.
win = wait_for(x_window)
check(win is not None, "the main window is on the X server")
if win:
    x, y, w, h, (left, right, top, bottom) = win
    check(x - left >= 0 and y - top >= 0 and x + w + right <= WIDTH and y + h + bottom <= HEIGHT,
          f"the framed window {w}x{h}+{x}+{y} (frame {left},{right},{top},{bottom}) fits {WIDTH}x{HEIGHT}")

nodes = list(walk(frame))

# 2. The keyboard starts on the Title field, and a screen reader says so.
def focused():
    return [n for n in walk(frame) if n.getState().contains(pyatspi.STATE_FOCUSED)]


first = wait_for(lambda: focused(), 10) or []
check([(n.getRoleName(), n.name) for n in first] == [("text", "Title:")],
      f"the first focus is the Title field (focused: {[(n.getRoleName(), n.name) for n in first]})")

by_name = {}
for n in nodes:
    by_name.setdefault((n.getRoleName(), n.name), n)

# 3. Every input has its label's name; the preview is a named, described picture.
roles = {}
for n in nodes:
    roles.setdefault(n.getRoleName(), []).append(n.name)
texts = [n.name for n in nodes if n.getRoleName() == "text"]
for name in ["Title:", "Capo:", "Key:", "Timing:", "Tempo:", "Song text"]:
    check(name in texts, f"an input named {name!r} (text inputs: {texts})")
sliders = roles.get("slider", [])
for name in ["Spacing", "Word Size", "Chord Size", "Chord Offset", "Fret Size", "Fret Offset", "Row Height"]:
    check(name in sliders, f"a slider named {name!r} (sliders: {sliders})")
pictures = [n for n in nodes if n.getRoleName() == "image" and n.name == "Preview"]
check(len(pictures) == 1, f"one picture named 'Preview' (images: {roles.get('image', [])})")
if pictures:
    check(re.fullmatch(r"Page 1 of \d+", pictures[0].description or "") is not None,
          f"the preview describes its page: {pictures[0].description!r}")
check(any(n.name == "Page arrows" for n in nodes), "the page arrows are named")


def actions(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return None, []
    return action, [action.getName(i) for i in range(action.nActions)]


# 4. The page arrows are a spin button over the pages, whose actions turn the pages.
arrows = [n for n in nodes if n.name == "Page arrows"]
if arrows and pictures:
    spin, preview = arrows[0], pictures[0]
    check(spin.getRoleName() == "spin button", f"the page arrows are a spin button ({spin.getRoleName()!r})")
    action, names = actions(spin)
    check("Increase" in names and "Decrease" in names, f"the page arrows increase and decrease ({names})")
    try:
        value = spin.queryValue()
        check(value.currentValue == 1 and value.minimumValue == 1 and value.maximumValue == 2,
              f"the page arrows' value is page 1 of 1 to 2 ({value.currentValue} of {value.minimumValue} to "
              f"{value.maximumValue})")
    except NotImplementedError:
        value = None
        check(False, "the page arrows have a value")
    for name, page in (("Increase", 2), ("Decrease", 1)):
        if name not in names:
            continue
        action.doAction(names.index(name))
        shown = wait_for(lambda: preview.description == f"Page {page} of 2", 5)
        check(shown, f"{name} shows page {page}: the preview says {preview.description!r}")
        if value:
            check(value.currentValue == page, f"{name} makes the value {page} ({value.currentValue})")

# 5. Focus brings the bottom row into sight; the Settings button's toggle shows and hides the
# panel; then Alt+letter types nothing into a field.
settings = [n for n in nodes if n.name == "Settings" and n.getRoleName() in ("push button", "toggle button", "check box")]
check(len(settings) == 1, f"one Settings button ({[(n.getRoleName(), n.name) for n in nodes if 'Settings' in n.name]})")
if settings:
    settings[0].queryComponent().grabFocus()
    time.sleep(0.5)
    check(on_screen(settings[0]), "the focused Settings button is on the screen")
    action, names = actions(settings[0])
    check("Toggle" in names, f"the Settings button toggles ({names})")
    spacing = [n for n in nodes if n.getRoleName() == "slider" and n.name == "Spacing"]
    if "Toggle" in names and spacing:
        for shown in (True, False):
            action.doAction(names.index("Toggle"))
            showing = lambda: spacing[0].getState().contains(pyatspi.STATE_SHOWING) == shown
            check(wait_for(showing, 5), f"the Settings button's toggle {'shows' if shown else 'hides'} the panel")
            pressed = settings[0].getState().contains(pyatspi.STATE_CHECKED)
            check(pressed == shown, f"the Settings button is {'down' if shown else 'up'} with the panel")
title = [n for n in nodes if n.getRoleName() == "text" and n.name == "Title:"]
if title:
    field = title[0]
    field.queryComponent().grabFocus()
    time.sleep(0.3)
    text = field.queryText()
    before = text.getText(0, -1)
    field.queryText().setCaretOffset(len(before)) if hasattr(text, "setCaretOffset") else None
    key("x")  # a plain key types: the keys reach the field
    typed = field.queryText().getText(0, -1)
    check(typed == before + "x", f"a plain key types into the title ({before!r} -> {typed!r})")
    key("i", alt=True)
    key("h", alt=True)
    after = field.queryText().getText(0, -1)
    check(after == typed, f"Alt+I and Alt+H type nothing into the title ({typed!r} -> {after!r})")

sys.exit(1 if failures else 0)
