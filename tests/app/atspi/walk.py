#!/usr/bin/python3
"""Walks Corvalla's windows as a screen reader user does: keys alone go in (xdotool, on the window
that has the focus), and everything read comes from the accessibility bus (AT-SPI), never from the
program itself.

  walk.py walk --program PATH --log FILE
      logs in, then, for each window of WINDOWS, reaches it by keys from the main menu, presses Tab
      round it until the focus is back on the first control, and leaves it by keys. Prints each
      window's Tab order and every fault found, and exits 1 when there is one.
  walk.py picture --program PATH --log FILE --scale N --out FILE.png
      logs in, opens the member sheet, tabs to its "Salva" button and takes a picture of the whole
      screen.

Run by run.sh, inside a message bus session with the accessibility bus, on a display with a window
manager.
"""
import argparse
import os
import re
import signal
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

PASSWORD = "iscrizionesoci"
# Presses of Tab before a window's Tab order counts as not coming back round.
MAX_TABS = 90
# The whole walk, logging in again after a crash included.
TIME_LIMIT = 240
# With this set, each key pressed is printed with the time its answer took.
TRACE = bool(os.environ.get("CORVALLA_WALK_TRACE"))

# What a focused control may not be: a part of the layout, or a thing the screen reader cannot tell.
LAYOUT_ROLES = {pyatspi.ROLE_FILLER, pyatspi.ROLE_UNKNOWN, pyatspi.ROLE_PANEL, pyatspi.ROLE_REDUNDANT_OBJECT,
                pyatspi.ROLE_INVALID}
WINDOW_ROLES = {pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW, pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT}
# Controls that are pressed: each one on show must be reachable with Tab.
BUTTON_ROLES = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_RADIO_BUTTON,
                pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_LINK, pyatspi.ROLE_PUSH_BUTTON_MENU}
USABLE = (pyatspi.STATE_SHOWING, pyatspi.STATE_VISIBLE, pyatspi.STATE_ENABLED, pyatspi.STATE_SENSITIVE,
          pyatspi.STATE_FOCUSABLE)
# The lists whose items are not controls of their own: not searched for buttons.
ITEM_VIEWS = {pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_LIST,
              pyatspi.ROLE_LIST_BOX}
# The date picker's calendar is one Tab stop; its month arrows and its month and year buttons beside
# them are worked by its own keys (Page Up, Page Down). They are told by the two arrows' names.
CALENDAR_ARROWS = {"Mese precedente", "Mese successivo"}


# --- Steps of a key path --------------------------------------------------------------------------

class Tab:
    """Tab (Shift+Tab when `back`) until the focused control's name starts with the pattern; no key
    at all if it does already."""

    def __init__(self, pattern, back=False):
        self.pattern = pattern
        self.back = back

    def __repr__(self):
        return f"{'Shift+Tab' if self.back else 'Tab'} to /{self.pattern}/"


class Wait:
    """Wait until the active window's name (without the blanks around it) is the pattern."""

    def __init__(self, pattern):
        self.pattern = pattern

    def __repr__(self):
        return f"[{self.pattern}]"


# --- The windows walked ---------------------------------------------------------------------------
# A plain string in a key path is a key (or keys) as xdotool names them. Each window is reached from
# its home window, and its leaving keys bring the home back; the homes are reached from the main menu
# (the access window is the home before logging in). Rows of one home stay together, so that the
# walk enters each home once.

ACCESS = "Corvalla - Autenticazione"
MENU = "Corvalla"
SHEET = "Corvalla - Archivio Iscritti"
CARDS = "Corvalla - Stampa Tessere"
YEAR_MENU = "Corvalla - Stampa Ricevute"
RECEIPTS = r"Corvalla - Archivio ricevute anno \d{4}"
MEMBER_SEARCH = "Trova schede iscritti in archivio"
# The exit button ends the toolbar, which ends the Tab order: backwards is the shorter way.
EXIT_AREA = Tab(r"Esci da quest[ao] ", back=True)
TO_YEAR_MENU = [Tab("Stampa Ricevute$"), "Return"]

# Home: the keys that reach it from the main menu, the keys back to the main menu.
HOMES = {
    SHEET: ([Tab("Archivio Iscritti$"), "Return"], [EXIT_AREA, "Return"]),
    CARDS: ([Tab("Stampa Tessere$"), "Return"], [EXIT_AREA, "Return"]),
    RECEIPTS: (TO_YEAR_MENU + [Wait(YEAR_MENU), Tab("Apri$"), "Return"], [EXIT_AREA, "Return"]),
}


