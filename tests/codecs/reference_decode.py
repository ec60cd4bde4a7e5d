#!/usr/bin/python3
"""Independent reference decoding for the corpus tests, through Pillow.

usage: reference_decode.py MANIFEST OUTDIR

Each manifest line is tab-separated: NAME KIND PATH [ARGS...]. KIND is one of
  decode PATH          the picture as Pillow decodes it (first frame)
  image PATH           a reference rendering (PNG) taken as it is, without gamma
  ico PATH INDEX       one entry of an ICO or CUR file
  raw-rgb PATH W H     raw 8-bit RGB rows (opaque)
  raw-rgba PATH W H    raw 8-bit RGBA rows
For each NAME it writes OUTDIR/NAME.lo and OUTDIR/NAME.hi, raw RGBA rows: every channel of the
picture lies within [lo, hi] (equal unless Pillow cannot see all the bits a sample has), and one
line "NAME W H" or "NAME FAIL reason" to OUTDIR/results.tsv.

PNG pictures are given as a display would show them: a gAMA chunk (without an sRGB chunk) is
corrected to a 2.2 display, and 16-bit samples count at full precision.
"""
import io
import struct
import sys

from PIL import Image, IcoImagePlugin, ImageFile

Image.MAX_IMAGE_PIXELS = None
ImageFile.LOAD_TRUNCATED_IMAGES = True  # show what a truncated file holds, as the program does


def png_header(data):
    """Bit depth, colour type, and the gAMA value (None with an sRGB chunk or without gAMA)."""
    depth, colour_type = data[24], data[25]
    gamma, srgb, pos = None, False, 8
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        if kind == b"gAMA" and length == 4:
            gamma = struct.unpack(">I", data[pos + 8:pos + 12])[0] / 100000.0
        elif kind == b"sRGB":
            srgb = True
        elif kind == b"IDAT":
            break
        pos += 12 + length
    return depth, colour_type, (None if srgb else gamma)


def gamma_curve(gamma):
    """Maps a sample in [0, 1] to 0..255 as libpng does for a 2.2 display; None: no change."""
    if not gamma or gamma <= 0 or abs(2.2 * gamma - 1.0) < 0.05:
        return lambda x: x * 255.0
    exponent = 1.0 / (2.2 * gamma)
    return lambda x: 255.0 * (x ** exponent)


def decode_png(data):
    depth, colour_type, gamma = png_header(data)
    curve = gamma_curve(gamma)
    im = Image.open(io.BytesIO(data))
    im.load()
    w, h = im.size
    n = w * h
    transparency = im.info.get("transparency")
    low_depth_key = colour_type == 0 and depth < 8 and transparency is not None
    if depth <= 8 and not low_depth_key:
        # Pillow sees every bit: one exact answer, with the gamma curve as a table.
        rgba = bytearray(im.convert("RGBA").tobytes())
        table = bytes(int(curve(v / 255.0) + 0.5) for v in range(256))
        for c in range(3):
            rgba[c::4] = rgba[c::4].translate(table)
        return w, h, bytes(rgba), bytes(rgba)
    # Each channel as a 16-bit interval [lo, hi].
    if colour_type == 3:
        rgba = list(im.convert("RGBA").getdata())
        chans = [[(p[c] * 257, p[c] * 257) for p in rgba] for c in range(4)]
    else:
        if im.mode == "I":  # 16-bit grey, exact
            grey = list(im.getdata())
            colour = [[(v, v) for v in grey]] * 3
            alpha = [(65535, 65535)] * n
            if transparency is not None:
                alpha = [(0, 0) if v == transparency else (65535, 65535) for v in grey]
        else:
            bands = list(im.convert("RGBA" if "A" in im.mode else "RGB").split())
            values = [list(b.getdata()) for b in bands]
            if depth == 16:  # Pillow keeps the high byte only
                span = lambda v: (v * 256, v * 256 + 255)
            else:
                span = lambda v: (v * 257, v * 257)
            colour = [[span(v) for v in values[c]] for c in range(3)]
            alpha = [span(v) for v in values[3]] if len(values) == 4 else [(65535, 65535)] * n
            if transparency is not None and "A" not in im.mode:
                if colour_type == 0:
                    # Pillow scales low-depth grey to 8 bits but not the tRNS value.
                    t = transparency * 255 // ((1 << depth) - 1) if depth < 8 else transparency
                    key = [(t * 257, t * 257)] * 3
                else:
                    key = [(t * 257, t * 257) if depth < 16 else (t, t) for t in transparency]
                alpha = []
                for i in range(n):
                    inside = [key[c][0] >= colour[c][i][0] and key[c][1] <= colour[c][i][1]
                              for c in range(3)]
                    exact = all(colour[c][i][0] == colour[c][i][1] for c in range(3))
                    alpha.append((0, 0) if all(inside) and exact else
                                 ((0, 65535) if all(inside) else (65535, 65535)))
        chans = colour + [alpha]
    lo, hi = bytearray(n * 4), bytearray(n * 4)
    for c in range(4):
        for i, (a, b) in enumerate(chans[c]):
            if c < 3:
                lo[i * 4 + c] = int(curve(a / 65535.0) + 0.5)
                hi[i * 4 + c] = int(curve(b / 65535.0) + 0.5)
            else:
                lo[i * 4 + c] = int(a / 257.0 + 0.5)
                hi[i * 4 + c] = int(b / 257.0 + 0.5)
    return w, h, bytes(lo), bytes(hi)


