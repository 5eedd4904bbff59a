"""An X11 window manager's view of the game, read from the properties the
window manager itself keeps (EWMH), with real input sent through the X
server. Serves xfwm4 and kwin_x11 alike; kwin_desktop.py builds on its
input half for KWin nested in Xvfb.

Usage (inside an X session with the window manager running):
  x11_desktop.py xfwm4|kwin SHOTS_DIR"""

import configparser
import glob
import os
import re
import subprocess
import sys

from play import main


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, check=True).stdout


class XvfbInput:
    """Pointer, keys and screenshots on the X server of $DISPLAY. A desktop
    drawn inside a window of its own (a nested compositor) sets origin to
    that window's place on the X screen."""

    origin = (0, 0)

    def click(self, x, y, double=False):
        run("xdotool", "mousemove", "--sync", str(x + self.origin[0]), str(y + self.origin[1]),
            "click", "--repeat", "2" if double else "1", "--delay", "80", "1")

    def key(self, combo):
        run("xdotool", "key", "--delay", "50", combo)

    def screenshot(self, path):
        run("import", "-window", "root", path)

    # The program's environment: these set, those of value None taken out.
    program_env = {"QT_QPA_PLATFORM": "xcb"}
    game = None

    def start_program(self):
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **self.program_env)
        self.game = subprocess.Popen(["delvoran"], env={k: v for k, v in env.items() if v is not None})

    def stop(self):
        if self.game:
            self.game.terminate()
            self.game.wait(timeout=10)


def props(window, *names, length=4096):
    """The named properties of an X window (or "-root") that it has, as xprop
    prints them: "NAME = value" or "NAME: window id # 0x...", and one it
    lacks as "NAME:  not found." or "NAME:  no such atom on any window."."""
    where = ["-root"] if window == "-root" else ["-id", window]
    lines = run("xprop", "-len", str(length), *where, "-notype", *names)
    return {name: value for name, value in re.findall(r"^(\w+)(?: = |: )(.*)$", lines, re.M)
            if not value.lstrip().startswith(("not found", "no such atom"))}


def numbers(text):
    return [int(n, 0) for n in re.findall(r"0x[0-9a-f]+|\d+", text or "")]


def desktop_file_for(wm_class):
    """The desktop file a task bar matches to a window by its WM_CLASS, as
    X11 task bars do: StartupWMClass first, then the file's own name."""
    entries = {}
    for path in glob.glob("/usr/share/applications/*.desktop"):
        entry = configparser.ConfigParser(interpolation=None, strict=False)
        entry.read(path, encoding="utf-8")
        entries[os.path.basename(path)[: -len(".desktop")]] = entry.get("Desktop Entry", "StartupWMClass",
                                                                        fallback=None)
    for matches in (lambda name, wm: wm in wm_class, lambda name, wm: name in wm_class):
        for name, startup in entries.items():
            if matches(name, startup):
                return name
    return ""


class X11Desktop(XvfbInput):
    shortcuts = {"xfwm4": "alt+F10", "kwin": "super+Prior"}

    # An X11 client takes each action away itself: by its size hints, its
    # Motif hints, or by being a transient of another window.
    refusable = ("can_minimize", "can_maximize", "can_resize")

    def __init__(self, manager):
        self.maximize_shortcut = self.shortcuts[manager]

    def clients(self):
        return [f"0x{w:x}" for w in numbers(props("-root", "_NET_CLIENT_LIST").get("_NET_CLIENT_LIST"))]

    def find(self, title):
        for window in self.clients():
            try:
                if props(window, "_NET_WM_NAME").get("_NET_WM_NAME") == f'"{title}"':
                    return window
            except subprocess.CalledProcessError:  # gone meanwhile
                pass
        return None

    def window(self, title):
        window = self.find(title)
        if window is None:
            return None
        found = props(window, "_NET_WM_STATE", "_NET_WM_ALLOWED_ACTIONS", "_NET_FRAME_EXTENTS", "WM_CLASS")
        state = found.get("_NET_WM_STATE", "")
        actions = found.get("_NET_WM_ALLOWED_ACTIONS", "")
        left, right, top, bottom = (numbers(found.get("_NET_FRAME_EXTENTS")) + [0] * 4)[:4]
        info = run("xwininfo", "-id", window)
        x, y, w, h = (int(re.search(rf"{key}:\s+(-?\d+)", info).group(1))
                      for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
        active = numbers(props("-root", "_NET_ACTIVE_WINDOW").get("_NET_ACTIVE_WINDOW"))
        has_icon = "_NET_WM_ICON" in props(window, "_NET_WM_ICON", length=8)
        return {
            "frame": (x - left, y - top, w + left + right, h + top + bottom),
            "client": (x, y, w, h),
            "maximized": "_NET_WM_STATE_MAXIMIZED" in state,
            "minimized": "_NET_WM_STATE_HIDDEN" in state,
            "focused": active[:1] == [int(window, 16)],
            "can_maximize": "_NET_WM_ACTION_MAXIMIZE" in actions,
            "can_minimize": "_NET_WM_ACTION_MINIMIZE" in actions,
            "can_resize": "_NET_WM_ACTION_RESIZE" in actions,
            # Without an icon of its own the task bar shows a generic one.
            "app_id": desktop_file_for(re.findall(r'"([^"]*)"', found.get("WM_CLASS", ""))) if has_icon else "",
        }

    def minimize(self, title):
        run("xdotool", "windowminimize", self.find(title))

    def move(self, title, x, y):
        """A move asked of the window manager, which places the frame: Qt's
        windows have static gravity, so the request names the client's spot."""
        view = self.window(title)
        (fx, fy), (cx, cy) = view["frame"][:2], view["client"][:2]
        run("xdotool", "windowmove", self.find(title), str(x + cx - fx), str(y + cy - fy))


if __name__ == "__main__":
    main(X11Desktop(sys.argv[1]), sys.argv[2])