class Window:
    """A window walked: what it is, its name on the bus (a pattern, blanks around it not counted),
    its home, the keys from the home to it and back. `order`, where given, is the Tab order that the
    window must have from the stop it opens on: patterns of each stop's "name [role]", ending with
    ... when more stops may follow."""

    def __init__(self, label, title, home, reach, leave, order=None):
        self.label, self.title, self.home = label, title, home
        self.reach, self.leave, self.order = reach, leave, order


WINDOWS = [
    Window("password window", ACCESS, ACCESS, [], [],
           order=[r".* \[password text\]", r"Cambia password \[push button\]", r"Esci \[push button\]"]),
    Window("change password window", "Cambia password", ACCESS, [Tab("Cambia password$"), "Return"], ["Escape"]),
    Window("main menu", MENU, MENU, [], [],
           order=[r"Archivio Iscritti \[push button\]", r"Stampa Tessere \[push button\]",
                  r"Stampa Ricevute \[push button\]", r"Riepilogo Incassi \[push button\]", ...]),
    Window("information window", "Informazioni su Corvalla", MENU, [Tab("Informazioni su Corvalla$"), "Return"],
           ["Escape"]),
    Window("credits window", "Corvalla - .+", MENU, [Tab("Crediti$"), "Return"], ["Escape"]),
    Window("receipt year menu", YEAR_MENU, MENU, TO_YEAR_MENU, [Tab("Esci$"), "Return"],
           order=[r"Anno:? \[text\]", r"Apri \[push button\]", ...]),
    Window("summary period window", "Corvalla - Riepilogo Incassi", MENU, [Tab("Riepilogo Incassi$"), "Return"],
           [Tab("Esci$"), "Return"]),
    Window("member sheet", SHEET, SHEET, [], []),
    Window("member search", MEMBER_SEARCH, SHEET, ["ctrl+f"], ["Escape"]),
    Window("help window", "Guida all'utilizzo del software", SHEET, ["F1"], ["Escape"]),
    Window("tax code check", "Controllo codice fiscale", SHEET,
           [Tab("Controlla il codice fiscale", back=True), "Return"], ["Escape"]),
    Window("expired medical certificates", "Riepilogo certificati medici scaduti", SHEET,
           [Tab("Visualizza il riepilogo dei certificati medici scaduti", back=True), "Return"], ["Escape"]),
    Window("member export window", "Esportazione archivio iscritti in Microsoft Excel", SHEET,
           [Tab("Esporta l'archivio", back=True), "Return"], ["Escape"]),
    Window("card window", CARDS, CARDS, [], []),
    Window("association data window", "Dati Ente o Associazione", CARDS,
           [Tab("Fare clic per inserire i dati dell'associazione", back=True), "Return"], ["Escape"]),
    Window("receipt window", RECEIPTS, RECEIPTS, [], []),
    Window("date picker", "Importazione data", RECEIPTS, [Tab("Data:?$", back=True), "space"], ["Escape"],
           order=[r"Calendario \[", r"Importa \[push button\]", r"Annulla \[push button\]"]),
    Window("member search from a receipt", MEMBER_SEARCH, RECEIPTS,
           [Tab("Importa i dati dall'archivio degli iscritti"), "Return"], ["Escape"]),
    Window("receipt search", "Trova ricevute in archivio", RECEIPTS, ["ctrl+f"], ["Escape"]),
    Window("receipt numbering window", "Impostazione inizio numerazione ricevute", RECEIPTS,
           [Tab("Imposta il numero iniziale", back=True), "Return"], ["Escape"]),
]


# --- Reading the bus ------------------------------------------------------------------------------

class StepFailed(Exception):
    pass


