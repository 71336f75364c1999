#!/usr/bin/env python3
"""Draws the program icon: a small landscape whose right half is rebuilt as rows
of text, which is what the program does to a picture.

The picture is described once, as shapes on a 32 x 32 unit canvas, and sampled at
the pixel centres of each image size, so that the 16 x 16 image is the same
drawing at half the resolution. Each image is a 256-colour (8 bits per pixel)
icon image with its transparency mask. The output is byte-for-byte the same on
every run.

usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

TRANSPARENT = None
# Colours as (red, green, blue); palette index = position in this list.
FRAME = (0x1C, 0x24, 0x38)
SKY = (0x5A, 0xA0, 0xE6)
SUN = (0xF6, 0xC8, 0x3C)
HILL = (0x3C, 0x9A, 0x4A)
PANEL = (0x22, 0x22, 0x2A)
TEXT = (0xE6, 0xE6, 0xE6)
PALETTE = [FRAME, SKY, SUN, HILL, PANEL, TEXT]

# Rows of "text" on the right half: (top, height, left, right) in canvas units.
TEXT_ROWS = [(5, 2, 18, 28), (10, 2, 18, 26), (15, 2, 18, 29), (20, 2, 18, 24),
             (25, 2, 18, 27)]


def colour_at(x, y):
    """The drawing: x, y are canvas units (0-32) of a pixel centre."""
    # Rounded square: the corner pixels stay transparent.
    corner = 3.0
    cx = min(max(x, corner), 32 - corner)
    cy = min(max(y, corner), 32 - corner)
    if (x - cx) ** 2 + (y - cy) ** 2 > corner ** 2:
        return TRANSPARENT
    if x < 1 or y < 1 or x > 31 or y > 31:
        return FRAME
    if x >= 16:
        for top, height, left, right in TEXT_ROWS:
            if top <= y < top + height and left <= x < right:
                return TEXT
        return PANEL
    if (x - 4) ** 2 + (y - 40) ** 2 < 20 ** 2:
        return HILL
    if (x - 9) ** 2 + (y - 9) ** 2 < 4.5 ** 2:
        return SUN
    return SKY


def icon_image(size):
    """One icon image: BITMAPINFOHEADER, 256-entry palette, colour rows, mask rows."""
    scale = 32.0 / size
    rows = []  # top-down, each a list of palette indices or None
    for py in range(size):
        row = []
        for px in range(size):
            c = colour_at((px + 0.5) * scale, (py + 0.5) * scale)
            row.append(None if c is TRANSPARENT else PALETTE.index(c))
        rows.append(row)

    colour_stride = (size + 3) // 4 * 4
    mask_stride = ((size + 31) // 32) * 4
    colour_bytes = bytearray()
    mask_bytes = bytearray()
    for row in reversed(rows):  # icon bitmaps are stored bottom-up
        line = bytes(0 if i is None else i for i in row)
        colour_bytes += line + bytes(colour_stride - size)
        mask = bytearray(mask_stride)
        for px, i in enumerate(row):
            if i is None:
                mask[px // 8] |= 0x80 >> (px % 8)
        mask_bytes += mask

    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0,
                         len(colour_bytes) + len(mask_bytes), 0, 0, 0, 0)
    palette = bytearray()
    for i in range(256):
        r, g, b = PALETTE[i] if i < len(PALETTE) else (0, 0, 0)
        palette += bytes((b, g, r, 0))
    return header + bytes(palette) + bytes(colour_bytes) + bytes(mask_bytes)


def icon_file(sizes):
    images = [icon_image(s) for s in sizes]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        # Colour count 0 means 256 or more colours.
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 8, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    return bytes(out)


if __name__ == '__main__':
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], 'wb') as f:
        f.write(icon_file([32, 16]))
