#!/usr/bin/env python3
"""Draws Melvorin's bitmaps, icons and copy animation into a directory.

Usage: make_art.py OUTPUT_DIR

Everything is drawn from code so that the art can be rebuilt and adjusted
without binary files in the repository. Shapes are drawn at several times
their final size and scaled down, which gives smooth edges.
"""

import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

# One palette for the whole product: calm blues with a teal accent.
NAVY = (22, 50, 84)
BLUE = (39, 94, 150)
SKY = (108, 162, 210)
PALE = (220, 234, 246)
TEAL = (38, 160, 146)
TEAL_DARK = (22, 112, 102)
# The emblem's colours where it stands on the dark blue of the watermark and the About tile.
EMBLEM_ON_DARK = dict(arrow=(120, 214, 200), face=(56, 112, 168), rim=PALE, hub=(160, 196, 228))
WHITE = (255, 255, 255)
INK = (40, 44, 52)
STEEL = (150, 158, 168)
STEEL_LIGHT = (214, 219, 225)
STEEL_DARK = (92, 100, 112)
FOLDER = (240, 196, 84)
FOLDER_DARK = (196, 146, 40)
FOLDER_LIGHT = (252, 226, 140)
PAPER = (250, 251, 253)
LED = (60, 200, 80)
DIALOG_FACE = (212, 208, 200)

SUPERSAMPLE = 4
FONT_DIRS = ["/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/dejavu"]


def font(size, bold=False):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    for directory in FONT_DIRS:
        path = os.path.join(directory, name)
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    return ImageFont.load_default()


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


class Sketch:
    """An RGBA canvas addressed in design units, drawn at a multiple of its size."""

    def __init__(self, width, height, units_x, units_y=None, background=(0, 0, 0, 0)):
        self.size = (width, height)
        self.scale_x = width * SUPERSAMPLE / units_x
        self.scale_y = height * SUPERSAMPLE / (units_y or units_x)
        self.image = Image.new("RGBA", (width * SUPERSAMPLE, height * SUPERSAMPLE), background)
        self.draw = ImageDraw.Draw(self.image)

    def box(self, x0, y0, x1, y1):
        return [x0 * self.scale_x, y0 * self.scale_y, x1 * self.scale_x, y1 * self.scale_y]

    def points(self, pts):
        return [(x * self.scale_x, y * self.scale_y) for x, y in pts]

    def width(self, w):
        return max(SUPERSAMPLE, round(w * self.scale_x))

    def rect(self, x0, y0, x1, y1, fill, outline=None, line=1.0, radius=0):
        self.draw.rounded_rectangle(self.box(x0, y0, x1, y1), radius=radius * self.scale_x,
                                    fill=fill, outline=outline, width=self.width(line))

    def poly(self, pts, fill, outline=None, line=1.0):
        self.draw.polygon(self.points(pts), fill=fill)
        if outline:
            pts = self.points(pts)
            self.draw.line(pts + pts[:1], fill=outline, width=self.width(line), joint="curve")

    def ellipse(self, x0, y0, x1, y1, fill, outline=None, line=1.0):
        self.draw.ellipse(self.box(x0, y0, x1, y1), fill=fill, outline=outline,
                          width=self.width(line))

    def line(self, pts, fill, line=1.0):
        self.draw.line(self.points(pts), fill=fill, width=self.width(line), joint="curve")

    def arc(self, cx, cy, r, start, end, fill, line):
        self.draw.arc(self.box(cx - r, cy - r, cx + r, cy + r), start, end, fill=fill,
                      width=self.width(line))

    def result(self):
        return self.image.resize(self.size, Image.LANCZOS)


# ---- shared motifs -----------------------------------------------------------------------


def restore_arrow(s, cx, cy, r, colour, line):
    """The product's mark: an almost closed circle ending in an arrowhead, turning back."""
    s.arc(cx, cy, r, 135, 405, colour, line)
    angle = math.radians(135)
    tip_x, tip_y = cx + r * math.cos(angle), cy + r * math.sin(angle)
    head = line * 1.7
    # The arrowhead points along the circle against the clock, back towards the start.
    tangent = (math.sin(angle), -math.cos(angle))
    normal = (math.cos(angle), math.sin(angle))
    s.poly([(tip_x + tangent[0] * head * 1.3, tip_y + tangent[1] * head * 1.3),
            (tip_x + normal[0] * head, tip_y + normal[1] * head),
            (tip_x - normal[0] * head, tip_y - normal[1] * head)], colour)


