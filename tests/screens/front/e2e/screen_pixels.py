#!/usr/bin/env python3
"""Reads a few pixels of the X screen named by $DISPLAY, fast on any screen size.

  screen_pixels.py X Y          the colour of pixel X,Y as RRGGBB
  screen_pixels.py X Y W H      a digest of the W x H rectangle at X,Y (to see it change)

ImageMagick's import copies the whole screen for one pixel, seconds on a 3840x2160
display; this asks the server for the rectangle alone.
"""
import ctypes
import hashlib
import sys


class XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, enough to read a ZPixmap.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


def main(args):
    x, y = int(args[0]), int(args[1])
    w, h = (int(args[2]), int(args[3])) if len(args) == 4 else (1, 1)
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XGetImage.restype = ctypes.POINTER(XImage)
    xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                               ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit("screen_pixels: no display")
    all_planes, z_pixmap = 0xFFFFFFFF, 2
    image = xlib.XGetImage(display, xlib.XDefaultRootWindow(display), x, y, w, h, all_planes,
                           z_pixmap)
    if not image or image.contents.bits_per_pixel != 32:
        sys.exit("screen_pixels: no 32-bit image of %dx%d+%d+%d" % (w, h, x, y))
    line = image.contents.bytes_per_line
    data = ctypes.string_at(image.contents.data, line * h)
    if len(args) == 4:
        print(hashlib.md5(b"".join(data[r * line:r * line + 4 * w] for r in range(h))).hexdigest())
    else:
        blue, green, red = data[0], data[1], data[2]  # little-endian BGRX
        print("%02X%02X%02X" % (red, green, blue))


if __name__ == "__main__":
    main(sys.argv[1:])
