// Lets the GNOME desktop session read the shell's own view of the windows and
// send real input through it. Loaded only into the private test session:
// it switches on org.gnome.Shell.Eval (and the Screenshot interface), which
// GNOME Shell 41 and later allow only in unsafe mode.
import Clutter from 'gi://Clutter';
import GLib from 'gi://GLib';
import Shell from 'gi://Shell';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

function describe(w) {
    const rect = r => [r.x, r.y, r.width, r.height];
    const app = Shell.WindowTracker.get_default().get_window_app(w);
    return {
        title: w.get_title(),
        frame: rect(w.get_frame_rect()),
        // mutter 49 put is_maximized() in place of the two flags.
        maximized: w.is_maximized ? w.is_maximized() : w.maximized_horizontally || w.maximized_vertically,
        minimized: w.minimized,
        focused: w.has_focus(),
        can_maximize: w.can_maximize(),
        can_minimize: w.can_minimize(),
        can_resize: w.allows_resize(),
        app_id: app ? app.get_id() : '',
    };
}

function findWindow(title) {
    return global.get_window_actors().map(a => a.meta_window).find(w => w.get_title() === title);
}

export default class DelvoranTest extends Extension {
    enable() {
        global.context.unsafe_mode = true;
        // Banners (the one about unsafe mode first) would cover windows.
        Main.messageTray.bannerBlocked = true;
        // A session starts in the overview, which would cover the windows.
        if (Main.layoutManager._startingUp) {
            this._hasOverview = Main.sessionMode.hasOverview;
            Main.sessionMode.hasOverview = false;
            Main.layoutManager.connect('startup-complete', () => {
                Main.sessionMode.hasOverview = this._hasOverview;
            });
        }
        // Through the stage: GNOME 49 dropped Clutter's default backend.
        const seat = global.stage.get_context().get_backend().get_default_seat();
        const pointer = seat.create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
        const keyboard = seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
        const now = () => GLib.get_monotonic_time();
        // Mutter keeps a window's actor hidden until it first shows it, and
        // until then its frame is not yet the one the client asked for.
        const shown = new WeakSet();
        const wasShown = w => {
            if (w.get_compositor_private().visible)
                shown.add(w);
            return shown.has(w);
        };
        globalThis.delvoranTest = {
            ready: () => !Main.layoutManager._startingUp && !Main.overview.visible,
            windows: () => global.get_window_actors().map(a => a.meta_window).filter(wasShown).map(describe),
            // A person holds the button down a moment, and mutter lets a
            // client activate a window only for a press still going on.
            // Returns how long the click takes, in milliseconds.
            click(x, y, times, holdMs) {
                pointer.notify_absolute_motion(now(), x, y);
                const states = [];
                for (let i = 0; i < times; i++)
                    states.push(Clutter.ButtonState.PRESSED, Clutter.ButtonState.RELEASED);
                states.forEach((state, i) => GLib.timeout_add(GLib.PRIORITY_DEFAULT, holdMs * (i + 1), () => {
                    pointer.notify_button(now(), Clutter.BUTTON_PRIMARY, state);
                    return GLib.SOURCE_REMOVE;
                }));
                return holdMs * (states.length + 1);
            },
            // Key names as Clutter spells them after KEY_: "Super_L", "Up".
            key(names) {
                const keyvals = names.map(n => Clutter[`KEY_${n}`]);
                if (keyvals.includes(undefined))
                    throw new Error(`unknown key in ${names}`);
                keyvals.forEach(k => keyboard.notify_keyval(now(), k, Clutter.KeyState.PRESSED));
                keyvals.reverse().forEach(k => keyboard.notify_keyval(now(), k, Clutter.KeyState.RELEASED));
            },
            minimize: title => findWindow(title).minimize(),
            move: (title, x, y) => findWindow(title).move_frame(true, x, y),
        };
    }

    disable() {
        delete globalThis.delvoranTest;
        global.context.unsafe_mode = false;
    }
}