def pump(seconds):
    """Lets the bus's messages and events in for a while."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while True:
        while context.iteration(False):
            pass
        if time.monotonic() >= end:
            return
        time.sleep(0.01)


def safe(call, default=None):
    try:
        return call()
    except Exception:  # an object gone from the bus meanwhile
        return default


def name_of(obj):
    return safe(lambda: obj.name, "") or ""


def role_of(obj):
    return safe(lambda: obj.getRole(), pyatspi.ROLE_INVALID)


def role_name(obj):
    return safe(lambda: obj.getRoleName(), "?") or "?"


def states(obj):
    return safe(lambda: obj.getState(), None)


def has_state(obj, state):
    s = states(obj)
    return bool(s and s.contains(state))


def children(obj):
    count = safe(lambda: obj.childCount, 0) or 0
    for i in range(count):
        child = safe(lambda: obj.getChildAtIndex(i))
        if child is not None:
            yield child


def key_of(obj):
    return safe(lambda: obj.path, None) or id(obj)


def describe(obj):
    return f"{name_of(obj)!r} [{role_name(obj)}]"


def place(obj):
    """Where the object is on the screen, to tell it from others of the same name."""
    box = safe(lambda: obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS))
    return f"at {box.x},{box.y} size {box.width}x{box.height}" if box else "at an unknown place"


class Program:
    """The program under test, started as a user starts it, and its object on the bus."""

    running = []  # ended on the way out, whatever ends the walk

    def __init__(self, path, log, scale=None):
        env = dict(os.environ)
        if scale and scale != "1":
            env["QT_SCALE_FACTOR"] = scale
        self.log_path = log
        self.log = open(log, "ab")
        self.process = subprocess.Popen([path], cwd="/", env=env, stdout=self.log, stderr=subprocess.STDOUT)
        Program.running.append(self)
        self.app = None
        self.focus_events = []
        # The Tab order walked in each window, as names: Tab to a control goes the shorter way round.
        self.tab_orders = {}
        pyatspi.Registry.registerEventListener(self._focused, "object:state-changed:focused")
        end = time.monotonic() + 60
        while self.app is None:
            if not self.alive():
                raise StepFailed(f"the program ended on starting: {self.log_tail()}")
            if time.monotonic() > end:
                raise StepFailed("the program did not show up on the accessibility bus in 60 s")
            desktop = pyatspi.Registry.getDesktop(0)
            for app in children(desktop):
                if safe(lambda: app.get_process_id()) == self.process.pid:
                    self.app = app
            pump(0.2)
        # Every state and name read fresh from the program, never from the library's cache.
        safe(lambda: self.app.set_cache_mask(Atspi.Cache.NONE))

    def _focused(self, event):
        if event.detail1:
            self.focus_events.append(event.source)

    def alive(self):
        return self.process.poll() is None

    def log_tail(self):
        self.log.flush()
        with open(self.log_path, "rb") as f:
            return f.read()[-3000:].decode("utf-8", "replace")

    def stop(self):
        if self in Program.running:
            Program.running.remove(self)
        safe(lambda: pyatspi.Registry.deregisterEventListener(self._focused, "object:state-changed:focused"))
        if self.alive():
            self.process.terminate()
            try:
                self.process.wait(15)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()

    # What the user is in: the active window and the control with the focus.
    def active_window(self):
        for window in children(self.app):
            if has_state(window, pyatspi.STATE_ACTIVE):
                return window
        return None

    def focused(self):
        window = self.active_window()
        return find_focused(window) if window is not None else None

    def current_focus(self):
        """What a screen reader says has the focus: the last object the bus told of (since the last
        key) that has it still, on show in the active window; or else the one found in that window.
        Windows not on show keep the focus state of their own focused control."""
        window = self.active_window()
        if window is None:
            return None
        for obj in reversed(self.focus_events):
            s = states(obj)
            if s and s.contains(pyatspi.STATE_FOCUSED) and s.contains(pyatspi.STATE_SHOWING) \
                    and key_of(window_of(obj)) == key_of(window):
                return obj
        return find_focused(window)

    def press(self, keys):
        if not self.alive():
            raise StepFailed(f"the program ended: {self.log_tail()}")
        self.focus_events.clear()
        subprocess.run(["xdotool", "key", "--delay", "40", *keys.split()], check=True)

    def type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "40", text], check=True)

    def focus_after(self, keys):
        """Presses the keys and returns the control that has the focus then: the last one the bus
        told of that still has it, or the one found in the active window."""
        self.press(keys)
        began = time.monotonic()
        end = began + 1.5
        while not self.focus_events and time.monotonic() < end:
            pump(0.05)
        if self.focus_events:
            pump(0.1)  # the focus may pass on (a caption that hands it to its picture)
        found = self.current_focus()
        if TRACE:
            print(f"      {keys}: {describe(found) if found is not None else '-'} "
                  f"({len(self.focus_events)} events, {time.monotonic() - began:.2f} s)", flush=True)
        return found

    def wait_window(self, pattern, seconds=20):
        end = time.monotonic() + seconds
        while True:
            window = self.active_window()
            if window is not None and re.fullmatch(pattern, name_of(window).strip()):
                pump(0.3)  # its focus settled
                return window
            if not self.alive():
                raise StepFailed(f"the program ended: {self.log_tail()}")
            if time.monotonic() > end:
                now = describe(window) if window is not None else "no window"
                raise StepFailed(f"waited for the window /{pattern}/; active: {now}")
            pump(0.1)

    def tab_to(self, pattern, back=False, role=None):
        obj = self.current_focus()
        window = self.active_window()
        order = self.tab_orders.get(key_of(window)) if window is not None else None
        if order and obj is not None and name_of(obj) in order and role is None:
            targets = [i for i, name in enumerate(order) if re.match(pattern, name)]
            if targets:
                here, there = order.index(name_of(obj)), targets[0]
                back = (here - there) % len(order) < (there - here) % len(order)
        seen = set()
        for _ in range(MAX_TABS):
            if obj is not None:
                if re.match(pattern, name_of(obj)) and role in (None, role_of(obj)):
                    return obj
                if key_of(obj) in seen:
                    break
                seen.add(key_of(obj))
            obj = self.focus_after("shift+Tab" if back else "Tab")
        raise StepFailed(f"{'Shift+Tab' if back else 'Tab'} never reached a control named /{pattern}/")

    def run(self, steps):
        for step in steps:
            if isinstance(step, Tab):
                self.tab_to(step.pattern, step.back)
            elif isinstance(step, Wait):
                self.wait_window(step.pattern)
            else:
                self.press(step)
                pump(0.3)


def window_of(obj):
    """The window that holds `obj`: its ancestor just under the application."""
    for _ in range(60):
        parent = safe(lambda: obj.parent)
        if parent is None:
            return None
        if role_of(parent) == pyatspi.ROLE_APPLICATION:
            return obj
        obj = parent
    return None


def find_focused(root):
    """The object on show under `root` with the focus: the innermost one, as a control whose focus is
    handed to a part of it (a calendar to its days) tells it has the focus too."""
    found = None
    stack = [root]
    while stack:
        obj = stack.pop()
        s = states(obj)
        if s is None or (obj is not root and not s.contains(pyatspi.STATE_SHOWING)):
            continue
        if obj is not root and s.contains(pyatspi.STATE_FOCUSED):
            found = obj
            stack = []  # only its own parts from here on
        stack.extend(reversed(list(children(obj))))
    return found


def buttons_on_show(window):
    """Every button under `window` that the user sees and could use, with its parent."""
    found = []
    stack = [(window, None)]
    while stack:
        obj, parent = stack.pop()
        s = states(obj)
        if s is None or (obj is not window and not s.contains(pyatspi.STATE_SHOWING)):
            continue
        role = role_of(obj)
        if role in BUTTON_ROLES and all(s.contains(state) for state in USABLE):
            found.append((obj, parent))
        if role not in ITEM_VIEWS:
            stack.extend((child, obj) for child in children(obj))
    return found


# --- The walk -------------------------------------------------------------------------------------

class Walk:
    def __init__(self, args):
        self.args = args
        self.program = None
        self.failures = []
        self.started = time.monotonic()
        self.home = ACCESS

    def fail(self, where, message):
        self.failures.append(f"{where}: {message}")
        print(f"  FAULT: {message}", flush=True)

    def start(self):
        if self.program is not None:
            self.program.stop()
        self.program = Program(self.args.program, self.args.log)

    def log_in(self):
        self.program.wait_window(ACCESS, 60)
        self.program.tab_to(r".*", role=pyatspi.ROLE_PASSWORD_TEXT)
        self.program.type(PASSWORD)
        self.program.press("Return")
        self.program.wait_window(MENU, 60)

    def back_home(self, home):
        """After a failed step: the home window back, by closing what is over it."""
        for _ in range(6):
            if not self.program.alive():
                return False
            window = self.program.active_window()
            if window is not None and re.fullmatch(home, name_of(window).strip()):
                return True
            if window is None:
                pump(1)
                continue
            if re.fullmatch(MENU, name_of(window).strip()):
                return False  # the home was left already: nothing over the menu to close
            self.program.press("Escape")
            pump(1)
            if self.program.active_window() is not None and key_of(self.program.active_window()) == key_of(window):
                self.program.press("alt+F4")  # openbox closes the window
                pump(1.5)
        return False

    def check_window(self, label, window):
        name = name_of(window)
        if role_of(window) not in WINDOW_ROLES:
            self.fail(label, f"the window {name!r} is a {role_name(window)}, not a frame, window, dialog or alert")
        if not name.strip():
            self.fail(label, "the window has no name")
        elif name != name.strip():
            self.fail(label, f"the window's name {name!r} has blanks around it")

    def check_stop(self, label, obj):
        # A cell is named by what it holds, which may be nothing; its table needs a name.
        named = safe(lambda: obj.parent) if role_of(obj) == pyatspi.ROLE_TABLE_CELL else obj
        if not name_of(named).strip():
            self.fail(label, f"a control without a name takes the focus: {describe(named)}")
        if role_of(obj) in LAYOUT_ROLES:
            self.fail(label, f"a {role_name(obj)} takes the focus: {describe(obj)}")

    def tab_round(self, label, window):
        """Tab until the focus is back on the first control; returns the stops in order."""
        p = self.program
        first = p.current_focus()
        if first is None:
            self.fail(label, "no control has the focus when the window opens")
            first = p.focus_after("Tab")
            if first is None:
                self.fail(label, "Tab gives no control the focus")
                return []
        stops = [first]
        seen = {key_of(first)}
        self.check_stop(label, first)
        for _ in range(MAX_TABS):
            obj = p.focus_after("Tab")
            now = p.active_window()
            if now is None or key_of(now) != key_of(window):
                self.fail(label, f"Tab after {describe(stops[-1])} left the window for "
                                 f"{describe(now) if now is not None else 'no window'}")
                return stops
            if obj is None:
                self.fail(label, f"Tab after {describe(stops[-1])} left no control with the focus")
                return stops
            if key_of(obj) == key_of(first):
                return stops
            if key_of(obj) in seen:
                self.fail(label, f"Tab goes round without coming back to the first control {describe(first)}: "
                                 f"after {describe(stops[-1])} it is back on {describe(obj)}")
                return stops
            seen.add(key_of(obj))
            stops.append(obj)
            self.check_stop(label, obj)
            table = safe(lambda: obj.parent) if role_of(obj) == pyatspi.ROLE_TABLE_CELL else None
            if table is not None and key_of(table) in (key_of(stops[-2]), key_of(safe(lambda: stops[-2].parent))):
                self.fail(label, f"Tab moves on inside the table {describe(table)}, from cell to cell, and does "
                                 "not leave it: the controls after it are not walked")
                return stops
        self.fail(label, f"the focus was not back on the first control after {MAX_TABS} Tabs")
        return stops

    def check_names_apart(self, label, stops):
        """Two stops of one window that a screen reader announces alike cannot be told apart."""
        said = {}
        for obj in stops:
            said.setdefault((name_of(obj).strip(), role_name(obj)), []).append(obj)
        for (name, role), same in said.items():
            if name and len(same) > 1:
                self.fail(label, f"{len(same)} stops are all announced as {name!r} [{role}]: "
                                 + ", ".join(place(obj) for obj in same))

    def check_buttons(self, label, window, stops):
        reached = {key_of(obj) for obj in stops}
        # A radio button's group is one Tab stop: the arrows move within it.
        radio_groups = {key_of(obj.parent) for obj in stops
                        if role_of(obj) == pyatspi.ROLE_RADIO_BUTTON and safe(lambda: obj.parent) is not None}
        for button, parent in buttons_on_show(window):
            if key_of(button) in reached:
                continue
            if role_of(button) == pyatspi.ROLE_RADIO_BUTTON and parent is not None and key_of(parent) in radio_groups:
                continue
            if parent is not None and CALENDAR_ARROWS & {name_of(c) for c in children(parent)}:
                continue
            self.fail(label, f"a button on show is never reached with Tab: {describe(button)} {place(button)}")

    def check_order(self, label, stops, order):
        said = [f"{name_of(obj)} [{role_name(obj)}]" for obj in stops]
        more = order[-1] is ...
        patterns = order[:-1] if more else order
        fits = len(said) >= len(patterns) if more else len(said) == len(patterns)
        fits = fits and all(re.match(p, s) for p, s in zip(patterns, said))
        if not fits:
            wanted = ", ".join(f"/{p}/" for p in patterns) + (", ..." if more else "")
            self.fail(label, f"the Tab order should be {wanted}; it is {', '.join(said)}")

    def go_home(self, home):
        """From the home the walk is in to `home`, through the main menu."""
        p = self.program
        if self.home != home:
            if self.home == ACCESS:
                self.log_in()
            elif self.home != MENU:
                p.run(HOMES[self.home][1])
                p.wait_window(MENU)
            self.home = MENU
            if home != MENU:
                p.run(HOMES[home][0])
                p.wait_window(home)
                self.home = home
        p.wait_window(home)

    def walk_window(self, w):
        label = w.label
        print(f"\n=== {label}", flush=True)
        p = self.program
        began = time.monotonic()
        self.go_home(w.home)
        print(f"  reached by: {' '.join(map(str, w.reach)) or '(home itself)'}", flush=True)
        try:
            p.run(w.reach)
            window = p.wait_window(w.title)
        except StepFailed as e:
            raise StepFailed(f"reaching it: {e}")
        print(f"  window: {describe(window)}", flush=True)
        self.check_window(label, window)
        stops = self.tab_round(label, window)
        p.tab_orders[key_of(window)] = [name_of(obj) for obj in stops]
        print(f"  Tab order ({len(stops)} stops):", flush=True)
        for i, obj in enumerate(stops, 1):
            print(f"    {i:2}. {describe(obj)}", flush=True)
        self.check_buttons(label, window, stops)
        self.check_names_apart(label, stops)
        if w.order:
            self.check_order(label, stops, w.order)
        try:
            p.run(w.leave)
            p.wait_window(w.home)
        except StepFailed as e:
            raise StepFailed(f"leaving it by {' '.join(map(str, w.leave))}: {e}")
        print(f"  ({time.monotonic() - began:.0f} s)", flush=True)

    def out_of_time(self):
        return time.monotonic() - self.started > TIME_LIMIT

    def recover(self, label):
        """After a failed step: the walk's home back, or else the main menu, or else a new start."""
        if self.back_home(self.home):
            return
        if self.home not in (ACCESS, MENU) and self.back_home(MENU):
            self.home = MENU
            return
        if self.program.alive():
            self.fail(label, "the program's windows could not be closed by keys: it is started again")
        else:
            self.fail(label, "the program ended: it is started again")
        self.start()
        if self.home != ACCESS:
            self.log_in()
            self.home = MENU

    def run(self):
        try:
            self.start()
            self.home = ACCESS
            for w in WINDOWS:
                if self.out_of_time():
                    self.fail(w.label, f"not walked: the walk took over {TIME_LIMIT} s")
                    continue
                try:
                    self.walk_window(w)
                except StepFailed as e:
                    self.fail(w.label, str(e))
                    self.recover(w.label)
            if not self.program.alive():
                self.fail("program", f"it ended during the walk: {self.program.log_tail()}")
        except StepFailed as e:
            self.fail("walk", f"it could not go on: {e}")
        print(f"\nThe walk took {time.monotonic() - self.started:.0f} s.", flush=True)
        if self.failures:
            print("Faults:")
            for failure in self.failures:
                print(f"  {failure}")
        else:
            print("No faults.")
        return 1 if self.failures else 0


