#!/usr/bin/env python3
"""Draws the program's bitmaps, icon, cursor and sounds into a folder.

usage: generate_assets.py OUTPUT_FOLDER

Everything is computed (no randomness, no clock), so the same sources give
the same files byte for byte. The look follows the windows' panel palette:
pink band, magenta and blue borders, light surfaces.
"""

import math
import os
import struct
import sys
import wave

from PIL import Image, ImageDraw, ImageFont

import splash_region

FONT_DIR = "/usr/share/fonts/truetype/nanum"
BOLD = os.path.join(FONT_DIR, "NanumGothicBold.ttf")
EXTRA_BOLD = os.path.join(FONT_DIR, "NanumSquareB.ttf")

PINK = (0xFF, 0xC5, 0xFF)
MAGENTA = (0xFF, 0x00, 0xFF)
LIGHT = (0xF8, 0xFB, 0xFB)
BLUE = (0x33, 0x99, 0xCC)
MIST = (0xEA, 0xED, 0xF4)
WHITE = (0xFF, 0xFF, 0xFF)
DEEP_BLUE = (0x1F, 0x66, 0x99)
ORANGE = (0xFF, 0x66, 0x00)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def vertical_gradient(size, top, bottom):
    width, height = size
    image = Image.new("RGB", size)
    draw = ImageDraw.Draw(image)
    for y in range(height):
        t = y / max(height - 1, 1)
        draw.line([(0, y), (width - 1, y)], fill=mix(top, bottom, t))
    return image


def font(path, size):
    return ImageFont.truetype(path, size)


def centred_text(draw, box, text, face, colour, shift=(0, 0)):
    left, top, right, bottom = draw.textbbox((0, 0), text, font=face)
    x = box[0] + (box[2] - box[0] - (right - left)) // 2 - left + shift[0]
    y = box[1] + (box[3] - box[1] - (bottom - top)) // 2 - top + shift[1]
    draw.text((x, y), text, font=face, fill=colour)


# --- the six main buttons -------------------------------------------------

BIG_STATES = {
    # state: (top of surface, bottom of surface, border, caption, offset)
    "normal": (WHITE, MIST, BLUE, BLUE, 0),
    "hover": (WHITE, PINK, MAGENTA, MAGENTA, 0),
    "pressed": (BLUE, DEEP_BLUE, DEEP_BLUE, WHITE, 1),
}


