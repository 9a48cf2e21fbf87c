#!/usr/bin/env python3
"""Virtual input for GNOME Shell through Mutter's remote desktop: "ok" on stdout once ready,
then one line a command on stdin, "ok" once Mutter took it, "error ..." otherwise.

  key CODE      press and release an evdev key
  move DX DY    move the pointer by that much
  to X Y        move the pointer to that point of the whole desktop

Mutter ends the remote desktop session when the connection that made it goes away, so this
program holds it for as long as stdin is open.
"""
import json
import sys

from gi.repository import Gio, GLib

BUS_NAME = "org.gnome.Mutter.RemoteDesktop"
SESSION_INTERFACE = "org.gnome.Mutter.RemoteDesktop.Session"


def Call(bus, path, interface, method, args=None, name=BUS_NAME):
    return bus.call_sync(name, path, interface, method, args, None, Gio.DBusCallFlags.NONE, 5000,
                         None)


def Run(bus, path, words):
    verb, args = words[0], words[1:]
    if verb == "key" and len(args) == 1:
        for pressed in (True, False):
            Call(bus, path, SESSION_INTERFACE, "NotifyKeyboardKeycode",
                 GLib.Variant("(ub)", (int(args[0]), pressed)))
    elif verb in ("move", "to") and len(args) == 2:
        x, y = float(args[0]), float(args[1])
        if verb == "to":
            # Where the pointer is, which only the shell tells (in its unsafe mode).
            ok, here = Call(bus, "/org/gnome/Shell", "org.gnome.Shell", "Eval",
                            GLib.Variant("(s)", ("global.get_pointer().slice(0, 2)",)),
                            "org.gnome.Shell").unpack()
            if not ok:
                raise ValueError("the shell does not tell where the pointer is: " + here)
            x, y = x - json.loads(here)[0], y - json.loads(here)[1]
        Call(bus, path, SESSION_INTERFACE, "NotifyPointerMotionRelative",
             GLib.Variant("(dd)", (x, y)))
    else:
        raise ValueError("unknown command")


def Main():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    (path,) = Call(bus, "/org/gnome/Mutter/RemoteDesktop", BUS_NAME, "CreateSession").unpack()
    Call(bus, path, SESSION_INTERFACE, "Start")
    # Mutter makes the virtual keyboard on its first key, which it then reports as held, and
    # the virtual pointer on its first motion, which no client sees: a press and release of
    # Shift and a motion there and back here, so that what a case sends arrives as it is sent.
    Run(bus, path, ["key", "42"])
    Run(bus, path, ["move", "1", "0"])
    Run(bus, path, ["move", "-1", "0"])
    print("ok", flush=True)
    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        try:
            Run(bus, path, words)
        except (ValueError, GLib.Error) as error:
            print("error", line.strip() + ":", error, flush=True)
            continue
        print("ok", flush=True)


if __name__ == "__main__":
    Main()
