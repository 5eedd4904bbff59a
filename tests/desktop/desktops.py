"""desktops.py gnome|kwin-wayland|kwin-x11|xfwm4 SHOTS_DIR, run by session.sh: plays the installed program through a
desktop, with real input, reading each answer from the desktop's own view of the windows; prints an "ok: ...",
"FAIL: ..." or "note: ..." line a check."""

import contextlib
import json
import os
import re
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Gio, GLib
from session_tools import find, poll, run, running

GAME, ABOUT = "Delvoran", "O programu"
APP_ID = "cz.delvoran.Delvoran"
GAME_SIZE, ABOUT_SIZE = (328, 364), (312, 217)
# Client-area points of the game window: centres of the 32 px "?" picture at
# (160, 160) and of the 64 px new-word picture at (248, 256), an empty spot.
QUESTION, NEW_WORD, EMPTY = (176, 176), (280, 288), (300, 340)
# The height of the title bar the program draws itself above its client
# area on Wayland (tk::TitleBar).
OWN_TITLE_BAR = 26
# A state that may yet come (a window maximised by a double-click) is waited
# for this long before it counts as not having come.
SETTLE = 3


def play(desktop, shots_dir):
    failed = []

    def check(ok, what, seen=""):
        print(("ok: " if ok else "FAIL: ") + what + (f" (seen: {seen})" if seen and not ok else ""), flush=True)
        if not ok:
            failed.append(what)
        return ok

    def shot(name):
        desktop.screenshot(os.path.join(shots_dir, name + ".png"))

    def window(title, test=lambda w: True, seconds=10):
        return poll(lambda: desktop.window(title), lambda w: w is not None and test(w), seconds)

    def holds(title, test, what, seen):
        """Checks that the window comes to pass test; seen(w) tells what it was."""
        w = window(title, test)
        return check(w is not None and test(w), what, seen(w) if w else "no such window")

    def click(title, point, double=False):
        x, y = window(title)["client"][:2]
        desktop.click(x + point[0], y + point[1], double)

    # 1. The window, as the desktop matched it.
    game = window(GAME, seconds=30)
    if not check(game is not None, f"the game window {GAME!r} appears"):
        return len(failed)
    check(game["app_id"] == APP_ID, f"the desktop matched the game window to {APP_ID}", game["app_id"])
    check(tuple(game["client"][2:]) == GAME_SIZE, f"the game window is {GAME_SIZE}", game["client"])
    click(GAME, EMPTY)
    window(GAME, lambda w: w["focused"])
    shot("1-game")

    # 2. Neither a title-bar double-click nor the shortcut maximises it.
    # A third of the way along: clear of the icon, the title and the buttons.
    def on_title_bar():
        frame, client = window(GAME)["frame"], window(GAME)["client"]
        desktop.click(client[0] + GAME_SIZE[0] // 3, (frame[1] + client[1]) // 2, double=True)
    before = window(GAME)
    for name, what, attempt in [
            ("title-bar", "a double-click on the title bar", on_title_bar),
            ("shortcut", f"the shortcut {desktop.maximize_shortcut}", lambda: desktop.key(desktop.maximize_shortcut))]:
        click(GAME, EMPTY)
        window(GAME, lambda w: w["focused"])
        attempt()
        after = window(GAME, lambda w: w["maximized"] or w["frame"] != before["frame"], SETTLE)
        shot("2-after-" + name)
        unchanged = not after["maximized"] and after["frame"] == before["frame"]
        check(unchanged, f"{what} leaves the game window unmaximised, {GAME_SIZE}",
              f"maximized={after['maximized']}, frame {after['frame']}")
        if after["maximized"]:
            # Undone the way a user would, so the checks after it still run.
            on_title_bar()
            window(GAME, lambda w: not w["maximized"] and w["frame"] == before["frame"])

    # 3. The actions the desktop offers for each window.
    # Only where a window can take an action away is the desktop's answer
    # the program's doing; elsewhere it is recorded.
    def actions(title, w, minimizable):
        for key, want in [("can_minimize", minimizable), ("can_maximize", False), ("can_resize", False)]:
            if key in desktop.refusable:
                check(w[key] == want, f"the desktop says {title!r} {key} = {want}", w[key])
    actions(GAME, window(GAME), True)

    # 5. (before About covers the game) A word played to its end.
    new_word = find(lambda n: n.name == "Vylosovat slovo")
    result = find(lambda n: n.description == "Výsledek slova")
    def fresh(node):
        node.clear_cache()
        return node

    def sensitive():
        return fresh(new_word).getState().contains(pyatspi.STATE_SENSITIVE)
    click(GAME, NEW_WORD)
    check(not poll(sensitive, lambda s: not s), "a new word starts from the new-word button")
    for index in range(26):  # the keys A to Z, 24 px apart in rows of 13
        click(GAME, (18 + 24 * (index % 13), 50 + 24 * (index // 13)))
    ended = poll(lambda: fresh(result).name, lambda name: name in ("Správně", "Špatně"))
    check(ended in ("Správně", "Špatně") and sensitive(), "the word ends after clicking A to Z", repr(ended))
    shot("5-word-played")

    # 4. "?" brings About forward, also from minimised.
    click(GAME, QUESTION)
    about = window(ABOUT)
    if not check(about is not None, f"'?' opens {ABOUT!r}"):
        return len(failed)
    check(tuple(about["client"][2:]) == ABOUT_SIZE, f"the About window is {ABOUT_SIZE}", about["client"])
    actions(ABOUT, about, False)
    # Placed over the game window, About would take the clicks meant for "?".
    frame = window(GAME)["frame"]
    spot = (frame[0] + frame[2] + 16, frame[1])
    desktop.move(ABOUT, *spot)
    holds(ABOUT, lambda w: tuple(w["frame"][:2]) == spot, f"the desktop moves About aside, to {spot}",
          lambda w: w["frame"])
    shot("4-about")
    focus = lambda w: f"focused={w['focused']}, minimized={w['minimized']}"  # noqa: E731
    click(GAME, EMPTY)
    holds(GAME, lambda w: w["focused"], "a click on the game window focuses it", focus)
    holds(ABOUT, lambda w: not w["focused"], "a click on the game window leaves About unfocused", focus)
    click(GAME, QUESTION)
    holds(ABOUT, lambda w: w["focused"], "'?' focuses the unfocused About window", focus)
    desktop.minimize(ABOUT)
    if not window(ABOUT, lambda w: w["minimized"], SETTLE)["minimized"]:
        # A desktop that honours the window's close-only frame refuses.
        check(not about["can_minimize"], "the desktop minimises About where it offers to", focus(about))
        return len(failed)
    click(GAME, QUESTION)
    holds(ABOUT, lambda w: not w["minimized"] and w["focused"],
          "'?' restores and focuses the minimised About window", focus)
    shot("4-about-from-minimised")
    return len(failed)


class XvfbInput:
    """Pointer, keys and screenshots on $DISPLAY; a desktop nested in a window of it sets origin to its place."""

    origin = (0, 0)
    program_env = {"QT_QPA_PLATFORM": "xcb"}

    def click(self, x, y, double=False):
        run("xdotool", "mousemove", "--sync", str(x + self.origin[0]), str(y + self.origin[1]),
            "click", "--repeat", "2" if double else "1", "--delay", "80", "1")

    def key(self, combo):
        run("xdotool", "key", "--delay", "50", combo)

    def screenshot(self, path):
        run("import", "-window", "root", path)


def props(window, *names, length=4096):
    """The named properties an X window (or "-root") has, as xprop prints their values."""
    where = ["-root"] if window == "-root" else ["-id", window]
    lines = run("xprop", "-len", str(length), *where, "-notype", *names)
    return {name: value for name, value in re.findall(r"^(\w+)(?: = |: )(.*)$", lines, re.M)
            if not value.lstrip().startswith(("not found", "no such atom"))}


def numbers(text):
    return [int(n, 0) for n in re.findall(r"0x[0-9a-f]+|\d+", text or "")]


def x11_app_id(wm_class):
    """The game's desktop file, where X11 task bars match it to the window: its StartupWMClass names the WM_CLASS."""
    with open(f"/usr/share/applications/{APP_ID}.desktop", encoding="utf-8") as entry:
        wanted = re.search(r"^StartupWMClass=(.*)$", entry.read(), re.M)
    return APP_ID if wanted and wanted[1] in wm_class else ""


class X11Desktop(XvfbInput):
    # An X11 client takes each action away itself: by its size hints, its
    # Motif hints, or by being a transient of another window.
    refusable = ("can_minimize", "can_maximize", "can_resize")

    def __init__(self, maximize_shortcut):
        self.maximize_shortcut = maximize_shortcut

    def find(self, title):
        for window in (f"0x{w:x}" for w in numbers(props("-root", "_NET_CLIENT_LIST").get("_NET_CLIENT_LIST"))):
            with contextlib.suppress(subprocess.CalledProcessError):  # gone meanwhile
                if props(window, "_NET_WM_NAME").get("_NET_WM_NAME") == f'"{title}"':
                    return window
        return None

    def window(self, title):
        window = self.find(title)
        if window is None:
            return None
        found = props(window, "_NET_WM_STATE", "_NET_WM_ALLOWED_ACTIONS", "_NET_FRAME_EXTENTS", "WM_CLASS")
        said = found.get("_NET_WM_STATE", "") + found.get("_NET_WM_ALLOWED_ACTIONS", "")
        left, right, top, bottom = (numbers(found.get("_NET_FRAME_EXTENTS")) + [0] * 4)[:4]
        info = run("xwininfo", "-id", window)
        x, y, w, h = (int(re.search(rf"{key}:\s+(-?\d+)", info).group(1))
                      for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
        active = numbers(props("-root", "_NET_ACTIVE_WINDOW").get("_NET_ACTIVE_WINDOW"))
        has_icon = "_NET_WM_ICON" in props(window, "_NET_WM_ICON", length=8)
        return {
            "frame": (x - left, y - top, w + left + right, h + top + bottom),
            "client": (x, y, w, h),
            "maximized": "_NET_WM_STATE_MAXIMIZED" in said,
            "minimized": "_NET_WM_STATE_HIDDEN" in said,
            "focused": active[:1] == [int(window, 16)],
            **{f"can_{action}": f"_NET_WM_ACTION_{action.upper()}" in said
               for action in ("maximize", "minimize", "resize")},
            # Without an icon of its own the task bar shows a generic one.
            "app_id": x11_app_id(re.findall(r'"([^"]*)"', found.get("WM_CLASS", ""))) if has_icon else "",
        }

    def minimize(self, title):
        run("xdotool", "windowminimize", self.find(title))

    def move(self, title, x, y):
        # The window manager places the frame; Qt's windows have static
        # gravity, so the request names the client's spot.
        view = self.window(title)
        (fx, fy), (cx, cy) = view["frame"][:2], view["client"][:2]
        run("xdotool", "windowmove", self.find(title), str(x + cx - fx), str(y + cy - fy))


PROBE = """<node><interface name="cz.delvoran.Probe">
<method name="report"><arg type="s" direction="in"/></method></interface></node>"""

# The script sees KWin's Window objects, does what it is asked to each
# window of the title, and reports them. Maximised is read off the window's
# own maximize mode where KWin exposes it, else off the area it fills.
SCRIPT = """
const wanted = %(title)s;
const found = workspace.windowList().filter(w => w.caption === wanted).map(w => {
    %(action)s;
    const area = workspace.clientArea(KWin.MaximizeArea, w);
    const f = w.frameGeometry, c = w.clientGeometry;
    return {
        frame: [f.x, f.y, f.width, f.height], client: [c.x, c.y, c.width, c.height],
        maximized: w.maximizeMode !== undefined ? w.maximizeMode !== 0
                   : f.width >= area.width && f.height >= area.height,
        minimized: w.minimized, focused: w.active, can_maximize: w.maximizable,
        can_minimize: w.minimizable, can_resize: w.resizeable, app_id: w.desktopFileName,
    };
});
callDBus(%(bus)s, "/probe", "cz.delvoran.Probe", "report", JSON.stringify(found));
"""


class WaylandClient:
    # A Wayland client takes maximising and resizing away by its size limits;
    # no protocol lets it take minimising away (mutter lets only modal
    # dialogs refuse it; X11's Motif hints have no Wayland counterpart).
    refusable = ("can_maximize", "can_resize")
    program_env = {"QT_QPA_PLATFORM": "wayland", "DISPLAY": None}


class KWinWayland(WaylandClient, XvfbInput):
    maximize_shortcut = "super+Prior"

    def __init__(self):
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION)
        self.reports = []
        self.bus.register_object("/probe", Gio.DBusNodeInfo.new_for_xml(PROBE).interfaces[0], self.on_report)
        self.scripts = tempfile.mkdtemp()
        self.runs = 0
        # KWin draws its output into a top-level window: "... 1024x768+0+0  +0+0".
        tree = run("xwininfo", "-root", "-children")
        place = re.search(r'"KDE Wayland Compositor.*\s\+(-?\d+)\+(-?\d+)$', tree, re.M)
        self.origin = (int(place.group(1)), int(place.group(2)))

    def on_report(self, connection, sender, path, interface, method, parameters, invocation):
        self.reports.append(json.loads(parameters.unpack()[0]))
        invocation.return_value(None)

    def kwin(self, path, interface, method, *args):
        return self.bus.call_sync("org.kde.KWin", path, interface, method,
                                  GLib.Variant("(" + "s" * len(args) + ")", args) if args else None,
                                  None, Gio.DBusCallFlags.NONE, 10000, None).unpack()

    def query(self, title, action=""):
        """Runs the script once and waits for its report."""
        self.runs += 1
        name = f"delvoran-probe-{self.runs}"
        path = os.path.join(self.scripts, name + ".js")
        with open(path, "w", encoding="utf-8") as script:
            script.write(SCRIPT % {"title": json.dumps(title), "action": action,
                                   "bus": json.dumps(self.bus.get_unique_name())})
        heard = len(self.reports)
        (number,) = self.kwin("/Scripting", "org.kde.kwin.Scripting", "loadScript", path, name)
        self.kwin(f"/Scripting/Script{number}", "org.kde.kwin.Script", "run")
        reported = poll(lambda: len(self.reports) > heard)
        self.kwin("/Scripting", "org.kde.kwin.Scripting", "unloadScript", name)
        if not reported:
            raise RuntimeError("KWin's script never reported")
        return self.reports[-1]

    def window(self, title):
        found = self.query(title)
        if not found:
            return None
        view = found[0]
        x, y, w, h = view["client"]
        # KWin decorates none of the program's windows that ask for no frame.
        if view["frame"] == view["client"]:
            y, h = y + OWN_TITLE_BAR, h - OWN_TITLE_BAR
        view["frame"], view["client"] = tuple(view["frame"]), (x, y, w, h)
        return view

    def minimize(self, title):
        self.query(title, "w.minimized = true")

    def move(self, title, x, y):
        self.query(title, f"w.frameGeometry = {{x: {x}, y: {y}, width: w.frameGeometry.width, "
                          "height: w.frameGeometry.height}")


# Key names as the sessions write them, to Clutter's keyval names.
KEYS = {"super": "Super_L", "ctrl": "Control_L", "alt": "Alt_L", "shift": "Shift_L"}


class GnomeDesktop(WaylandClient):
    maximize_shortcut = "super+Up"

    def __init__(self):
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION)

    def _call(self, path, interface, method, signature, args, reply):
        return self.bus.call_sync(
            "org.gnome.Shell", path, interface, method, GLib.Variant(signature, args),
            GLib.VariantType(reply), Gio.DBusCallFlags.NONE, 10000, None).unpack()

    def eval(self, code):
        ok, result = self._call("/org/gnome/Shell", "org.gnome.Shell", "Eval", "(s)", (code,), "(bs)")
        if not ok:
            raise RuntimeError(f"the shell could not run {code!r}: {result}")
        return json.loads(result) if result else None

    def window(self, title):
        # Mutter's frame is the window's xdg geometry: the client area and the
        # title bar the program draws above it.
        for w in self.eval("delvoranTest.windows()"):
            if w["title"] == title:
                x, y, width, height = w["frame"]
                return dict(w, frame=(x, y, width, height), app_id=w["app_id"].removesuffix(".desktop"),
                            client=(x, y + OWN_TITLE_BAR, width, height - OWN_TITLE_BAR))
        return None

    def click(self, x, y, double=False):
        # A click held as long as a person holds one; a double-click's two
        # well inside the double-click time (400 ms).
        hold = 60 if double else 150
        time.sleep(self.eval(f"delvoranTest.click({x}, {y}, {2 if double else 1}, {hold})") / 1000)

    def key(self, combo):
        names = [KEYS.get(k.lower(), k) for k in combo.split("+")]
        self.eval(f"delvoranTest.key({json.dumps(names)})")

    def minimize(self, title):
        self.eval(f"delvoranTest.minimize({json.dumps(title)})")

    def move(self, title, x, y):
        self.eval(f"delvoranTest.move({json.dumps(title)}, {x}, {y})")

    def screenshot(self, path):
        ok, _ = self._call("/org/gnome/Shell/Screenshot", "org.gnome.Shell.Screenshot", "Screenshot",
                           "(bbs)", (False, False, os.path.abspath(path)), "(bs)")
        if not ok:
            raise RuntimeError(f"the shell took no screenshot into {path}")


if __name__ == "__main__":
    desktop = {"gnome": GnomeDesktop, "kwin-wayland": KWinWayland, "kwin-x11": lambda: X11Desktop("super+Prior"),
               "xfwm4": lambda: X11Desktop("alt+F10")}[sys.argv[1]]()
    with running(**desktop.program_env):
        sys.exit(1 if play(desktop, sys.argv[2]) else 0)
