"""Holds an inhibit of org.freedesktop.ScreenSaver, as a film player does, until told.

Reads commands on stdin and answers each with "ok": "inhibit" asks for one (answering
"ok COOKIE"), "release COOKIE" gives it back; at the end of input it leaves the bus, with
whatever it still holds.
"""
import sys

import dbus

bus = dbus.SessionBus()
service = dbus.Interface(
    bus.get_object("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver"),
    "org.freedesktop.ScreenSaver")
for line in sys.stdin:
    words = line.split()
    if words == ["inhibit"]:
        print("ok", int(service.Inhibit("spirandel-test", "a film plays")), flush=True)
    elif len(words) == 2 and words[0] == "release":
        service.UnInhibit(dbus.UInt32(int(words[1])))
        print("ok", flush=True)
    else:
        print("unknown command", line.strip(), flush=True)
