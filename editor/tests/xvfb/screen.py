"""Reads the X screen of $DISPLAY (through xwd) for the editor's Xvfb test: finds the rows painted in a
colour and writes the screen as a PNG, with the standard library only."""
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


if sys.argv[1] == "find":
    find(tuple(int(v) for v in sys.argv[2].split(",")), int(sys.argv[3]))
else:
    png(sys.argv[2])
