#!/usr/bin/python3
"""Draws the benchmark pictures: landscape photos of 1, 12, 24 and 50 megapixels as baseline JPEG
(quality 90) and RGB PNG, and a 500x500 logo PNG on a flat white background.

The photos are smooth gradients (sky, sun glow, hills) with detail on top (trees, houses, field
furrows), a blotchy texture and fine grain, so that they compress like real photos: a flat or
purely random picture would make the decoders look faster or slower than they are.

Usage: make_pictures.py OUT_DIR. Writes OUT_DIR/manifest.json last; a folder whose manifest carries
this script's stamp is left as it is.
"""
import hashlib
import json
import math
import os
import random
import sys
import time

from PIL import Image, ImageChops, ImageDraw, ImageFilter

# Width x height of each photo: 3:2 like most cameras.
PHOTOS = [
    ("1mp", 1224, 816),
    ("12mp", 4242, 2828),
    ("24mp", 6000, 4000),
    ("50mp", 8688, 5792),
]
LOGO_SIDE = 500


def stamp():
    with open(__file__, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()[:16]


def vertical_gradient(size, top, bottom):
    """An RGB picture going from colour `top` to colour `bottom`, smoothly, top to bottom."""
    ramp = Image.linear_gradient("L").resize((1, size[1]), Image.BILINEAR)
    bands = []
    for c in range(3):
        lut = [round(top[c] + (bottom[c] - top[c]) * v / 255) for v in range(256)]
        bands.append(ramp.point(lut))
    return Image.merge("RGB", bands).resize(size, Image.NEAREST)


def glow(size, centre, radius, colour):
    """A soft round light: an RGB picture and the mask that fades it out."""
    w, h = size
    mask = Image.radial_gradient("L").point(lambda v: max(0, 255 - v * 2))
    box = (int(centre[0] - radius), int(centre[1] - radius), int(2 * radius), int(2 * radius))
    full = Image.new("L", size, 0)
    full.paste(mask.resize((box[2], box[3]), Image.BILINEAR), (box[0], box[1]))
    return Image.new("RGB", (w, h), colour), full


def hill_outline(rng, w, h, base, amplitude, bumps):
    points = [(0, h)]
    phases = [rng.uniform(0, 6.3) for _ in range(3)]
    steps = 64
    for i in range(steps + 1):
        x = w * i / steps
        t = i / steps
        y = base
        for k, phase in enumerate(phases):
            y += amplitude / (k + 1) * math.sin(t * bumps * (k + 1) + phase)
        points.append((x, y))
    points.append((w, h))
    return points


def draw_scene(w, h, seed):
    rng = random.Random(seed)
    # Sky from deep blue to a warm haze at the horizon.
    picture = vertical_gradient((w, h), (38, 92, 178), (236, 196, 150))
    sun, sun_mask = glow((w, h), (w * 0.72, h * 0.28), h * 0.35, (255, 236, 190))
    picture.paste(sun, (0, 0), sun_mask)

    # Three ranges of hills, each with its own gradient, the nearer ones darker and greener.
    ranges = [
        (0.55, 0.06, 3.0, (120, 140, 170), (90, 110, 120)),
        (0.66, 0.05, 5.0, (70, 120, 70), (40, 90, 45)),
        (0.80, 0.04, 7.0, (60, 110, 40), (30, 70, 20)),
    ]
    for base, amplitude, bumps, top, bottom in ranges:
        mask = Image.new("L", (w, h), 0)
        ImageDraw.Draw(mask).polygon(
            hill_outline(rng, w, h, base * h, amplitude * h, bumps), fill=255
        )
        picture.paste(vertical_gradient((w, h), top, bottom), (0, 0), mask)

    draw = ImageDraw.Draw(picture)
    # Field furrows in the foreground.
    for i in range(int(h * 0.2 / max(2, h // 400))):
        y = int(h * 0.82 + i * max(2, h // 400))
        shade = 30 + (i % 3) * 12
        draw.line([(0, y), (w, y + rng.randint(-h // 50, h // 50))],
                  fill=(shade + 40, shade + 60, shade), width=max(1, h // 1200))
    # Trees and houses scattered over the hills; their count grows with the area.
    scale = h / 1000
    for _ in range(int(w * h / 4000)):
        x = rng.uniform(0, w)
        y = rng.uniform(h * 0.6, h * 0.95)
        r = rng.uniform(2, 12) * scale * (y / h)
        if rng.random() < 0.85:
            g = rng.randint(50, 120)
            draw.ellipse([x - r, y - 2 * r, x + r, y], fill=(g // 3, g, g // 4))
            draw.line([(x, y), (x, y + r)], fill=(70, 50, 30), width=max(1, int(r / 4)))
        else:
            wall = (rng.randint(180, 240), rng.randint(160, 220), rng.randint(140, 200))
            draw.rectangle([x - r, y - r, x + r, y], fill=wall)
            draw.polygon([(x - 1.2 * r, y - r), (x, y - 2 * r), (x + 1.2 * r, y - r)],
                         fill=(150, 50, 40))
    # Soften the drawn edges as a lens would.
    picture = picture.filter(ImageFilter.GaussianBlur(max(0.6, scale * 0.6)))

    # Texture: large soft blotches (foliage, clouds) and fine grain (sensor noise).
    blotch = Image.effect_noise((max(1, w // 16), max(1, h // 16)), 24)
    blotch = blotch.filter(ImageFilter.GaussianBlur(1.2)).resize((w, h), Image.BICUBIC)
    grain = Image.effect_noise((w, h), 5)
    texture = ImageChops.add(blotch, grain, scale=1.0, offset=-128)
    texture = Image.merge("RGB", (texture, texture, texture))
    return ImageChops.add(picture, texture, scale=1.0, offset=-128)


def draw_logo(side):
    """A flat white background with an antialiased badge: drawn at four times the size and reduced."""
    big = side * 4
    logo = Image.new("RGB", (big, big), (255, 255, 255))
    draw = ImageDraw.Draw(logo)
    m = big // 8
    draw.rounded_rectangle([m, m, big - m, big - m], radius=big // 6, fill=(30, 110, 200))
    draw.ellipse([big * 0.3, big * 0.3, big * 0.7, big * 0.7], fill=(255, 200, 40))
    draw.ellipse([big * 0.4, big * 0.4, big * 0.6, big * 0.6], fill=(30, 110, 200))
    draw.polygon([(big * 0.2, big * 0.8), (big * 0.5, big * 0.55), (big * 0.8, big * 0.8)],
                 fill=(220, 60, 60))
    return logo.resize((side, side), Image.LANCZOS)


def entry(path, picture, kind):
    w, h = picture.size
    corner = picture.getpixel((w - 1, 0))
    return {
        "file": os.path.basename(path),
        "kind": kind,
        "width": w,
        "height": h,
        "bytes": os.path.getsize(path),
        "corner": list(corner[:3]),
    }


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    manifest_path = os.path.join(out, "manifest.json")
    want = stamp()
    try:
        with open(manifest_path) as f:
            if json.load(f).get("stamp") == want:
                return
    except (OSError, ValueError):
        pass
    if os.path.exists(manifest_path):
        os.remove(manifest_path)

    pictures = []
    for i, (name, w, h) in enumerate(PHOTOS):
        started = time.monotonic()
        scene = draw_scene(w, h, seed=1000 + i)
        jpg = os.path.join(out, f"photo-{name}.jpg")
        scene.save(jpg, "JPEG", quality=90, subsampling="4:2:0", progressive=False, optimize=False)
        png = os.path.join(out, f"photo-{name}.png")
        scene.save(png, "PNG")
        pictures.append(entry(jpg, scene, "jpeg"))
        pictures.append(entry(png, scene, "png"))
        print(f"make_pictures: {name} {w}x{h} in {time.monotonic() - started:.1f} s", flush=True)
        del scene
    logo = draw_logo(LOGO_SIDE)
    path = os.path.join(out, "logo-500.png")
    logo.save(path, "PNG")
    pictures.append(entry(path, logo, "png"))

    # Tiny pictures: how long each outside tool takes to start and finish with next to no work.
    tiny = draw_scene(16, 16, seed=7)
    tiny.save(os.path.join(out, "tiny.jpg"), "JPEG", quality=90)
    tiny.save(os.path.join(out, "tiny.png"), "PNG")

    with open(manifest_path, "w") as f:
        json.dump({"stamp": want, "pictures": pictures}, f, indent=1)


if __name__ == "__main__":
    main()
