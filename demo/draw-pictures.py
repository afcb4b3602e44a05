#!/usr/bin/env python3
"""Draws the demo's pictures beside Install.ini: LOGO.BMP (the intro page's left picture)
and TITLE.BMP (its top picture), sized to their places on the page.

Usage: draw-pictures.py OUTPUT_DIR
"""

import os
import sys

from PIL import Image, ImageDraw, ImageFont

NAVY = (22, 50, 84)
BLUE = (39, 94, 150)
TEAL = (38, 160, 146)
WHITE = (255, 255, 255)
SCALE = 4  # drawn larger and scaled down, for smooth edges


def font(size):
    for name in ("DejaVuSans-Bold.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"):
        try:
            return ImageFont.truetype(name, size)
        except OSError:
            pass
    return ImageFont.load_default()


def gradient(width, height, left, right):
    image = Image.new("RGB", (width, height))
    draw = ImageDraw.Draw(image)
    for x in range(width):
        t = x / max(1, width - 1)
        draw.line([(x, 0), (x, height)],
                  fill=tuple(round(a + (b - a) * t) for a, b in zip(left, right)))
    return image


def logo(size=44):
    s = size * SCALE
    image = Image.new("RGB", (s, s), WHITE)
    draw = ImageDraw.Draw(image)
    draw.rounded_rectangle([0, 0, s - 1, s - 1], radius=s // 5, fill=NAVY)
    # A disc with a returning arrow around it: the factory state brought back.
    margin = s // 5
    width = s // 12
    draw.arc([margin, margin, s - margin, s - margin], start=40, end=330, fill=TEAL, width=width)
    tip_x, tip_y = s - margin - width // 2, s // 2 - width
    draw.polygon([(tip_x - width * 2, tip_y), (tip_x + width * 2, tip_y), (tip_x, tip_y + width * 3)],
                 fill=TEAL)
    centre = s // 2
    r = s // 8
    draw.ellipse([centre - r, centre - r, centre + r, centre + r], fill=WHITE)
    return image.resize((size, size), Image.LANCZOS)


def title(width=290, height=38, text="Melvorin Recovery"):
    w, h = width * SCALE, height * SCALE
    image = gradient(w, h, NAVY, BLUE)
    draw = ImageDraw.Draw(image)
    face = font(h * 11 // 20)
    box = draw.textbbox((0, 0), text, font=face)
    draw.text((h // 3, (h - (box[3] - box[1])) // 2 - box[1]), text, font=face, fill=WHITE)
    draw.rectangle([0, h - h // 10, w, h], fill=TEAL)
    return image.resize((width, height), Image.LANCZOS)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    logo().save(os.path.join(out, "LOGO.BMP"))
    title().save(os.path.join(out, "TITLE.BMP"))


if __name__ == "__main__":
    main()
