"""The GNOME Shell side of the desktop session: reads mutter's own view of the
windows and sends real pointer and key input through the shell, by way of
org.gnome.Shell.Eval and the helpers of the test extension beside this file.

Run by gnome.sh inside the session's D-Bus, once the shell is ready:
    gnome_desktop.py SHOTS_DIR"""

import json
import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("GdkPixbuf", "2.0")
from gi.repository import GdkPixbuf, Gio, GLib  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from play import main  # noqa: E402

# Mutter's frame is the window's xdg geometry: the client area and whatever
# title bar and border the client draws itself (Qt's decoration, or the
# program's own), without shadows. Mutter never learns where the client area
# lies in it, so it is found on the screen: the game window's "?" picture
# shows at (160, 160) of the client area. The border is taken as equally
# wide left, right and below, as Qt's decorations draw it; the title bar
# is what lies above.
MARK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets", "question.png")
MARK_AT = (160, 160)
# How far into the frame the client area may begin, and how closely a screen
# pixel must match the picture's.
MOST_BORDER, MOST_TITLE_BAR, TOLERANCE = 20, 80, 8

# Key names as the brief writes them, to Clutter's keyval names.
KEYS = {"super": "Super_L", "ctrl": "Control_L", "alt": "Alt_L", "shift": "Shift_L"}


class GnomeDesktop:
    maximize_shortcut = "super+Up"
    # A Wayland client takes maximising and resizing away by its size limits;
    # mutter lets only modal dialogs refuse minimising (X11's Motif hints
    # have no Wayland counterpart).
    refusable = ("can_maximize", "can_resize")

    def __init__(self):
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION)
        self.program = None
        self.margins = None  # left and top of the client area in the frame
        mark = GdkPixbuf.Pixbuf.new_from_file(MARK)
        data, stride, n = mark.get_pixels(), mark.get_rowstride(), mark.get_n_channels()
        self.mark = [(x, y, data[y * stride + x * n:y * stride + x * n + 3])
                     for y in range(mark.get_height()) for x in range(mark.get_width())
                     if data[y * stride + x * n + 3] == 255]

    def _call(self, path, interface, method, signature, args, reply):
        return self.bus.call_sync(
            "org.gnome.Shell", path, interface, method, GLib.Variant(signature, args),
            GLib.VariantType(reply), Gio.DBusCallFlags.NONE, 10000, None).unpack()

    def eval(self, code):
        ok, result = self._call("/org/gnome/Shell", "org.gnome.Shell", "Eval", "(s)", (code,), "(bs)")
        if not ok:
            raise RuntimeError(f"the shell could not run {code!r}: {result}")
        return json.loads(result) if result else None

    def start_program(self):
        env = dict(os.environ, QT_QPA_PLATFORM="wayland", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        env.pop("DISPLAY", None)
        self.program = subprocess.Popen(["delvoran"], env=env)

    def stop(self):
        if self.program:
            self.program.terminate()
            self.program.wait(10)

    def window(self, title):
        for w in self.eval("delvoranTest.windows()"):
            if w["title"] != title:
                continue
            x, y, width, height = w["frame"]
            if self.margins is None:
                self.margins = None if w["maximized"] else self._find_client(w["frame"])
                if self.margins is None:
                    return None  # not drawn yet, or no game window: asked again
            left, top = self.margins
            app = w["app_id"]
            return dict(w, frame=(x, y, width, height),
                        client=(x + left, y + top, width - 2 * left, height - top - left),
                        app_id=app[:-len(".desktop")] if app.endswith(".desktop") else app)
        return None

    def _find_client(self, frame):
        with tempfile.TemporaryDirectory() as scratch:
            path = os.path.join(scratch, "screen.png")
            self.screenshot(path)
            screen = GdkPixbuf.Pixbuf.new_from_file(path)
        data, stride, n = screen.get_pixels(), screen.get_rowstride(), screen.get_n_channels()

        def shows_mark(left, top):
            x0, y0 = frame[0] + left + MARK_AT[0], frame[1] + top + MARK_AT[1]
            return all(all(abs(a - b) <= TOLERANCE for a, b in zip(data[i:i + 3], rgb))
                       for x, y, rgb in self.mark for i in [(y0 + y) * stride + (x0 + x) * n])
        found = [(left, top) for top in range(MOST_TITLE_BAR) for left in range(MOST_BORDER) if shows_mark(left, top)]
        return found[0] if len(found) == 1 else None

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
    main(GnomeDesktop(), sys.argv[1])
