#!/usr/bin/python3
"""The job done with Pillow as a short script would do it: the picture squeezed to 48x48, the
background (within 35 of the top-right pixel in every channel) made transparent, saved as ICO.

Usage: pillow_icon.py SOURCE OUT.ico
"""
import sys

from PIL import Image, ImageChops

TOLERANCE = 35
SIDE = 48


def main():
    source, out = sys.argv[1], sys.argv[2]
    small = Image.open(source).convert("RGB").resize((SIDE, SIDE))
    key = small.getpixel((SIDE - 1, 0))
    # A channel is "near" when it lies within the tolerance of the key's; background is near in all.
    near = [
        band.point(lambda v, k=k: 255 if abs(v - k) <= TOLERANCE else 0)
        for band, k in zip(small.split(), key)
    ]
    background = ImageChops.multiply(ImageChops.multiply(near[0], near[1]), near[2])
    icon = small.convert("RGBA")
    icon.putalpha(ImageChops.invert(background))
    icon.save(out, format="ICO", sizes=[(SIDE, SIDE)])


if __name__ == "__main__":
    main()
