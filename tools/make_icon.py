#!/usr/bin/env python3
"""Draws the program icon and writes it as raw icon resources.

Output (into the folder given as the only argument, default app/res):
  icon_24_8bpp.bin, icon_48_32bpp.bin, icon_32_24bpp.bin, icon_16_32bpp.bin
      one RT_ICON image each: BITMAPINFOHEADER (double height), palette for
      8 bpp, colour rows bottom-up, then the AND mask
  icon_256_32bpp.bin
      the 256x256 image as a PNG file (Windows Vista and later read PNG icon
      images; stored as a bitmap it would be four times the size)
  icon_group.bin
      the RT_GROUP_ICON directory naming those images 30001..30005

The output depends on nothing but this script: the same bytes on every run.

Standard library only, so it runs on any machine with Python 3.
"""
import math
import os
import struct
import sys
import zlib

# (size, bits per pixel, resource id), in the order of the icon group.
# The 16x16 image is what the title bar, the taskbar and Explorer's details
# view show; without it Windows scales the 24x24 one down.
IMAGES = [(24, 8, 30001), (256, 32, 30002), (48, 32, 30003), (32, 24, 30004), (16, 32, 30005)]
# Sizes stored PNG-compressed rather than as a bitmap.
PNG_SIZES = {256}
SUPERSAMPLE = 4


def smooth(edge0, edge1, x):
    t = min(1.0, max(0.0, (x - edge0) / (edge1 - edge0)))
    return t * t * (3 - 2 * t)


def sample(u, v):
    """Colour (r, g, b, a in 0..1) of the artwork at u, v in 0..1."""
    # Rounded square plate, deep blue at the top to teal at the bottom.
    cx, cy = u - 0.5, v - 0.5
    half, radius = 0.46, 0.16
    qx, qy = max(abs(cx) - (half - radius), 0.0), max(abs(cy) - (half - radius), 0.0)
    if math.hypot(qx, qy) > radius:
        return None
    r, g, b = 0.08 + 0.05 * v, 0.22 + 0.35 * v, 0.62 - 0.12 * v
    # A gold gear: ring with eight teeth and a hole in the middle.
    d = math.hypot(cx, cy)
    angle = math.atan2(cy, cx)
    tooth = 0.5 + 0.5 * math.cos(8 * angle)
    outer = 0.27 + 0.06 * (1.0 if tooth > 0.5 else 0.0)
    if 0.12 < d < outer:
        shade = 0.85 + 0.15 * (0.5 - v)
        r, g, b = 0.98 * shade, 0.78 * shade, 0.20 * shade
    # A white four-pointed star in the hole.
    if abs(cx) * abs(cy) < 0.0012 and d < 0.11:
        r, g, b = 1.0, 1.0, 1.0
    return r, g, b


def render(size):
    """Rows top-down of (r, g, b, a) bytes, antialiased by supersampling."""
    rows = []
    n = SUPERSAMPLE
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    c = sample((x + (sx + 0.5) / n) / size, (y + (sy + 0.5) / n) / size)
                    if c is not None:
                        acc[0] += c[0]
                        acc[1] += c[1]
                        acc[2] += c[2]
                        acc[3] += 1.0
            a = acc[3] / (n * n)
            if acc[3]:
                rgb = [min(255, int(round(255 * acc[i] / acc[3]))) for i in range(3)]
            else:
                rgb = [0, 0, 0]
            row.append((rgb[0], rgb[1], rgb[2], int(round(255 * a))))
        rows.append(row)
    return rows


def palette_256():
    """6x6x6 colour cube, then a grey ramp, then black padding."""
    pal = []
    for r in range(6):
        for g in range(6):
            for b in range(6):
                pal.append((r * 51, g * 51, b * 51))
    for i in range(40):
        v = int(round(i * 255 / 39))
        pal.append((v, v, v))
    while len(pal) < 256:
        pal.append((0, 0, 0))
    return pal


def nearest(pal, rgb):
    return min(range(len(pal)), key=lambda i: sum((pal[i][k] - rgb[k]) ** 2 for k in range(3)))


def and_mask(rows, size):
    stride = ((size + 31) // 32) * 4
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, px in enumerate(row):
            if px[3] < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def icon_image(size, bpp):
    rows = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0, 0, 0, 0,
                         256 if bpp == 8 else 0, 0)
    body = bytearray()
    stride = ((size * bpp + 31) // 32) * 4
    if bpp == 8:
        pal = palette_256()
        for r, g, b in pal:
            body += bytes((b, g, r, 0))
        cache = {}
        for row in reversed(rows):
            line = bytearray()
            for r, g, b, a in row:
                key = (r, g, b)
                if key not in cache:
                    cache[key] = nearest(pal, key)
                line.append(cache[key] if a >= 128 else 0)
            body += line + bytes(stride - len(line))
    elif bpp == 24:
        for row in reversed(rows):
            line = bytearray()
            for r, g, b, a in row:
                line += bytes((b, g, r)) if a >= 128 else bytes(3)
            body += line + bytes(stride - len(line))
    else:
        for row in reversed(rows):
            for r, g, b, a in row:
                body += bytes((b, g, r, a))
    return header + bytes(body) + and_mask(rows, size)


def png_image(size):
    """The image as a PNG file: 8-bit RGBA, no filter, one IDAT chunk."""
    rows = render(size)
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for px in row:
            raw += bytes(px)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) +
            chunk(b'IEND', b''))


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), '..', 'app', 'res')
    os.makedirs(out_dir, exist_ok=True)
    group = struct.pack('<HHH', 0, 1, len(IMAGES))
    for size, bpp, res_id in IMAGES:
        data = png_image(size) if size in PNG_SIZES else icon_image(size, bpp)
        with open(os.path.join(out_dir, 'icon_%d_%dbpp.bin' % (size, bpp)), 'wb') as f:
            f.write(data)
        dim = 0 if size == 256 else size
        colours = 0 if bpp >= 8 else 1 << bpp
        group += struct.pack('<BBBBHHIH', dim, dim, colours, 0, 1, bpp, len(data), res_id)
    with open(os.path.join(out_dir, 'icon_group.bin'), 'wb') as f:
        f.write(group)


if __name__ == '__main__':
    main()
