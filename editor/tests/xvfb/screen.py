"""Reads the X screen of $DISPLAY (through xwd) for the editor's Xvfb test: finds the rows painted in a
colour and writes the screen as a PNG; checks a picture the editor wrote; and prints an X selection or
lets it go (through libX11, which xwd and xdotool stand on). The standard library only."""
import struct
import subprocess
import sys
import zlib


def grab():
    data = subprocess.run(["xwd", "-root", "-silent"], check=True, capture_output=True).stdout
    header = struct.unpack(">25I", data[:100])
    size, width, height, order, per_line, colours = header[0], header[4], header[5], header[7], header[12], header[19]
    start = size + colours * 12

    def pixel(x, y):
        b, g, r = data[start + y * per_line + 4 * x:start + y * per_line + 4 * x + 3]
        return (r, g, b) if order == 0 else (data[start + y * per_line + 4 * x + 1],) * 3

    return width, height, pixel


def find(colour, right):
    """Prints "x y", the middle of the pixels of `colour` left of x = `right`; nothing when there are none."""
    width, height, pixel = grab()
    found = []
    for y in range(height):
        found += [(x, y) for x in range(0, min(right, width), 4) if pixel(x, y) == colour]
    if found:
        xs = sorted(p[0] for p in found)
        ys = sorted(p[1] for p in found)
        print(xs[len(xs) // 2], ys[len(ys) // 2])


def png(path):
    width, height, pixel = grab()
    raw = b"".join(b"\x00" + bytes(v for x in range(width) for v in pixel(x, y)) for y in range(height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


def read_png(path):
    """The width, height and pixel rows (bytes of RGB or RGBA) of an 8-bit, non-interlaced PNG."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    position, packed = 8, b""
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        position += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            packed += body
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError(f"a PNG of depth {depth}, colour type {colour}, interlace {interlace}")
    step = 3 if colour == 2 else 4
    raw, stride, rows, above = zlib.decompress(packed), width * step, [], bytearray(width * step)
    for y in range(height):
        kind, row = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = row[x - step] if x >= step else 0
            corner = above[x - step] if x >= step else 0
            if kind == 1:
                row[x] = (row[x] + left) & 255
            elif kind == 2:
                row[x] = (row[x] + above[x]) & 255
            elif kind == 3:
                row[x] = (row[x] + (left + above[x]) // 2) & 255
            elif kind == 4:
                guess = left + above[x] - corner
                nearest = min((abs(guess - left), 0, left), (abs(guess - above[x]), 1, above[x]),
                              (abs(guess - corner), 2, corner))[2]
                row[x] = (row[x] + nearest) & 255
        rows.append(bytes(row))
        above = row
    return width, height, [[row[x:x + 3] for x in range(0, stride, step)] for row in rows]


def check(path):
    """Exits 1 unless path is a picture of a painted window: at least 800 x 600 and at least 100 colours
    (a window with its text drawn has hundreds, an unpainted or blank one a handful)."""
    width, height, rows = read_png(path)
    colours = len({pixel for row in rows for pixel in row})
    print(f"{path}: {width} x {height}, {colours} colours")
    if width < 800 or height < 600 or colours < 100:
        sys.exit(1)


def xlib():
    """libX11 with the calls the selection commands make, a connection to $DISPLAY and a window of ours."""
    import ctypes

    x = ctypes.CDLL("libX11.so.6")
    pointer, ulong = ctypes.c_void_p, ctypes.c_ulong
    x.XOpenDisplay.restype = pointer
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ulong
    x.XDefaultRootWindow.argtypes = [pointer]
    x.XInternAtom.restype = ulong
    x.XInternAtom.argtypes = [pointer, ctypes.c_char_p, ctypes.c_int]
    x.XCreateSimpleWindow.restype = ulong
    x.XCreateSimpleWindow.argtypes = [pointer, ulong] + [ctypes.c_int] * 2 + [ctypes.c_uint] * 3 + [ulong] * 2
    x.XConvertSelection.argtypes = [pointer, ulong, ulong, ulong, ulong, ulong]
    x.XSetSelectionOwner.argtypes = [pointer, ulong, ulong, ulong]
    x.XPending.argtypes = [pointer]
    x.XNextEvent.argtypes = [pointer, pointer]
    x.XFlush.argtypes = [pointer]
    x.XSync.argtypes = [pointer, ctypes.c_int]
    x.XCloseDisplay.argtypes = [pointer]
    x.XGetWindowProperty.argtypes = [pointer, ulong, ulong, ctypes.c_long, ctypes.c_long, ctypes.c_int, ulong,
                                     ctypes.POINTER(ulong), ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ulong),
                                     ctypes.POINTER(ulong), ctypes.POINTER(pointer)]
    display = x.XOpenDisplay(None)
    window = x.XCreateSimpleWindow(display, x.XDefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0)
    return x, display, window


def selection(name):
    """Prints the X selection `name` (PRIMARY or CLIPBOARD) as UTF-8 text; nothing when no one holds it."""
    import ctypes
    import time

    pointer, ulong = ctypes.c_void_p, ctypes.c_ulong
    x, display, window = xlib()
    target = x.XInternAtom(display, b"TZ_SELECTION", 0)
    x.XConvertSelection(display, x.XInternAtom(display, name.encode(), 0), x.XInternAtom(display, b"UTF8_STRING", 0),
                        target, window, 0)
    x.XFlush(display)
    event = (ctypes.c_long * 24)()
    selection_notify = 31
    deadline = time.time() + 1
    while time.time() < deadline:
        if x.XPending(display):
            x.XNextEvent(display, event)
            if ctypes.cast(event, ctypes.POINTER(ctypes.c_int))[0] == selection_notify:
                break
        else:
            time.sleep(0.01)
    else:
        return
    kind, form, count, left, data = ulong(), ctypes.c_int(), ulong(), ulong(), pointer()
    x.XGetWindowProperty(display, window, target, 0, 1 << 24, 0, 0, ctypes.byref(kind), ctypes.byref(form),
                         ctypes.byref(count), ctypes.byref(left), ctypes.byref(data))
    if data.value:
        sys.stdout.write(ctypes.string_at(data.value, count.value).decode("utf-8", "replace"))


def drop(names):
    """Takes the X selections `names` (PRIMARY, CLIPBOARD) from whoever holds them and lets them go: no
    program holds them afterwards, as after a fresh start."""
    x, display, window = xlib()
    for name in names:
        x.XSetSelectionOwner(display, x.XInternAtom(display, name.encode(), 0), window, 0)
    x.XSync(display, 0)
    # The window goes with the connection, and the selections with it.
    x.XCloseDisplay(display)


if sys.argv[1] == "find":
    find(tuple(int(v) for v in sys.argv[2].split(",")), int(sys.argv[3]))
elif sys.argv[1] == "check":
    check(sys.argv[2])
elif sys.argv[1] == "selection":
    selection(sys.argv[2])
elif sys.argv[1] == "drop":
    drop(sys.argv[2:])
else:
    png(sys.argv[2])
