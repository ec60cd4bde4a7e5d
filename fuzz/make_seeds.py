#!/usr/bin/python3
"""Writes the fuzz seeds: small valid pictures of every layout each decoder reads.

    /usr/bin/python3 fuzz/make_seeds.py [fuzz/seeds]

The output is committed; run this again only to change the seeds. Everything is written byte by
byte except JPEG, which Pillow encodes. The pictures are a few dozen pixels each, so every seed
stays under a few KB and libFuzzer's mutations stay fast.
"""
import io
import os
import struct
import sys
import zlib

from PIL import Image


def pattern(width, height, levels):
    """A picture of indices 0..levels-1 with edges and areas, top-down rows."""
    return [[(x * 3 + y * 5 + (x * y) // 7) % levels for x in range(width)] for y in range(height)]


def rgb_pattern(width, height):
    return [[((x * 37) & 255, (y * 53) & 255, ((x + y) * 29) & 255) for x in range(width)]
            for y in range(height)]


def palette(count):
    return [((i * 67) & 255, (i * 151) & 255, (i * 23 + 40) & 255) for i in range(count)]


# ---- BMP and the DIB inside icons ----

def pack_bits(indices, bits):
    out = bytearray()
    per_byte = 8 // bits
    for i in range(0, len(indices), per_byte):
        byte = 0
        for j, v in enumerate(indices[i:i + per_byte]):
            byte |= v << (8 - bits * (j + 1))
        out.append(byte)
    return bytes(out)


def dib_rows(width, height, bits, top_down, alpha=True):
    """Pixel rows as stored: padded to 4 bytes, bottom-up unless top_down."""
    rows = []
    if bits <= 8:
        for row in pattern(width, height, 1 << bits):
            rows.append(pack_bits(row, bits))
    else:
        for y, row in enumerate(rgb_pattern(width, height)):
            data = bytearray()
            for x, (r, g, b) in enumerate(row):
                data += bytes((b, g, r))
                if bits == 32:
                    data.append(((x + y) * 40) & 255 if alpha else 0)
            rows.append(bytes(data))
    stride = (width * bits + 31) // 32 * 4
    rows = [r.ljust(stride, b"\0") for r in rows]
    if not top_down:
        rows.reverse()
    return rows


def dib_header(size, width, height, bits, colours_used=0):
    if size == 12:
        return struct.pack("<IHHHH", 12, width, height & 0xFFFF, 1, bits)
    head = struct.pack("<IiiHH", size, width, height, 1, bits)
    if size == 16:
        return head
    head += struct.pack("<IIiiII", 0, 0, 2835, 2835, colours_used, 0)
    return head.ljust(size, b"\0")


def bmp(width, height, bits, header=40, top_down=False, colours=None, cut_padding=False):
    entry = 3 if header == 12 else 4
    count = colours if colours is not None else (1 << bits if bits <= 8 else 0)
    table = b"".join(bytes((b, g, r)) + (b"\0" if entry == 4 else b"")
                     for r, g, b in palette(count))
    dib = dib_header(header, width, -height if top_down else height, bits,
                     colours if colours is not None else 0)
    pixels = b"".join(dib_rows(width, height, bits, top_down))
    if cut_padding:  # some writers leave out the last row's padding
        pixels = pixels[:len(pixels) - ((width * bits + 31) // 32 * 4 - (width * bits + 7) // 8)]
    offset = 14 + len(dib) + len(table)
    return (b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + dib + table +
            pixels)


def bmp_seeds():
    return {
        "1bpp.bmp": bmp(19, 7, 1),
        "4bpp_top_down.bmp": bmp(13, 9, 4, top_down=True),
        "8bpp_few_colours.bmp": bmp(11, 6, 8, colours=40),
        "8bpp_core_header.bmp": bmp(9, 5, 8, header=12),
        "24bpp.bmp": bmp(17, 10, 24),
        "24bpp_os2_16.bmp": bmp(7, 4, 24, header=16),
        "24bpp_no_last_padding.bmp": bmp(5, 3, 24, cut_padding=True),
        "32bpp_v5_top_down.bmp": bmp(12, 8, 32, header=124, top_down=True),
        "32bpp_v4.bmp": bmp(6, 6, 32, header=108),
    }


# ---- PNG ----

def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(
        ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
         (0, 1, 1, 2)]


def png(width, height, colour_type, depth, interlaced=False, extra=b"", samples=None):
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    if samples is None:
        top = (1 << depth) - 1
        samples = [[[(x * 7 + y * 13 + c * 50) % (top + 1) for c in range(channels)]
                    for x in range(width)] for y in range(height)]

    def encode_row(pixels):
        if depth < 8:
            return pack_bits([p[0] for p in pixels], depth)
        size = depth // 8
        return b"".join(v.to_bytes(size, "big") for p in pixels for v in p)

    raw = bytearray()
    if interlaced:
        for x0, y0, dx, dy in ADAM7:
            for y in range(y0, height, dy):
                row = samples[y][x0::dx]
                if row:
                    raw += b"\x01" + sub_filter(encode_row(row), max(1, channels * depth // 8))
    else:  # odd rows with the Sub filter, even rows unfiltered
        bpp = max(1, channels * depth // 8)
        for y in range(height):
            row = encode_row(samples[y])
            raw += b"\1" + sub_filter(row, bpp) if y % 2 else b"\0" + row
    ihdr = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 1 if interlaced else 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) + extra +
            png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + png_chunk(b"IEND", b""))


def sub_filter(row, bpp):
    return bytes((row[i] - (row[i - bpp] if i >= bpp else 0)) & 255 for i in range(len(row)))


def png_seeds():
    plte = png_chunk(b"PLTE", b"".join(bytes(c) for c in palette(16)))
    return {
        "grey1.png": png(21, 5, 0, 1),
        "grey2_interlaced.png": png(9, 9, 0, 2, interlaced=True),
        "grey4.png": png(7, 6, 0, 4),
        "grey8_trns.png": png(8, 8, 0, 8, extra=png_chunk(b"tRNS", b"\0\x07")),
        "grey16.png": png(5, 4, 0, 16),
        "rgb8_gamma.png": png(12, 7, 2, 8, extra=png_chunk(b"gAMA", struct.pack(">I", 45455 * 2))),
        "rgb16_interlaced.png": png(10, 11, 2, 16, interlaced=True),
        "palette4.png": png(13, 5, 3, 4, extra=plte),
        "palette8_trns_interlaced.png": png(
            17, 12, 3, 4, interlaced=True, extra=plte + png_chunk(b"tRNS", bytes(range(0, 160, 10)))),
        "grey_alpha8.png": png(6, 6, 4, 8),
        "rgba8.png": png(16, 9, 6, 8),
        "rgba16_srgb.png": png(4, 3, 6, 16, extra=png_chunk(b"sRGB", b"\0")),
    }


# ---- ICO and CUR ----

def icon_dib(width, height, bits, colours=None, alpha=True):
    count = colours if colours is not None else (1 << bits if bits <= 8 else 0)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette(count))
    xor = b"".join(dib_rows(width, height, bits, False, alpha))
    mask = b"".join(pack_bits([1 if (x + y) % 5 == 0 else 0 for x in range(width)], 1)
                    .ljust((width + 31) // 32 * 4, b"\0") for y in range(height))
    return dib_header(40, width, height * 2, bits, colours or 0) + table + xor + mask


def icon(entries, kind=1):
    """entries: (width byte, colour count byte, image bytes)."""
    out = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    images = b""
    for width, colours, image in entries:
        out += struct.pack("<BBBBHHII", width, width, colours, 0, 1 if kind == 1 else 3,
                           32 if colours == 0 else 8 if kind == 1 else 4, len(image),
                           offset + len(images))
        images += image
    return out + images


def ico_seeds():
    small_png = png(16, 16, 6, 8)
    return {
        "32bpp_alpha.ico": icon([(16, 0, icon_dib(16, 16, 32))]),
        "32bpp_zero_alpha.ico": icon([(8, 0, icon_dib(8, 8, 32, alpha=False))]),
        "24bpp.ico": icon([(10, 0, icon_dib(10, 10, 24))]),
        "8bpp.ico": icon([(12, 0, icon_dib(12, 12, 8, colours=20))]),
        "4bpp.ico": icon([(16, 16, icon_dib(16, 16, 4))]),
        "1bpp.ico": icon([(32, 2, icon_dib(32, 32, 1))]),
        "png_entry.ico": icon([(16, 0, small_png)]),
        "two_entries_32_chosen.ico": icon([(16, 0, icon_dib(16, 16, 32)),
                                           (32, 16, icon_dib(32, 32, 4))]),
        "cursor.cur": icon([(8, 0, icon_dib(8, 8, 24))], kind=2),
    }


# ---- GIF ----

def lzw(indices, min_code_size):
    """Encodes with a clear code before the table would need wider codes: valid, simple LZW."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    width = min_code_size + 1
    codes, since_clear = [clear], 0
    for v in indices:
        if since_clear == (1 << width) - end - 2:
            codes.append(clear)
            since_clear = 0
        codes.append(v)
        since_clear += 1
    codes.append(end)
    bits, nbits, out = 0, 0, bytearray()
    for c in codes:
        bits |= c << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 255)
            bits >>= 8
            nbits -= 8
    if nbits:
        out.append(bits & 255)
    blocks = b"".join(bytes((len(out[i:i + 255]),)) + out[i:i + 255] for i in range(0, len(out), 255))
    return bytes((min_code_size,)) + blocks + b"\0"


def colour_table(count):
    return b"".join(bytes(c) for c in palette(count))


def gif(screen, images, global_colours=16, version=b"89a", background=3):
    head = b"GIF" + version + struct.pack("<HH", *screen)
    if global_colours:
        bits = global_colours.bit_length() - 2
        head += bytes((0x80 | bits, background, 0)) + colour_table(global_colours)
    else:
        head += bytes((0, 0, 0))
    body = b""
    for left, top, width, height, opts in images:
        local = opts.get("local", 0)
        if "transparent" in opts:
            body += b"\x21\xf9\x04\x01\0\0" + bytes((opts["transparent"],)) + b"\0"
        if "comment" in opts:
            body += b"\x21\xfe" + bytes((len(opts["comment"]),)) + opts["comment"] + b"\0"
        flags = (0x80 | (local.bit_length() - 2) if local else 0) | (0x40 if opts.get("interlace")
                                                                     else 0)
        body += b"," + struct.pack("<HHHHB", left, top, width, height, flags)
        if local:
            body += colour_table(local)
        levels = local or global_colours
        rows = pattern(width, height, levels)
        if opts.get("interlace"):
            order = [y for start, step in ((0, 8), (4, 8), (2, 4), (1, 2))
                     for y in range(start, height, step)]
            rows = [rows[y] for y in order]
        body += lzw([v for row in rows for v in row], max(2, (levels - 1).bit_length()))
    return head + body + b";"


def gif_seeds():
    return {
        "plain87a.gif": gif((12, 9), [(0, 0, 12, 9, {})], version=b"87a"),
        "interlaced.gif": gif((11, 13), [(0, 0, 11, 13, {"interlace": True})]),
        "offset_local_table.gif": gif((20, 10), [(3, 2, 9, 6, {"local": 8, "comment": b"hi"})]),
        "transparent.gif": gif((8, 8), [(0, 0, 8, 8, {"transparent": 2})]),
        "image_past_screen.gif": gif((6, 6), [(2, 3, 8, 7, {})]),
        "zero_screen.gif": gif((0, 0), [(1, 1, 5, 4, {})], global_colours=4),
        "two_frames.gif": gif((7, 5), [(0, 0, 7, 5, {}), (1, 1, 3, 3, {"local": 4})]),
    }


# ---- PCX ----

def rle(data):
    out, i = bytearray(), 0
    while i < len(data):
        run = 1
        while i + run < len(data) and run < 63 and data[i + run] == data[i]:
            run += 1
        if run > 1 or data[i] >= 0xC0:
            out += bytes((0xC0 | run, data[i]))
        else:
            out.append(data[i])
        i += run
    return bytes(out)


def pcx(width, height, bits, planes, version=5, vga=False):
    bytes_per_line = ((width * bits + 7) // 8 + 1) & ~1
    header = struct.pack("<BBBBHHHHHH", 10, version, 1, bits, 0, 0, width - 1, height - 1, 72, 72)
    header += b"".join(bytes(c) for c in palette(16)) + b"\0"
    header += struct.pack("<BHH", planes, bytes_per_line, 1)
    header = header.ljust(128, b"\0")
    levels = 1 << (bits * planes) if planes < 3 else 256
    lines = b""
    for y, row in enumerate(pattern(width, height, min(levels, 256))):
        if planes >= 3:
            for p in range(planes):
                lines += bytes((v * (p + 3)) & 255 for v in row).ljust(bytes_per_line, b"\0")
        elif bits == 1 and planes > 1:
            for p in range(planes):
                lines += pack_bits([(v >> p) & 1 for v in row], 1).ljust(bytes_per_line, b"\0")
        else:
            lines += pack_bits(row, bits).ljust(bytes_per_line, b"\0")
    data = rle(lines)  # one stream: runs may cross scanlines
    tail = b"\x0c" + colour_table(256) if vga else b""
    return header + data + tail


def pcx_seeds():
    return {
        "mono.pcx": pcx(21, 7, 1, 1),
        "ega_planar.pcx": pcx(13, 6, 1, 4, version=2),
        "two_planes.pcx": pcx(9, 5, 1, 2),
        "packed2.pcx": pcx(10, 4, 2, 1),
        "packed4.pcx": pcx(11, 5, 4, 1, version=3),
        "vga_palette.pcx": pcx(14, 9, 8, 1, vga=True),
        "grey_no_palette.pcx": pcx(8, 8, 8, 1),
        "rgb.pcx": pcx(12, 7, 8, 3),
        "rgba.pcx": pcx(6, 5, 8, 4, version=0),
    }


# ---- JPEG (Pillow) ----

def jpeg(mode, size, **options):
    picture = Image.new("RGB", size)
    picture.putdata([p for row in rgb_pattern(*size) for p in row])
    picture = picture.convert(mode)
    out = io.BytesIO()
    picture.save(out, "JPEG", quality=options.pop("quality", 60), **options)
    return out.getvalue()


def jpeg_seeds():
    return {
        "grey.jpg": jpeg("L", (15, 9)),
        "ycbcr420.jpg": jpeg("RGB", (24, 17), subsampling=2),
        "ycbcr444.jpg": jpeg("RGB", (9, 9), subsampling=0),
        "ycbcr422_optimized.jpg": jpeg("RGB", (20, 8), subsampling=1, optimize=True),
        "progressive.jpg": jpeg("RGB", (19, 21), progressive=True),
        "progressive_grey.jpg": jpeg("L", (8, 8), progressive=True),
        "cmyk_adobe.jpg": jpeg("CMYK", (10, 6)),
        "tiny.jpg": jpeg("RGB", (1, 1)),
    }


# ---- the picture sink: seven set-up bytes, then commands (see sink_fuzzer.cpp) ----

def sink_seeds():
    def rows(command, count, extra=b""):
        return b"".join(bytes((command, 8 + y)) + extra for y in range(count))
    return {
        "direct_bgra_top_down.bin": bytes((11, 6, 10, 5, 0, 0, 0)) + rows(0, 6),
        "reduce_rgb_blend.bin": bytes((40, 30, 7, 5, 9, 0, 0)) + rows(1, 30),
        "interlaced_rgba.bin": bytes((20, 16, 6, 4, 7, 0, 0)) +
        b"".join(bytes((2, 8 + y, 1, 8, 3)) for y in range(0, 16, 8)) +
        b"".join(bytes((2, 8 + y, 5, 8, 3)) for y in range(0, 16, 8)) +
        b"".join(bytes((2, 8 + y, 1, 4, 5)) for y in range(4, 16, 8)),
        "repeated_rows.bin": bytes((64, 40, 9, 6, 0, 0, 0)) + rows(1, 1) +
        b"".join(bytes((3, 9 + y)) for y in range(39)),
    }


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "seeds")
    for target, seeds in (("bmp_fuzzer", bmp_seeds()), ("png_fuzzer", png_seeds()),
                          ("ico_fuzzer", ico_seeds()), ("gif_fuzzer", gif_seeds()),
                          ("pcx_fuzzer", pcx_seeds()), ("jpeg_fuzzer", jpeg_seeds()),
                          ("sink_fuzzer", sink_seeds())):
        folder = os.path.join(root, target)
        os.makedirs(folder, exist_ok=True)
        for name, data in seeds.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
