"""KWin on Wayland, nested in an X server: the game runs as a native Wayland
client, input goes through the X server into KWin's output window, and
KWin's own view of each window is read by a KWin script that reports back
over D-Bus.

Usage (inside the session D-Bus, with KWin running on $WAYLAND_DISPLAY and
drawing into a window of $DISPLAY):
  kwin_desktop.py SHOTS_DIR"""

import json
import os
import re
import sys
import tempfile
import time

from gi.repository import Gio, GLib

from play import main
from x11_desktop import XvfbInput, run

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


# The height of the title bar the program draws itself above its client
# area where it asks for no frame (tk::TitleBar).
OWN_TITLE_BAR = 26


class KWinWayland(XvfbInput):
    maximize_shortcut = "super+Prior"
    # A Wayland client takes maximising and resizing away by its size limits;
    # no protocol KWin reads lets it take minimising away.
    refusable = ("can_maximize", "can_resize")
    program_env = {"QT_QPA_PLATFORM": "wayland", "DISPLAY": None}

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
        end = time.monotonic() + 10
        context = GLib.MainContext.default()
        while len(self.reports) == heard and time.monotonic() < end:
            context.iteration(False) or time.sleep(0.01)
        self.kwin("/Scripting", "org.kde.kwin.Scripting", "unloadScript", name)
        if len(self.reports) == heard:
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


if __name__ == "__main__":
    main(KWinWayland(), sys.argv[1])