def disc(s, cx, cy, r, face, rim, hub):
    s.ellipse(cx - r, cy - r, cx + r, cy + r, face, rim, r * 0.08)
    s.ellipse(cx - r * 0.62, cy - r * 0.62, cx + r * 0.62, cy + r * 0.62, None,
              mix(face, rim, 0.35), r * 0.04)
    s.ellipse(cx - r * 0.3, cy - r * 0.3, cx + r * 0.3, cy + r * 0.3, hub, rim, r * 0.06)
    s.ellipse(cx - r * 0.1, cy - r * 0.1, cx + r * 0.1, cy + r * 0.1, rim)


def emblem(s, cx, cy, r, arrow=TEAL, face=PALE, rim=BLUE, hub=WHITE):
    disc(s, cx, cy, r * 0.62, face, rim, hub)
    restore_arrow(s, cx, cy, r * 0.88, arrow, r * 0.16)


def page(s, x0, y0, x1, y1, fold=7, fill=PAPER, outline=STEEL_DARK):
    s.poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], fill, outline)
    s.poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], STEEL_LIGHT, outline)


def text_lines(s, x0, x1, y0, count, gap=3.0, colour=SKY):
    for i in range(count):
        end = x1 if i % 3 != 2 else x0 + (x1 - x0) * 0.6
        s.line([(x0, y0 + i * gap), (end, y0 + i * gap)], colour, 1.2)


def gear(s, cx, cy, r, colour, hole=WHITE, teeth=8):
    pts = []
    for i in range(teeth * 2):
        a = math.pi * i / teeth
        radius = r if i % 2 == 0 else r * 0.72
        for da in (-0.18, 0.18):
            pts.append((cx + radius * math.cos(a + da), cy + radius * math.sin(a + da)))
    s.poly(pts, colour)
    s.ellipse(cx - r * 0.32, cy - r * 0.32, cx + r * 0.32, cy + r * 0.32, hole)


def folder_back(s, x0, y0, x1, y1):
    tab = (x1 - x0) * 0.4
    s.poly([(x0, y0 + 2), (x0 + 1, y0), (x0 + tab, y0), (x0 + tab + 2, y0 + 2.5),
            (x1, y0 + 2.5), (x1, y1), (x0, y1)], FOLDER_DARK, FOLDER_DARK)


def folder_front(s, x0, y0, x1, y1):
    s.poly([(x0 + 4, y0 + 7), (x1 + 2, y0 + 7), (x1 - 2, y1), (x0, y1)], FOLDER, FOLDER_DARK)


def folder(s, x0, y0, x1, y1, open_=False):
    folder_back(s, x0, y0, x1, y1)
    if open_:
        s.rect(x0 + 2, y0 + 4, x1 - 2, y1 - 3, PAPER, STEEL)
        folder_front(s, x0, y0, x1, y1)
    else:
        s.poly([(x0, y0 + 5), (x1, y0 + 5), (x1, y1), (x0, y1)], FOLDER, FOLDER_DARK)
        s.line([(x0 + 1, y0 + 6.2), (x1 - 1, y0 + 6.2)], FOLDER_LIGHT, 1.0)


def drive_box(s, y0=11, y1=23, body=STEEL_LIGHT):
    s.poly([(4, y0), (28, y0), (30, y0 + 3), (30, y1), (2, y1), (2, y0 + 3)], body, STEEL_DARK)
    s.line([(3, y0 + 3.2), (29, y0 + 3.2)], WHITE, 0.9)


# ---- icons ---------------------------------------------------------------------------------


def icon_program_mark(s):
    emblem(s, 16, 16, 15)


def icon_restore_root(s):
    s.rect(3, 4, 29, 22, STEEL_LIGHT, STEEL_DARK, radius=1.5)
    s.rect(5.5, 6.5, 26.5, 19.5, BLUE)
    s.rect(5.5, 6.5, 26.5, 10, SKY)
    restore_arrow(s, 16, 14.5, 3.6, WHITE, 1.3)
    s.poly([(12, 22), (20, 22), (22, 26), (10, 26)], STEEL, STEEL_DARK)
    s.rect(7, 26, 25, 29, STEEL_LIGHT, STEEL_DARK, radius=1)


def icon_library(s):
    page(s, 5, 2, 25, 30)
    gear(s, 13, 14, 6, BLUE)
    gear(s, 20, 22, 4.6, TEAL)


