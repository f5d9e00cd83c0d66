#!/usr/bin/env python3
"""Draws the launcher's icon and writes it as res/Launcher.ico: one 64 x 64 image,
32 bits per pixel with alpha. The emblem is a gate: a dark arch on a round golden
shield. Run it again after changing the drawing; the .ico is committed."""
import math
import pathlib
import struct

SIZE = 64


def pixel(x, y):
    """BGRA colour of the pixel whose centre is (x + 0.5, y + 0.5), y from the top."""
    cx, cy = x + 0.5 - SIZE / 2, y + 0.5 - SIZE / 2
    radius = math.hypot(cx, cy)
    if radius > 30:
        return (0, 0, 0, 0)
    if radius > 27:
        return (40, 70, 110, 255)  # dark bronze rim
    in_arch = abs(cx) < 12 and (cy > -4 or math.hypot(cx, cy + 4) < 12) and cy < 20
    if in_arch and not (abs(cx) < 7 and (cy > 0 or math.hypot(cx, cy) < 7) and cy < 20):
        return (40, 40, 48, 255)  # the gate's frame
    if in_arch:
        return (90, 60, 30, 255)  # the opening
    shade = int(40 * (cy + 30) / 60)
    return (40, 170 - shade, 220 - shade, 255)  # golden field, darker downwards


def icon_bytes():
    rows = []
    for y in reversed(range(SIZE)):  # a DIB is stored bottom-up
        rows.append(b"".join(struct.pack("4B", *pixel(x, y)) for x in range(SIZE)))
    colour = b"".join(rows)
    mask = bytes(SIZE * SIZE // 8)  # transparency comes from the alpha channel
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    target = pathlib.Path(__file__).resolve().parent.parent / "res" / "Launcher.ico"
    target.write_bytes(icon_bytes())
    print(f"wrote {target}")
