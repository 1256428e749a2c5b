#!/usr/bin/env python3
"""Draws the program icon (a speedometer, as the program picture) into
velomar.ico: 16, 32 and 48 pixels, 32-bit with alpha. Run it again after
changing the design; the .ico is committed."""
import math
import struct


def cover(d):
    return max(0.0, min(1.0, 0.5 - d))


def mix(below, above):
    br, bg, bb, ba = below
    ar, ag, ab, aa = above
    a = aa + ba * (1 - aa)
    if a <= 0:
        return (0, 0, 0, 0)
    ch = lambda b, t: (t * aa + b * ba * (1 - aa)) / a
    return (ch(br, ar), ch(bg, ag), ch(bb, ab), a)


def pixel(x, y, size):
    cx = cy = size / 2
    r = size / 2 - 0.5
    dx, dy = x - cx, y - cy
    d = math.hypot(dx, dy)
    shade = 0.75 + 0.25 * (1 - y / size)
    c = (0, 0, 0, 0)
    c = mix(c, (0.08 * shade, 0.33 * shade, 0.62 * shade, cover(d - r)))
    c = mix(c, (0.85, 0.92, 1.0, cover(abs(d - r * 0.72) - size * 0.04)))
    needle = math.pi * 1.8
    along = dx * math.cos(needle) + dy * math.sin(needle)
    across = -dx * math.sin(needle) + dy * math.cos(needle)
    if -r * 0.1 < along < r * 0.68:
        c = mix(c, (1.0, 0.55, 0.1, cover(abs(across) - max(0.6, size * 0.04))))
    c = mix(c, (1.0, 0.55, 0.1, cover(d - max(1.0, size * 0.09))))
    return c


def image(size):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        row = b""
        for x in range(size):
            r, g, b, a = pixel(x + 0.5, y + 0.5, size)
            row += bytes([round(b * 255), round(g * 255), round(r * 255), round(a * 255)])
        rows.append(row)
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = bytes(mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main():
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open("velomar.ico", "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