def icon_program(s):
    s.rect(2, 5, 30, 27, WHITE, NAVY, radius=1)
    s.rect(2, 5, 30, 10, BLUE, NAVY, radius=1)
    s.rect(25, 6.5, 28, 8.5, WHITE)
    s.rect(5, 13, 14, 24, PALE, SKY)
    text_lines(s, 17, 27, 14, 4, 3.0)


def icon_folder_open(s):
    folder(s, 2, 6, 28, 27, open_=True)


def icon_folder_closed(s):
    folder(s, 2, 6, 30, 27)


def icon_drive_unknown(s):
    drive_box(s)
    s.ellipse(13, 13.5, 19, 19.5, WHITE, STEEL_DARK, 0.8)
    s.line([(15.3, 15.2), (16, 14.6), (17, 15.2), (16, 16.6), (16, 17.3)], BLUE, 1.0)


def icon_drive_ram(s):
    s.rect(2, 10, 30, 22, (44, 130, 74), (24, 84, 44))
    for x in (5, 12, 19):
        s.rect(x, 12, x + 5, 19, INK)
    for x in range(4, 29, 2):
        s.line([(x, 22), (x, 24.5)], (210, 170, 60), 1.0)
    s.rect(26, 12, 28, 14, (210, 170, 60))


def icon_drive_network(s):
    drive_box(s, 6, 17)
    s.rect(24, 11.5, 27, 13, LED)
    s.line([(16, 17), (16, 23)], INK, 1.4)
    s.line([(3, 27), (29, 27)], INK, 1.4)
    s.rect(12, 22, 20, 28, SKY, NAVY)


def icon_drive_fixed(s):
    drive_box(s)
    s.rect(24, 17, 27, 19, LED)
    s.rect(5, 17.5, 14, 18.5, STEEL)


def icon_setup_info(s):
    page(s, 5, 2, 25, 30)
    text_lines(s, 8, 20, 8, 5, 3.0)
    gear(s, 21, 24, 5.5, TEAL)


def icon_drive_removable(s):
    s.poly([(5, 3), (24, 3), (28, 7), (28, 29), (5, 29)], NAVY, INK)
    s.rect(10, 3, 22, 12, STEEL_LIGHT, STEEL_DARK)
    s.rect(17, 5, 20, 10, NAVY)
    s.rect(8, 17, 25, 29, PAPER, STEEL)
    text_lines(s, 10.5, 22.5, 21, 2, 3.5, BLUE)


def icon_file(s):
    page(s, 6, 2, 26, 30)


def icon_drive_cdrom(s):
    drive_box(s, 15, 26)
    s.rect(6, 21, 22, 22.2, STEEL_DARK)
    s.rect(24, 20.5, 27, 22.5, LED)
    disc(s, 16, 11, 10, (226, 230, 238), STEEL_DARK, WHITE)
    s.arc(16, 11, 7.5, 200, 250, SKY, 1.2)
    s.arc(16, 11, 7.5, 20, 70, (230, 170, 210), 1.2)


ICONS = {
    "melvorin.ico": icon_program_mark,
    "restore_root.ico": icon_restore_root,
    "library.ico": icon_library,
    "program.ico": icon_program,
    "folder_open.ico": icon_folder_open,
    "folder_closed.ico": icon_folder_closed,
    "drive_unknown.ico": icon_drive_unknown,
    "drive_ram.ico": icon_drive_ram,
    "drive_network.ico": icon_drive_network,
    "drive_fixed.ico": icon_drive_fixed,
    "setup_info.ico": icon_setup_info,
    "drive_removable.ico": icon_drive_removable,
    "file.ico": icon_file,
    "drive_cdrom.ico": icon_drive_cdrom,
}


def render_icon(painter, size):
    s = Sketch(size, size, 32)
    painter(s)
    return s.result()