def sparkle(draw, cx, cy, radius, colour):
    draw.polygon([(cx, cy - radius), (cx + radius // 4, cy - radius // 4), (cx + radius, cy),
                  (cx + radius // 4, cy + radius // 4), (cx, cy + radius),
                  (cx - radius // 4, cy + radius // 4), (cx - radius, cy),
                  (cx - radius // 4, cy - radius // 4)], fill=colour)


def big_button(size, caption, state, text_size, with_sparkle=False):
    top, bottom, border, ink, offset = BIG_STATES[state]
    width, height = size
    # Drawn at four times the size and reduced, for smooth round corners.
    scale = 4
    big = Image.new("RGB", (width * scale, height * scale), WHITE)
    surface = vertical_gradient(big.size, top, bottom)
    mask = Image.new("L", big.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, big.size[0] - 1, big.size[1] - 1], radius=7 * scale, fill=255)
    big.paste(surface, (0, 0), mask)
    ImageDraw.Draw(big).rounded_rectangle([0, 0, big.size[0] - 1, big.size[1] - 1], radius=7 * scale,
                                          outline=border, width=scale + scale // 2)
    image = big.resize(size, Image.LANCZOS)
    draw = ImageDraw.Draw(image)
    # A thin pink stripe along the top edge ties the buttons to the panel band.
    if state != "pressed":
        draw.line([(7, 3), (width - 8, 3)], fill=PINK if state == "normal" else WHITE)
    face = font(BOLD, text_size)
    text_box = (0, 0, width, height)
    if with_sparkle:
        text_box = (0, height // 3, width, height - 4)
        sparkle_colour = MAGENTA if state != "pressed" else PINK
        sparkle(draw, width // 2 + offset, height // 3 - 2 + offset, 10, sparkle_colour)
        sparkle(draw, width // 2 + 15 + offset, height // 3 - 9 + offset, 4, BLUE if state != "pressed" else WHITE)
        sparkle(draw, width // 2 - 14 + offset, height // 3 + 2 + offset, 3, BLUE if state != "pressed" else WHITE)
    centred_text(draw, text_box, caption, face, ink, (offset, offset))
    return image


# --- the small caption buttons (on the pink band) ---------------------------

SMALL_STATES = {
    "normal": (BLUE, WHITE),
    "hover": (MAGENTA, WHITE),
    "pressed": (DEEP_BLUE, PINK),
}


def small_button(size, glyph, state):
    """glyph: rows of '#' (ink) and '.' (surface); corners keep the band colour."""
    surface, ink = SMALL_STATES[state]
    width, height = size
    image = Image.new("RGB", size, surface)
    pixels = image.load()
    for corner in [(0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1)]:
        pixels[corner] = mix(PINK, surface, 0.5)
    dx = dy = 1 if state == "pressed" else 0
    for y, row in enumerate(glyph):
        for x, cell in enumerate(row):
            if cell == "#" and 0 <= x + dx < width and 0 <= y + dy < height:
                pixels[x + dx, y + dy] = ink
    return image


CLOSE_GLYPH = [
    ".........",
    ".........",
    "..#...#..",
    "...#.#...",
    "....#....",
    "...#.#...",
    "..#...#..",
    ".........",
    ".........",
]

TRAY_GLYPH = [
    "..........",
    "..........",
    "..........",
    "..........",
    "..........",
    "..........",
    "..........",
    "..######..",
    "..######..",
    "..........",
    "..........",
]

HELP_GLYPH = [
    "........",
    "..###...",
    ".#...#..",
    ".....#..",
    "....#...",
    "...#....",
    "...#....",
    "........",
    "...#....",
    "........",
    "........",
]


# --- logo, icon, cursor, splash ---------------------------------------------

def logo():
    image = Image.new("RGB", (35, 13), PINK)
    draw = ImageDraw.Draw(image)
    size = 13
    while size > 6:
        face = font(EXTRA_BOLD, size)
        left, top, right, bottom = draw.textbbox((0, 0), "Vantrel", font=face)
        if right - left <= 33 and bottom - top <= 11:
            break
        size -= 1
    centred_text(draw, (0, 0, 35, 13), "Vantrel", face, BLUE)
    draw.line([(1, 12), (33, 12)], fill=MAGENTA)
    return image


def icon_image(size):
    scale = 8
    big = Image.new("RGBA", (size * scale, size * scale), (0, 0, 0, 0))
    draw = ImageDraw.Draw(big)
    edge = size * scale - 1
    draw.rounded_rectangle([0, 0, edge, edge], radius=size * scale // 5, fill=BLUE + (255,))
    draw.rounded_rectangle([scale, scale, edge - scale, edge - scale], radius=size * scale // 6,
                           outline=PINK + (255,), width=scale)
    # A broom-stroke "V" with a magenta sparkle.
    s = size * scale
    draw.line([(s * 0.25, s * 0.28), (s * 0.47, s * 0.76), (s * 0.72, s * 0.28)], fill=WHITE + (255,),
              width=int(s * 0.13), joint="curve")
    sparkle(draw, int(s * 0.76), int(s * 0.72), int(s * 0.15), MAGENTA + (255,))
    return big.resize((size, size), Image.LANCZOS)


def ico_bytes(images):
    """An .ico of 32-bit BMP entries (readable by every Windows version that knows 32-bit icons)."""
    entries = []
    for image in images:
        width, height = image.size
        rgba = image.convert("RGBA")
        xor = bytearray()
        for y in range(height - 1, -1, -1):
            for x in range(width):
                r, g, b, a = rgba.getpixel((x, y))
                xor += bytes((b, g, r, a))
        mask_stride = ((width + 31) // 32) * 4
        mask = bytearray()
        for y in range(height - 1, -1, -1):
            row = bytearray(mask_stride)
            for x in range(width):
                if rgba.getpixel((x, y))[3] < 128:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        entries.append((width, height, header + bytes(xor) + bytes(mask)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for width, height, data in entries:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, _, data in entries:
        out += data
    return bytes(out)


def move_cursor_bytes():
    """A 32x32 monochrome four-way arrow, black with a white rim, hot spot (15, 15)."""
    size, c = 32, 15
    shape = [[False] * size for _ in range(size)]

    def put(x, y):
        if 0 <= x < size and 0 <= y < size:
            shape[y][x] = True

    for t in range(4, 27):  # the two shafts, three pixels wide
        for w in (-1, 0, 1):
            put(c + w, t)
            put(t, c + w)
    for k in range(6):  # the four heads
        for w in range(-k, k + 1):
            put(c + w, 1 + k)
            put(c + w, 29 - k)
            put(1 + k, c + w)
            put(29 - k, c + w)
    rim = [[False] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            if shape[y][x]:
                continue
            for ny in (y - 1, y, y + 1):
                for nx in (x - 1, x, x + 1):
                    if 0 <= nx < size and 0 <= ny < size and shape[ny][nx]:
                        rim[y][x] = True
    stride = 4
    xor = bytearray()
    andmask = bytearray()
    for y in range(size - 1, -1, -1):
        xrow, arow = bytearray(stride), bytearray(stride)
        for x in range(size):
            bit = 0x80 >> (x % 8)
            if rim[y][x]:
                xrow[x // 8] |= bit  # white
            elif not shape[y][x]:
                arow[x // 8] |= bit  # transparent
        xor += xrow
        andmask += arow
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, len(xor) + len(andmask), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    data = header + palette + bytes(xor) + bytes(andmask)
    return struct.pack("<HHHBBBBHHII", 0, 2, 1, size, size, 2, 0, c, c, len(data), 22) + data


def splash(with_word):
    width, height = splash_region.WIDTH, splash_region.HEIGHT
    image = vertical_gradient((width, height), PINK, MIST)
    draw = ImageDraw.Draw(image)
    for i in range(6):
        draw.rectangle([i, i, width - 1 - i, height - 1 - i], outline=mix(BLUE, PINK, i / 6))
    # The inner area: cut away by the outline, or covered by the desktop
    # miniature in the rectangular splash. The border right of it is wider.
    left, top = splash_region.INNER_LEFT, splash_region.INNER_TOP
    right, bottom = splash_region.INNER_RIGHT, splash_region.INNER_BOTTOM
    draw.rectangle([left - 1, top - 1, right, bottom], fill=WHITE, outline=MAGENTA)
    # The outline rounds the inner area's top corners off a little.
    for y, (left_side, right_side) in enumerate(splash_region.TOP_CORNERS, start=top):
        draw.line([(left, y), (left_side[1] - 1, y)], fill=MAGENTA)
        draw.line([(right_side[0], y), (right - 1, y)], fill=MAGENTA)
    panel = vertical_gradient((width - 12, 74), LIGHT, PINK)
    image.paste(panel, (6, bottom + 1))
    centred_text(draw, (6, 182, 330, 228), "Vantrel V.ZEL", font(EXTRA_BOLD, 30), BLUE)
    centred_text(draw, (6, 224, 330, 252), "컴퓨터 청소기  Version 1.2", font(BOLD, 14), MAGENTA)
    sparkle(draw, 40, 205, 11, MAGENTA)
    sparkle(draw, 296, 205, 11, BLUE)
    if with_word:
        # The letters the outline keeps; the splash recolours them as it blinks.
        for x, y in splash_region.word_pixels():
            image.putpixel((x, y), BLUE)
    return image


# --- sounds -----------------------------------------------------------------

RATE = 22050


def tone(frequency, seconds, decay, volume, harmonics=((1, 1.0),)):
    count = int(RATE * seconds)
    out = []
    for n in range(count):
        t = n / RATE
        attack = min(1.0, n / (RATE * 0.004))
        envelope = attack * math.exp(-t * decay)
        value = sum(weight * math.sin(2 * math.pi * frequency * k * t) for k, weight in harmonics)
        out.append(volume * envelope * value)
    return out


def write_wave(path, samples):
    peak = max(1e-9, max(abs(s) for s in samples))
    scale = min(1.0, 0.8 / peak)
    frames = b"".join(struct.pack("<h", int(round(s * scale * 32767))) for s in samples)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def chime(notes):
    samples = []
    for frequency, start, length in notes:
        part = tone(frequency, length, 9.0, 0.6, ((1, 1.0), (2, 0.25), (3, 0.08)))
        begin = int(RATE * start)
        if len(samples) < begin + len(part):
            samples.extend([0.0] * (begin + len(part) - len(samples)))
        for i, value in enumerate(part):
            samples[begin + i] += value
    return samples


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)

    def save(name, image):
        image.convert("RGB").save(os.path.join(out, name), format="BMP")

    for state in ("normal", "pressed", "hover"):
        save(f"clean_{state}.bmp", big_button((80, 70), "청소", state, 20, with_sparkle=True))
        save(f"menu_{state}.bmp", big_button((80, 35), "메뉴", state, 16))
        save(f"settings_{state}.bmp", big_button((80, 35), "설정", state, 16))
        save(f"close_{state}.bmp", small_button((9, 9), CLOSE_GLYPH, state))
        save(f"tray_{state}.bmp", small_button((10, 11), TRAY_GLYPH, state))
        save(f"help_{state}.bmp", small_button((8, 11), HELP_GLYPH, state))
    save("logo.bmp", logo())
    save("splash_shaped.bmp", splash(with_word=True))
    save("splash_framed.bmp", splash(with_word=False))

    with open(os.path.join(out, "main.ico"), "wb") as f:
        f.write(ico_bytes([icon_image(16), icon_image(32)]))
    with open(os.path.join(out, "move.cur"), "wb") as f:
        f.write(move_cursor_bytes())

    write_wave(os.path.join(out, "click.wav"), tone(1760, 0.045, 90.0, 0.7, ((1, 1.0), (2, 0.3))))
    write_wave(os.path.join(out, "run_end.wav"), chime([(1046.5, 0.0, 0.30), (1318.5, 0.12, 0.30),
                                                        (1568.0, 0.24, 0.36)]))
    write_wave(os.path.join(out, "exit.wav"), chime([(1318.5, 0.0, 0.22), (987.8, 0.11, 0.30)]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
