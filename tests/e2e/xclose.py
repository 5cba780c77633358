#!/usr/bin/env python3
"""Asks X windows to close the way a window manager's close button does: a
WM_DELETE_WINDOW client message, sent to each given window (decimal ids)
that takes part in that protocol. Prints how many were asked; exit status 1
when none was."""
import ctypes
import ctypes.util
import sys

CLIENT_MESSAGE = 33


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("l", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def main(argv):
    x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XGetWMProtocols.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                  ctypes.POINTER(ctypes.c_int)]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(XEvent)]
    x.XFree.argtypes = [ctypes.c_void_p]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    dpy = x.XOpenDisplay(None)
    if not dpy:
        print("cannot open the display")
        return 1
    protocols_atom = x.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
    delete_atom = x.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
    asked = 0
    for arg in argv[1:]:
        window = int(arg)
        protocols = ctypes.POINTER(ctypes.c_ulong)()
        count = ctypes.c_int(0)
        if not x.XGetWMProtocols(dpy, window, ctypes.byref(protocols), ctypes.byref(count)):
            continue
        takes_part = any(protocols[i] == delete_atom for i in range(count.value))
        x.XFree(protocols)
        if not takes_part:
            continue
        ev = XEvent()
        ev.xclient.type = CLIENT_MESSAGE
        ev.xclient.window = window
        ev.xclient.message_type = protocols_atom
        ev.xclient.format = 32
        ev.xclient.l[0] = delete_atom
        ev.xclient.l[1] = 0  # CurrentTime
        x.XSendEvent(dpy, window, 0, 0, ctypes.byref(ev))
        asked += 1
    x.XFlush(dpy)
    x.XCloseDisplay(dpy)
    print(asked)
    return 0 if asked else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
