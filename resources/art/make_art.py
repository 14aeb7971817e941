#!/usr/bin/env python3
"""Draws Vintor's own icons and bitmaps (no outside art) into a folder.

Usage: make_art.py OUTDIR
Writes icons (16 and 32 pixels, 32-bit with alpha), the banner pieces, the
splash picture and the default snapshot picture as Windows bitmap files.
"""
import math
import os
import struct
import sys

# A tiny 5x7 font for the few words the pictures carry.
FONT = {
    'A': ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    'C': ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    'D': ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    'E': ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    'G': ["01111", "10000", "10000", "10011", "10001", "10001", "01111"],
    'I': ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    'M': ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    'N': ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    'O': ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    'P': ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'S': ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    'T': ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    'V': ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    'Y': ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    'F': ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    'L': ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    'U': ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    'H': ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    'K': ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    '0': ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    '2': ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    '9': ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
    ' ': ["00000"] * 7,
    '-': ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
}


class Canvas:
    def __init__(self, w, h, colour=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.px = [[list(colour) for _ in range(w)] for _ in range(h)]

    def put(self, x, y, c, cover=1.0):
        x, y = int(x), int(y)
        if 0 <= x < self.w and 0 <= y < self.h and cover > 0:
            a = (c[3] if len(c) > 3 else 255) / 255.0 * min(cover, 1.0)
            d = self.px[y][x]
            da = d[3] / 255.0
            oa = a + da * (1 - a)
            if oa <= 0:
                return
            for i in range(3):
                d[i] = int(round((c[i] * a + d[i] * da * (1 - a)) / oa))
            d[3] = int(round(oa * 255))

    def fill(self, shape, c, box=None):
        """shape(x, y) -> coverage in 0..1, sampled 4x4 per pixel; box (x0, y0, x1, y1)
        limits the pixels looked at."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        for y in range(max(0, int(y0)), min(self.h, int(y1) + 1)):
            for x in range(max(0, int(x0)), min(self.w, int(x1) + 1)):
                cov = 0
                for sy in range(4):
                    for sx in range(4):
                        if shape(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4):
                            cov += 1
                if cov:
                    self.put(x, y, c, cov / 16.0)

    def text(self, s, x, y, scale, c):
        for ch in s:
            glyph = FONT.get(ch.upper(), FONT[' '])
            for gy, row in enumerate(glyph):
                for gx, bit in enumerate(row):
                    if bit == '1':
                        for dy in range(scale):
                            for dx in range(scale):
                                self.put(x + gx * scale + dx, y + gy * scale + dy, c)
            x += 6 * scale


def text_width(s, scale):
    return len(s) * 6 * scale - scale


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r1, r2):
    return lambda x, y: r1 * r1 <= (x - cx) ** 2 + (y - cy) ** 2 <= r2 * r2


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rounded(x0, y0, x1, y1, r):
    def f(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return f


def polygon(pts):
    def f(x, y):
        inside = False
        n = len(pts)
        for i in range(n):
            (x1, y1), (x2, y2) = pts[i], pts[(i + 1) % n]
            if (y1 > y) != (y2 > y) and x < (x2 - x1) * (y - y1) / (y2 - y1) + x1:
                inside = not inside
        return inside
    return f


def thick_line(xa, ya, xb, yb, w):
    def f(x, y):
        dx, dy = xb - xa, yb - ya
        L = dx * dx + dy * dy
        t = max(0, min(1, ((x - xa) * dx + (y - ya) * dy) / L)) if L else 0
        px, py = xa + t * dx, ya + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (w / 2) ** 2
    return f


# Icons are drawn on a 32-unit design grid and scaled to the target size.
def icon_program(c, s):
    k = s / 32.0
    c.fill(rounded(6 * k, 2 * k, 26 * k, 30 * k, 3 * k), (60, 40, 120))
    c.fill(rect(9 * k, 5 * k, 23 * k, 15 * k), (20, 200, 230))
    c.fill(circle(12 * k, 22 * k, 2.6 * k), (240, 60, 60))
    c.fill(rect(18 * k, 20 * k, 23 * k, 23.5 * k), (250, 200, 40))


def icon_play(c, s):
    k = s / 32.0
    c.fill(circle(16 * k, 16 * k, 14 * k), (30, 150, 60))
    c.fill(polygon([(12 * k, 9 * k), (24 * k, 16 * k), (12 * k, 23 * k)]), (255, 255, 255))


def icon_delete(c, s):
    k = s / 32.0
    c.fill(circle(16 * k, 16 * k, 14 * k), (200, 40, 40))
    c.fill(thick_line(10 * k, 10 * k, 22 * k, 22 * k, 4 * k), (255, 255, 255))
    c.fill(thick_line(22 * k, 10 * k, 10 * k, 22 * k, 4 * k), (255, 255, 255))


def icon_rescan(c, s):
    k = s / 32.0
    arc = ring(16 * k, 16 * k, 8 * k, 12.5 * k)
    c.fill(lambda x, y: arc(x, y) and not (x > 16 * k and y < 16 * k), (30, 110, 200))
    c.fill(polygon([(16 * k, 0.5 * k), (24 * k, 5.5 * k), (16 * k, 10.5 * k)]), (30, 110, 200))


def icon_search(c, s):
    k = s / 32.0
    c.fill(ring(13 * k, 13 * k, 6.5 * k, 10 * k), (60, 60, 70))
    c.fill(circle(13 * k, 13 * k, 6.5 * k), (180, 220, 250))
    c.fill(thick_line(20 * k, 20 * k, 28 * k, 28 * k, 5 * k), (120, 80, 40))


def icon_web(c, s):
    k = s / 32.0
    c.fill(circle(16 * k, 16 * k, 14 * k), (40, 120, 210))
    land = lambda x, y: (circle(11 * k, 12 * k, 5 * k)(x, y) or circle(21 * k, 20 * k, 6 * k)(x, y))
    c.fill(lambda x, y: land(x, y) and circle(16 * k, 16 * k, 14 * k)(x, y), (60, 180, 80))
    c.fill(ring(16 * k, 16 * k, 13 * k, 14.5 * k), (20, 60, 120))


def icon_mail(c, s):
    k = s / 32.0
    c.fill(rect(3 * k, 7 * k, 29 * k, 25 * k), (245, 240, 220))
    c.fill(thick_line(3 * k, 7 * k, 16 * k, 17 * k, 1.8 * k), (150, 120, 80))
    c.fill(thick_line(29 * k, 7 * k, 16 * k, 17 * k, 1.8 * k), (150, 120, 80))
    c.fill(lambda x, y: rect(3 * k, 7 * k, 29 * k, 25 * k)(x, y) and not rect(4.5 * k, 8.5 * k, 27.5 * k, 23.5 * k)(x, y), (150, 120, 80))


def icon_other(c, s):
    k = s / 32.0
    c.fill(rect(8 * k, 8 * k, 24 * k, 24 * k), (50, 50, 60))
    for i in range(4):
        y = (10 + i * 4) * k
        c.fill(rect(4 * k, y, 8 * k, y + 1.8 * k), (200, 170, 60))
        c.fill(rect(24 * k, y, 28 * k, y + 1.8 * k), (200, 170, 60))
    c.fill(circle(16 * k, 16 * k, 3 * k), (120, 200, 120))


def icon_supported(c, s):
    k = s / 32.0
    c.fill(rounded(5 * k, 4 * k, 27 * k, 28 * k, 2.5 * k), (200, 130, 40))
    c.fill(rect(9 * k, 8 * k, 23 * k, 18 * k), (250, 230, 180))
    for i in range(5):
        x = (8 + i * 3.5) * k
        c.fill(rect(x, 23 * k, x + 2 * k, 28 * k), (230, 200, 60))


def icon_tab(c, s):
    k = s / 32.0
    pts = []
    for i in range(10):
        r = 14 if i % 2 == 0 else 6
        a = -math.pi / 2 + i * math.pi / 5
        pts.append(((16 + r * math.cos(a)) * k, (16 + r * math.sin(a)) * k))
    c.fill(polygon(pts), (240, 180, 30))


ICONS = {
    'program.ico': icon_program, 'play.ico': icon_play, 'delete.ico': icon_delete,
    'rescan.ico': icon_rescan, 'search.ico': icon_search, 'web.ico': icon_web,
    'mail.ico': icon_mail, 'other.ico': icon_other, 'supported.ico': icon_supported,
    'tab.ico': icon_tab,
}


def icon_image(canvas):
    """BITMAPINFOHEADER + 32-bit XOR pixels + 1-bit AND mask, as an .ico entry."""
    w, h = canvas.w, canvas.h
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = canvas.px[y][x]
            xor += bytes((b, g, r, a))
    mask = bytearray()
    row_bytes = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(w):
            if canvas.px[y][x][3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(xor) + bytes(mask)


def write_icon(path, draw):
    images = []
    for size in (16, 32):
        c = Canvas(size, size)
        draw(c, size)
        images.append((size, icon_image(c)))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


def write_bmp24(path, canvas):
    w, h = canvas.w, canvas.h
    row = (w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        line = bytearray()
        for x in range(w):
            r, g, b, _ = canvas.px[y][x]
            line += bytes((b, g, r))
        line += bytes(row - len(line))
        pixels += line
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    filehdr = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 54)
    with open(path, 'wb') as f:
        f.write(filehdr + info + bytes(pixels))


def gradient(c, top, bottom):
    for y in range(c.h):
        t = y / max(1, c.h - 1)
        col = tuple(int(top[i] + (bottom[i] - top[i]) * t) for i in range(3)) + (255,)
        for x in range(c.w):
            c.px[y][x] = list(col)


def banner_left():
    c = Canvas(347, 58)
    gradient(c, (40, 30, 100), (90, 40, 140))
    c.text("VINTOR", 14, 10, 5, (255, 220, 80))
    c.text("MAME FRONT END", 200, 36, 1, (220, 220, 255))
    return c


def banner_middle():
    c = Canvas(25, 58)
    gradient(c, (40, 30, 100), (90, 40, 140))
    return c


def banner_right():
    c = Canvas(170, 58)
    gradient(c, (40, 30, 100), (90, 40, 140))
    for i, col in enumerate([(240, 60, 60), (250, 200, 40), (60, 200, 90), (40, 160, 240)]):
        c.fill(circle(30 + i * 34, 29, 11), col)
    return c


def splash():
    """The start-up picture: an arcade cabinet under a starry sky over a neon
    floor; the bottom band stays dark for the grey text line drawn over it."""
    W, H = 320, 240
    c = Canvas(W, H)
    gradient(c, (10, 6, 40), (90, 30, 110))
    # Stars, only in the sky, with a few brighter ones.
    seed = 12345
    for i in range(90):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        x = seed % W
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        y = seed % 150
        bright = 255 if i % 7 == 0 else 120 + (seed >> 8) % 100
        c.put(x, y, (bright, bright, min(255, bright + 30)))
        if i % 7 == 0:
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                c.put(x + dx, y + dy, (200, 200, 255), 0.5)
    # A setting sun behind the cabinet, cut by dark stripes.
    sun = circle(160, 150, 62)
    for y in range(88, 151):
        t = (y - 88) / 62.0
        col = (255, int(220 - 150 * t), int(80 + 60 * t))
        stripe = y > 118 and (y // 4) % 3 == 0
        if stripe:
            continue
        for x in range(98, 223):
            if sun(x + 0.5, y + 0.5):
                c.put(x, y, col)
    # A neon floor in perspective.
    c.fill(rect(0, 150, W, 214), (30, 8, 50))
    for k in range(8):
        y = 150 + (k * k) * 1.1
        c.fill(rect(0, y, W, y + 0.8), (230, 60, 200), box=(0, y - 1, W, y + 2))
    for k in range(-8, 9):
        xb = 160 + k * 40
        c.fill(thick_line(160 + k * 6, 150, xb, 214, 1.0), (230, 60, 200),
               box=(min(160 + k * 6, xb) - 2, 150, max(160 + k * 6, xb) + 2, 214))
    # The cabinet: body, marquee, screen with a small game, control panel.
    c.fill(polygon([(122, 58), (198, 58), (204, 205), (116, 205)]), (40, 28, 96), box=(114, 56, 206, 206))
    c.fill(rect(126, 62, 194, 76), (250, 200, 40), box=(124, 60, 196, 78))
    c.text("VINTOR", 160 - text_width("VINTOR", 1) // 2, 66, 1, (90, 20, 90))
    c.fill(rounded(128, 82, 192, 132, 4), (10, 12, 30), box=(126, 80, 194, 134))
    c.fill(rect(131, 85, 189, 129), (16, 40, 70), box=(130, 84, 190, 130))
    invader = ["0010000100", "0001001000", "0011111100", "0110110110", "1111111111", "1011111101", "1010000101"]
    for n, (ox, oy, col) in enumerate(((136, 90, (120, 255, 120)), (152, 90, (255, 120, 220)),
                                       (168, 90, (120, 200, 255)))):
        for gy, row in enumerate(invader):
            for gx, bit in enumerate(row):
                if bit == '1':
                    c.put(ox + gx * 1.5, oy + gy * 1.5, col)
                    c.put(ox + gx * 1.5 + 1, oy + gy * 1.5, col)
    c.fill(polygon([(160, 116), (167, 124), (153, 124)]), (250, 250, 120), box=(152, 115, 168, 125))
    for x in range(134, 188, 6):
        c.put(x, 127, (200, 200, 200))
    c.fill(polygon([(120, 138), (200, 138), (206, 152), (114, 152)]), (70, 50, 140), box=(112, 136, 208, 154))
    c.fill(thick_line(138, 146, 138, 136, 2.5), (200, 200, 210), box=(134, 132, 142, 148))
    c.fill(circle(138, 135, 4), (240, 60, 60), box=(132, 129, 144, 141))
    for i, col in enumerate(((250, 200, 40), (60, 200, 90), (40, 160, 240))):
        c.fill(circle(160 + i * 11, 145, 3.4), col, box=(155 + i * 11, 140, 166 + i * 11, 150))
    c.fill(rect(130, 160, 190, 196), (30, 20, 70), box=(128, 158, 192, 198))
    c.fill(rect(150, 172, 170, 184), (250, 200, 40), box=(148, 170, 172, 186))
    c.fill(rect(154, 176, 166, 180), (60, 30, 20), box=(152, 174, 168, 182))
    # Title and subtitle.
    c.text("VINTOR", 160 - text_width("VINTOR", 4) // 2 + 2, 10, 4, (60, 10, 60))
    c.text("VINTOR", 160 - text_width("VINTOR", 4) // 2, 8, 4, (255, 220, 80))
    c.text("MAME FRONT END", 160 - text_width("MAME FRONT END", 1) // 2, 42, 1, (220, 200, 255))
    # The dark band for the text line.
    for y in range(214, H):
        t = (y - 214) / float(H - 214)
        col = (int(22 - 12 * t), int(8 - 4 * t), int(40 - 20 * t), 255)
        for x in range(W):
            c.px[y][x] = list(col)
    c.fill(rect(0, 214, W, 214.8), (230, 60, 200), box=(0, 213, W, 216))
    return c


def default_picture():
    c = Canvas(320, 240)
    gradient(c, (30, 30, 40), (70, 70, 90))
    c.fill(rounded(100, 60, 220, 150, 10), (90, 90, 110))
    c.fill(circle(135, 105, 14), (160, 160, 180))
    c.fill(rect(170, 95, 200, 115), (160, 160, 180))
    c.text("NO SNAPSHOT", 160 - text_width("NO SNAPSHOT", 2) // 2, 175, 2, (200, 200, 220))
    return c


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, draw in ICONS.items():
        write_icon(os.path.join(out, name), draw)
    write_bmp24(os.path.join(out, 'banner_left.bmp'), banner_left())
    write_bmp24(os.path.join(out, 'banner_middle.bmp'), banner_middle())
    write_bmp24(os.path.join(out, 'banner_right.bmp'), banner_right())
    write_bmp24(os.path.join(out, 'splash.bmp'), splash())
    write_bmp24(os.path.join(out, 'defgame.bmp'), default_picture())


if __name__ == '__main__':
    main()