def rgba_of(im):
    im = im.convert("RGBA")
    raw = im.tobytes()
    return im.size[0], im.size[1], raw, raw


def decode(path):
    data = open(path, "rb").read()
    if data[:8] == b"\x89PNG\r\n\x1a\n":
        return decode_png(data)
    im = Image.open(io.BytesIO(data))
    im.seek(0)
    return rgba_of(im)


def ico_entry(path, index):
    data = bytearray(open(path, "rb").read())
    data[2] = 1  # a cursor's directory is an icon's with hotspots: read it as an icon
    # Pillow takes the bit depth from the directory, where cursors keep a hotspot and many icons a
    # 0: give it the depth the image itself declares.
    offsets = []
    for i in range(struct.unpack("<H", data[4:6])[0]):
        entry = 6 + 16 * i
        size, offset = struct.unpack("<II", data[entry + 8:entry + 16])
        offsets.append(offset)
        if size < 40:  # junk, not a size: the image runs to the end of the file
            data[entry + 8:entry + 12] = struct.pack("<I", max(0, len(data) - offset))
        image = data[offset:offset + 16]
        if len(image) < 16 or image[:4] == b"\x89PNG":
            continue
        data[entry + 6:entry + 8] = image[14:16]
    icon = IcoImagePlugin.IcoFile(io.BytesIO(bytes(data)))
    # Pillow sorts the entries by size; keep the one at the directory position asked for.
    icon.entry = [e for e in icon.entry if e["offset"] == offsets[index]]
    return rgba_of(icon.frame(0))


def raw(path, w, h, channels):
    data = open(path, "rb").read()
    if len(data) != w * h * channels:
        raise ValueError("raw size %d != %dx%dx%d" % (len(data), w, h, channels))
    if channels == 3:
        out = bytearray(w * h * 4)
        for i in range(w * h):
            out[i * 4:i * 4 + 3] = data[i * 3:i * 3 + 3]
            out[i * 4 + 3] = 255
        data = bytes(out)
    return w, h, data, data


def main():
    manifest, outdir = sys.argv[1], sys.argv[2]
    results = []
    for line in open(manifest, encoding="utf-8"):
        fields = line.rstrip("\n").split("\t")
        if len(fields) < 3:
            continue
        name, kind, path, args = fields[0], fields[1], fields[2], fields[3:]
        try:
            if kind == "decode":
                w, h, lo, hi = decode(path)
            elif kind == "image":
                w, h, lo, hi = rgba_of(Image.open(path))
            elif kind == "ico":
                w, h, lo, hi = ico_entry(path, int(args[0]))
            elif kind in ("raw-rgb", "raw-rgba"):
                w, h, lo, hi = raw(path, int(args[0]), int(args[1]), 3 if kind == "raw-rgb" else 4)
            else:
                raise ValueError("unknown kind " + kind)
            open("%s/%s.lo" % (outdir, name), "wb").write(lo)
            open("%s/%s.hi" % (outdir, name), "wb").write(hi)
            results.append("%s\t%d\t%d" % (name, w, h))
        except Exception as error:  # the reference cannot decode it either
            results.append("%s\tFAIL\t%s" % (name, str(error).replace("\t", " ").replace("\n", " ")))
    with open(outdir + "/results.tsv", "w", encoding="utf-8") as out:
        out.write("\n".join(results) + "\n")


if __name__ == "__main__":
    main()