def picture(args):
    program = Program(args.program, args.log, args.scale)
    try:
        walk = Walk(args)
        walk.program = program
        walk.log_in()
        program.run(HOMES[SHEET][0])
        program.wait_window(SHEET)
        salva = program.tab_to(r"Salva la scheda in archivio\.", back=True)
        print(f"focus on {describe(salva)} at scale {args.scale}", flush=True)
        pump(1.0)  # the focus frame painted
        subprocess.run(["import", "-window", "root", args.out], check=True)
        size = subprocess.run(["identify", "-format", "%wx%h", args.out], check=True, capture_output=True,
                              text=True).stdout
        print(f"picture: {args.out} ({size})")
        if size != "1920x1080":
            raise StepFailed(f"the picture is of {size}, not of the 1920x1080 screen")
        return 0
    finally:
        program.stop()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mode", choices=["walk", "picture"])
    parser.add_argument("--program", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--scale", default="1")
    parser.add_argument("--out")
    args = parser.parse_args()
    # Ended from outside (the test's time limit): the program is ended too.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    try:
        return Walk(args).run() if args.mode == "walk" else picture(args)
    except StepFailed as e:
        print(f"FAULT: {e}", file=sys.stderr)
        return 1
    finally:
        for program in list(Program.running):
            program.stop()


if __name__ == "__main__":
    sys.exit(main())
