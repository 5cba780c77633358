#!/usr/bin/env python3
"""What the end-to-end tests ask of the X server on $DISPLAY through Xlib and XTest.
  press KEY...     press the keys in one burst, as two players at one moment
  close WINDOW...  ask the windows to close, as a window manager's close button does"""
import ctypes as c, sys

class XImage(c.Structure):
    _fields_ = [(n, c.c_int) for n in ("width", "height", "xoffset", "format")] + \
        [("data", c.c_void_p)] + [(n, c.c_int) for n in ("byte_order", "bitmap_unit",
         "bitmap_bit_order", "bitmap_pad", "depth", "bytes_per_line", "bits_per_pixel")] + \
        [("red_mask", c.c_ulong)]
x, xt = c.CDLL("libX11.so.6"), c.CDLL("libXtst.so.6")
x.XOpenDisplay.restype, x.XGetImage.restype = c.c_void_p, c.POINTER(XImage)
x.XGetImage.argtypes = [c.c_void_p, c.c_ulong, c.c_int, c.c_int, c.c_uint, c.c_uint, c.c_ulong,
                        c.c_int]
x.XDefaultRootWindow.argtypes, x.XDefaultRootWindow.restype = [c.c_void_p], c.c_ulong
x.XStringToKeysym.argtypes, x.XStringToKeysym.restype = [c.c_char_p], c.c_ulong
x.XKeysymToKeycode.argtypes = [c.c_void_p, c.c_ulong]
x.XInternAtom.argtypes, x.XInternAtom.restype = [c.c_void_p, c.c_char_p, c.c_int], c.c_ulong
x.XSendEvent.argtypes = [c.c_void_p, c.c_ulong, c.c_int, c.c_long, c.c_void_p]
x.XDestroyImage.argtypes = x.XFlush.argtypes = [c.c_void_p]
xt.XTestFakeKeyEvent.argtypes = [c.c_void_p, c.c_uint, c.c_int, c.c_ulong]
d = c.c_void_p(x.XOpenDisplay(None))

def keys(names, down):
    for k in names:
        xt.XTestFakeKeyEvent(d, x.XKeysymToKeycode(d, x.XStringToKeysym(k.encode())), down, 0)
    x.XFlush(d)

def close(windows):
    atom = lambda name: x.XInternAtom(d, name, 0)
    for w in map(int, windows):  # an XClientMessageEvent: type, window, message_type, format, l[0]
        e = (c.c_long * 24)(33, 0, 0, 0, w, atom(b"WM_PROTOCOLS"), 32, atom(b"WM_DELETE_WINDOW"))
        x.XSendEvent(d, w, 0, 0, c.byref(e))
    x.XFlush(d)

def screen():  # the top left 320x200 of the screen as RGB bytes, or None in another format
    img = x.XGetImage(d, x.XDefaultRootWindow(d), 0, 0, 320, 200, 0xFFFFFFFF, 2)
    i = img.contents
    ok = i.bits_per_pixel == 32 and i.red_mask == 0xFF0000 and i.byte_order == 0
    line = i.bytes_per_line
    raw = c.string_at(i.data, line * 200)
    x.XDestroyImage(img)
    rows = b"".join(raw[y * line:y * line + 1280] for y in range(200))
    rgb = bytearray(192000)
    rgb[0::3], rgb[1::3], rgb[2::3] = rows[2::4], rows[1::4], rows[0::4]
    return bytes(rgb) if ok else None

if __name__ == "__main__":
    cmd, args = sys.argv[1], sys.argv[2:]
    if cmd == "press":
        keys(args, True)
    elif cmd == "close" and args:
        close(args)
    else:
        sys.exit(__doc__)
