#!/usr/bin/python3
# A client of mutter's remote-desktop and screen-cast D-Bus services, the only ways in from outside
# (mutter has neither a virtual keyboard protocol nor screencopy):
#   mutter-session.py picture CONNECTOR FILE  a PNG of one monitor, through PipeWire
#   mutter-session.py key                     types "a"
#   mutter-session.py move N DX DY            moves the pointer N times by DX, DY pixels
#   mutter-session.py click CONNECTOR X Y     clicks at X, Y pixels of one monitor
import subprocess
import sys
import time

from gi.repository import Gio, GLib

DESKTOP = "org.gnome.Mutter.RemoteDesktop"
CAST = "org.gnome.Mutter.ScreenCast"
KEY_A = 30  # evdev codes
BUTTON_LEFT = 0x110

bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(service, path, interface, method, args=None, reply=None):
    return bus.call_sync(service, path, interface, method, args,
                         GLib.VariantType(reply) if reply else None, Gio.DBusCallFlags.NONE, -1, None)


def cast(connector, options, start):
    """A screen cast of one monitor, started by `start`: its session, stream and PipeWire node."""
    session = call(CAST, "/org/gnome/Mutter/ScreenCast", CAST, "CreateSession",
                   GLib.Variant("(a{sv})", (options,)), "(o)")[0]
    stream = call(CAST, session, CAST + ".Session", "RecordMonitor",
                  GLib.Variant("(sa{sv})", (connector, {})), "(o)")[0]
    loop = GLib.MainLoop()
    nodes = []

    def added(_connection, _sender, _path, _interface, _signal, parameters):
        nodes.append(parameters[0])
        loop.quit()

    bus.signal_subscribe(None, CAST + ".Stream", "PipeWireStreamAdded", stream, None,
                         Gio.DBusSignalFlags.NONE, added)
    start(session)
    GLib.timeout_add_seconds(10, loop.quit)
    loop.run()
    if not nodes:
        sys.exit("no screen-cast stream for " + connector)
    return session, stream, nodes[0]


def picture(connector, path):
    session, _, node = cast(connector, {}, lambda s: call(CAST, s, CAST + ".Session", "Start"))
    try:
        # The first buffers may still hold the frame from before the stream started.
        subprocess.run(["gst-launch-1.0", "-q", "pipewiresrc", "path=%d" % node, "num-buffers=3", "!",
                        "videoconvert", "!", "pngenc", "snapshot=true", "!", "filesink",
                        "location=" + path], check=True, timeout=30)
    finally:
        call(CAST, session, CAST + ".Session", "Stop")


def send_input(kind, arguments):
    session = call(DESKTOP, "/org/gnome/Mutter/RemoteDesktop", DESKTOP, "CreateSession", None, "(o)")[0]
    start = lambda _: call(DESKTOP, session, DESKTOP + ".Session", "Start")
    if kind == "click":
        # Absolute positions are in a screen cast's pixels: the cast shares the input's session.
        remote = call(DESKTOP, session, "org.freedesktop.DBus.Properties", "Get",
                      GLib.Variant("(ss)", (DESKTOP + ".Session", "SessionId")), "(v)")[0]
        _, stream, _ = cast(arguments[0], {"remote-desktop-session-id": GLib.Variant("s", remote)}, start)
        # The pointer, too, appears with its first motion: a second one reaches clients (seconds).
        for pause in (1.5, 0.3):
            call(DESKTOP, session, DESKTOP + ".Session", "NotifyPointerMotionAbsolute",
                 GLib.Variant("(sdd)", (stream, float(arguments[1]), float(arguments[2]))))
            time.sleep(pause)
        for pressed in (True, False):
            call(DESKTOP, session, DESKTOP + ".Session", "NotifyPointerButton",
                 GLib.Variant("(ib)", (BUTTON_LEFT, pressed)))
            time.sleep(0.1)
    else:
        start(None)
    if kind == "key":
        # The session's keyboard appears on the seat only with its first key, which no client can
        # have asked for yet: "a" comes again once clients have had a moment (seconds) to take it.
        for _ in range(2):
            for pressed in (True, False):
                call(DESKTOP, session, DESKTOP + ".Session", "NotifyKeyboardKeycode",
                     GLib.Variant("(ub)", (KEY_A, pressed)))
            time.sleep(3)
    elif kind == "move":
        count, dx, dy = int(arguments[0]), float(arguments[1]), float(arguments[2])
        for _ in range(count):
            call(DESKTOP, session, DESKTOP + ".Session", "NotifyPointerMotionRelative",
                 GLib.Variant("(dd)", (dx, dy)))
            time.sleep(0.05)
    # The devices go with the session: it lasts until clients have read the input.
    time.sleep(2)
    call(DESKTOP, session, DESKTOP + ".Session", "Stop")


if sys.argv[1] == "picture":
    picture(sys.argv[2], sys.argv[3])
else:
    send_input(sys.argv[1], sys.argv[2:])
