#!/usr/bin/env python3
"""Builds a Windows .ico file from text pixel maps.

Usage: make-icon.py OUTPUT.ico MAP.txt[@SCALE] ...

Each map becomes one 32-bit image of the icon (in the order given); @SCALE
enlarges it by whole pixels, so one drawing serves 16, 32 and 48 pixels.
A map file has a "palette" section (a character, then "none" for a clear
pixel or #RRGGBB) and a "pixels" section of equally long rows; "#" starts a
comment line.
"""
import struct
import sys


def fail(path, message):
    sys.exit(f"{path}: {message}")


def read_map(path):
    palette, rows, section = {}, [], None
    with open(path, encoding="ascii") as source:
        for number, raw in enumerate(source, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            if line in ("palette", "pixels"):
                section = line
                continue
            if section == "palette":
                key, _, colour = line.partition(" ")
                if len(key) != 1 or key in palette:
                    fail(path, f"line {number}: one new character per palette entry")
                palette[key] = parse_colour(path, number, colour.strip())
            elif section == "pixels":
                rows.append(line)
            else:
                fail(path, f"line {number}: text before the palette")
    if not rows or any(len(row) != len(rows[0]) for row in rows):
        fail(path, "the pixel rows must be present and equally long")
    for number, row in enumerate(rows, 1):
        unknown = set(row) - palette.keys()
        if unknown:
            fail(path, f"pixel row {number}: no palette entry for {''.join(sorted(unknown))!r}")
    return [[palette[c] for c in row] for row in rows]


def parse_colour(path, number, text):
    if text == "none":
        return None
    if len(text) != 7 or text[0] != "#":
        fail(path, f"line {number}: colour must be none or #RRGGBB")
    try:
        return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))
    except ValueError:
        fail(path, f"line {number}: colour must be none or #RRGGBB")


def scaled(pixels, factor):
    out = []
    for row in pixels:
        wide = [p for p in row for _ in range(factor)]
        out.extend(list(wide) for _ in range(factor))
    return out


def dib(pixels):
    """The icon image: BITMAPINFOHEADER, BGRA rows and the AND mask, bottom-up."""
    height, width = len(pixels), len(pixels[0])
    colour = bytearray()
    for row in reversed(pixels):
        for p in row:
            colour += bytes((0, 0, 0, 0)) if p is None else bytes((p[2], p[1], p[0], 255))
    stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        line = bytearray(stride)
        for x, p in enumerate(row):
            if p is None:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    images = []
    for image_arg in argv[2:]:
        path, _, factor = image_arg.partition("@")
        pixels = read_map(path)
        if factor:
            if not factor.isdigit() or int(factor) < 1:
                fail(path, f"scale {factor!r} is not a whole number from 1")
            pixels = scaled(pixels, int(factor))
        if len(pixels) > 256 or len(pixels[0]) > 256:
            fail(path, "an icon image is at most 256 pixels wide and high")
        images.append(pixels)
    entries, bodies = bytearray(), bytearray()
    offset = 6 + 16 * len(images)
    for pixels in images:
        body = dib(pixels)
        width, height = len(pixels[0]), len(pixels)
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32,
                               len(body), offset)
        bodies += body
        offset += len(body)
    with open(argv[1], "wb") as out:
        out.write(struct.pack("<HHH", 0, 1, len(images)) + entries + bodies)


if __name__ == "__main__":
    main(sys.argv)