def and_mask(image):
    """Rows of 1-bit transparency, bottom row first, each padded to 32 bits."""
    w, h = image.size
    alpha = image.getchannel("A")
    stride = ((w + 31) // 32) * 4
    rows = []
    for y in reversed(range(h)):
        row = bytearray(stride)
        for x in range(w):
            if alpha.getpixel((x, y)) < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
    return b"".join(rows)


def icon_entry_32bit(image):
    w, h = image.size
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in reversed(range(h)):
        for x in range(w):
            r, g, b, a = image.getpixel((x, y))
            pixels += bytes((b, g, r, a))
    return 32, header + bytes(pixels) + and_mask(image)


def icon_entry_8bit(image):
    """A 256-colour image with a mask, for displays and systems without alpha icons."""
    w, h = image.size
    solid = Image.new("RGB", image.size, (0, 0, 0))
    solid.paste(image, mask=image.getchannel("A").point(lambda a: 255 if a >= 128 else 0))
    indexed = solid.quantize(colors=256, method=Image.Quantize.MEDIANCUT)
    palette = indexed.getpalette()[: 256 * 3]
    palette += [0] * (256 * 3 - len(palette))
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    colours = b"".join(bytes((palette[i * 3 + 2], palette[i * 3 + 1], palette[i * 3], 0))
                       for i in range(256))
    stride = (w + 3) & ~3
    rows = []
    for y in reversed(range(h)):
        row = bytes(indexed.getpixel((x, y)) for x in range(w))
        rows.append(row + bytes(stride - w))
    return 8, header + colours + b"".join(rows) + and_mask(image)


def write_icon(path, painter):
    images = [render_icon(painter, size) for size in (16, 32)]
    entries = []
    for encode in (icon_entry_8bit, icon_entry_32bit):
        for image in images:
            bits, data = encode(image)
            entries.append((image.size[0], bits, data))
    offset = 6 + 16 * len(entries)
    directory = struct.pack("<HHH", 0, 1, len(entries))
    body = b""
    for size, bits, data in entries:
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(data),
                                 offset + len(body))
        body += data
    with open(path, "wb") as f:
        f.write(directory + body)


# ---- bitmaps -------------------------------------------------------------------------------


def vertical_gradient(size, top, bottom):
    w, h = size
    image = Image.new("RGB", size)
    draw = ImageDraw.Draw(image)
    for y in range(h):
        draw.line([(0, y), (w, y)], fill=mix(top, bottom, y / max(1, h - 1)))
    return image


def grooves(size, centre, radii, colour, alpha):
    """Faint concentric rings, like the tracks of a disc, as an overlay."""
    overlay = Image.new("RGBA", (size[0] * SUPERSAMPLE, size[1] * SUPERSAMPLE), (0, 0, 0, 0))
    draw = ImageDraw.Draw(overlay)
    cx, cy = centre[0] * SUPERSAMPLE, centre[1] * SUPERSAMPLE
    for r in radii:
        r *= SUPERSAMPLE
        draw.ellipse([cx - r, cy - r, cx + r, cy + r], outline=colour + (alpha,),
                     width=SUPERSAMPLE * 2)
    return overlay.resize(size, Image.LANCZOS)


def watermark():
    size = (164, 314)
    image = vertical_gradient(size, NAVY, BLUE).convert("RGBA")
    image.alpha_composite(grooves(size, (150, 300), range(40, 260, 22), WHITE, 26))
    mark = Sketch(164, 164, 164)
    emblem(mark, 82, 82, 58, **EMBLEM_ON_DARK)
    image.alpha_composite(mark.result(), (0, 34))
    ImageDraw.Draw(image).rectangle([0, 0, size[0], 3], fill=TEAL + (255,))
    return image.convert("RGB")


def header():
    s = Sketch(49, 49, 49, background=WHITE + (255,))
    emblem(s, 24.5, 24.5, 22)
    return s.result().convert("RGB")


def about_tile():
    size = (64, 64)
    image = vertical_gradient(size, BLUE, NAVY).convert("RGBA")
    image.alpha_composite(grooves(size, (58, 58), range(14, 80, 10), WHITE, 30))
    mark = Sketch(64, 64, 64)
    emblem(mark, 32, 32, 26, **EMBLEM_ON_DARK)
    image.alpha_composite(mark.result())
    draw = ImageDraw.Draw(image)
    draw.rectangle([0, 0, 63, 63], outline=NAVY)
    return image.convert("RGB")


def intro_left():
    s = Sketch(48, 48, 48, background=WHITE + (255,))
    emblem(s, 24, 24, 22)
    return s.result().convert("RGB")


def intro_top():
    size = (290, 40)
    image = Image.new("RGB", size, WHITE)
    draw = ImageDraw.Draw(image)
    title_font = font(22, bold=True)
    draw.text((0, 2), "Melvorin", font=title_font, fill=NAVY)
    title_width = draw.textlength("Melvorin", font=title_font)
    draw.text((title_width + 10, 10), "Recovery Wizard", font=font(13), fill=TEAL_DARK)
    for x in range(size[0]):
        draw.point((x, 36), fill=mix(TEAL, WHITE, x / size[0]))
        draw.point((x, 37), fill=mix(SKY, WHITE, x / size[0]))
    return image


BITMAPS = {
    "watermark.bmp": watermark,
    "header.bmp": header,
    "about.bmp": about_tile,
    "intro_left.bmp": intro_left,
    "intro_top.bmp": intro_top,
}


# ---- copy animation ------------------------------------------------------------------------

AVI_SIZE = (272, 60)
AVI_FRAMES = 16
AVI_FRAME_MICROSECONDS = 80000


def animation_frame(t):
    """Files rise out of the left folder, fly in an arc and drop into the right folder."""
    w, h = AVI_SIZE
    s = Sketch(w, h, w, h)
    folders = [(14, 22, 56, 54), (216, 22, 258, 54)]
    for box in folders:
        folder(s, *box, open_=True)
    for lag in (0.0, 0.5):
        u = (t + lag) % 1.0
        x = 36 + (236 - 36) * u
        y = 38 - math.sin(u * math.pi) * 26
        turn = abs(math.cos(u * math.pi * 2))
        half = 6 * (0.35 + 0.65 * turn)
        page(s, x - half, y - 8, x + half, y + 8, fold=min(4, half))
    # The folders' front flaps hide a file that is just leaving or arriving.
    for box in folders:
        folder_front(s, *box)
    return on_key_colour(s.result())


def on_key_colour(image):
    """Hard edges over a flat background: the animation control shows the colour of the
    first pixel as transparent, so blends with that colour would leave a halo."""
    frame = Image.new("RGB", image.size, DIALOG_FACE)
    frame.paste(image.convert("RGB"), mask=image.getchannel("A").point(lambda a: 255 * (a >= 96)))
    return frame


def chunk(fourcc, data):
    padded = data + (b"\0" if len(data) % 2 else b"")
    return fourcc + struct.pack("<I", len(data)) + padded


def riff_list(kind, fourcc, payload):
    return kind + struct.pack("<I", len(payload) + 4) + fourcc + payload


def write_avi(path):
    w, h = AVI_SIZE
    frames = [animation_frame(i / AVI_FRAMES) for i in range(AVI_FRAMES)]
    strip = Image.new("RGB", (w, h * AVI_FRAMES))
    for i, frame in enumerate(frames):
        strip.paste(frame, (0, i * h))
    indexed = strip.quantize(colors=256, method=Image.Quantize.MEDIANCUT)
    palette = indexed.getpalette()[: 256 * 3]
    palette += [0] * (256 * 3 - len(palette))

    frame_bytes = w * h
    # Bottom-up 8-bit rows; 272 is a multiple of 4, so rows need no padding.
    pixel_frames = []
    for i in range(AVI_FRAMES):
        frame = indexed.crop((0, i * h, w, (i + 1) * h)).transpose(Image.FLIP_TOP_BOTTOM)
        pixel_frames.append(frame.tobytes())

    avih = struct.pack("<IIIIIIIIII4I", AVI_FRAME_MICROSECONDS,
                       frame_bytes * 1000000 // AVI_FRAME_MICROSECONDS, 0, 0x10, AVI_FRAMES,
                       0, 1, frame_bytes, w, h, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"DIB ", 0, 0, 0, 0,
                       AVI_FRAME_MICROSECONDS, 1000000, 0, AVI_FRAMES, frame_bytes,
                       0xFFFFFFFF, 0, 0, 0, w, h)
    strf = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, frame_bytes, 0, 0, 256, 0)
    strf += b"".join(bytes((palette[i * 3 + 2], palette[i * 3 + 1], palette[i * 3], 0))
                     for i in range(256))
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) +
                     riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))

    movi_payload = b""
    index = b""
    for data in pixel_frames:
        # Index offsets count from the 'movi' fourcc.
        index += struct.pack("<4sIII", b"00db", 0x10, 4 + len(movi_payload), len(data))
        movi_payload += chunk(b"00db", data)
    movi = riff_list(b"LIST", b"movi", movi_payload)
    with open(path, "wb") as f:
        f.write(riff_list(b"RIFF", b"AVI ", hdrl + movi + chunk(b"idx1", index)))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_art.py OUTPUT_DIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, painter in BITMAPS.items():
        painter().save(os.path.join(out, name))
    for name, painter in ICONS.items():
        write_icon(os.path.join(out, name), painter)
    write_avi(os.path.join(out, "copy.avi"))


if __name__ == "__main__":
    main()
