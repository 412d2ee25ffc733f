#!/usr/bin/python3
"""Turns the rendered vector sources, the portrait photograph and Debian's fonts into
the files under assets/ that the program embeds. Called by tools/make-assets, which
renders the SVGs with rsvg-convert first; see `make_assets_lib.py --help`."""

import argparse
import os
import struct
import subprocess
import sys
import tempfile

from PIL import Image

WHITE = (255, 255, 255)
RED = (255, 0, 0)

# Screen density of the layouts (96 pixels per inch), in pixels per metre.
PIXELS_PER_METRE = 3780


# ---------------------------------------------------------------------------
# Windows bitmaps, icons

def write_bmp(path, image, palette=None, palette_entries=0):
    """Writes an uncompressed (BI_RGB), bottom-up Windows bitmap.

    With no palette, `image` is RGB and the file has 24 bits per pixel. With a palette
    (a list of RGB triples), `image` is mode "P" holding indices into it and the file
    has 8 bits per pixel and exactly `palette_entries` palette entries; entries past
    the given colours are black."""
    width, height = image.size
    if palette is None:
        bpp, entries = 24, 0
        rgb = image.convert("RGB")
        row_bytes = lambda y: b"".join(bytes((b, g, r)) for r, g, b in
                                       (rgb.getpixel((x, y)) for x in range(width)))
    else:
        if image.mode != "P" or len(palette) > palette_entries or palette_entries > 256:
            raise ValueError(f"{path}: bad palette")
        bpp, entries = 8, palette_entries
        row_bytes = lambda y: bytes(image.getpixel((x, y)) for x in range(width))
    stride = (width * bpp // 8 + 3) & ~3
    pixels = b"".join(row_bytes(y).ljust(stride, b"\0") for y in reversed(range(height)))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in (palette or []))
    table = table.ljust(entries * 4, b"\0")
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, len(pixels),
                       PIXELS_PER_METRE, PIXELS_PER_METRE, entries, 0)
    with open(path, "wb") as f:
        f.write(header + info + table + pixels)


def write_ico_4bpp(path, image, palette, transparent):
    """Writes a one-image .ico of 16 colours (4 bits per pixel) with its AND mask.

    `image` is mode "P" with indices 0..15 into `palette` (16 RGB triples); pixels
    whose index is `transparent` are masked out and stored as index `transparent`."""
    width, height = image.size
    if len(palette) != 16 or width > 255 or height > 255:
        raise ValueError(f"{path}: a 16-colour icon needs 16 palette entries")
    xor_stride = (width * 4 // 8 + 3) & ~3
    and_stride = ((width + 31) // 32) * 4
    xor_rows, and_rows = [], []
    for y in reversed(range(height)):
        idx = [image.getpixel((x, y)) for x in range(width)]
        nibbles = idx + [0] * (width % 2)
        row = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
        xor_rows.append(row.ljust(xor_stride, b"\0"))
        mask = bytearray(and_stride)
        for x, i in enumerate(idx):
            if i == transparent:
                mask[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(mask))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    xor = b"".join(xor_rows)
    andm = b"".join(and_rows)
    # The icon's BITMAPINFOHEADER counts the XOR and the AND bitmap in its height.
    info = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 4, 0, len(xor) + len(andm),
                       0, 0, 16, 0)
    body = info + table + xor + andm
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width, height, 16, 0, 1, 4, len(body), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + body)


def nearest(palette, rgb):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], rgb)))


def block_vote(big, scale, palette, weights):
    """Shrinks `big` by `scale` into a mode "P" picture over `palette`, each pixel taking
    the palette colour that covers most of its block (coverage times the colour's
    weight, so thin dark outlines survive the shrink). No mixed shades come out."""
    big = big.convert("RGB")
    width, height = big.width // scale, big.height // scale
    px = big.load()
    out = Image.new("P", (width, height))
    cache = {}
    for y in range(height):
        for x in range(width):
            votes = [0.0] * len(palette)
            for j in range(scale):
                for i in range(scale):
                    c = px[x * scale + i, y * scale + j]
                    if c not in cache:
                        cache[c] = nearest(palette, c)
                    votes[cache[c]] += 1
            out.putpixel((x, y), max(range(len(palette)), key=lambda k: votes[k] * weights[k]))
    return out


# ---------------------------------------------------------------------------
# The pictures

def hex_rgb(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def red_on_white(src, dst, size):
    """A right picture: red where the rendered stroke covers at least half a pixel,
    pure white everywhere else, stored as a 24-bit bitmap."""
    im = Image.open(src).convert("RGB")
    check_size(src, im, size)
    out = Image.new("RGB", im.size, WHITE)
    px = im.load()
    for y in range(im.height):
        for x in range(im.width):
            r, g, b = px[x, y]
            # Red on white renders as (255, v, v): v falls from 255 to 0 with coverage.
            if (g + b) / 2 < 128:
                out.putpixel((x, y), RED)
    write_bmp(dst, out)


def five_colours(src, dst, size, colours):
    """Wrong picture A: the 8x rendering shrunk by block vote onto exactly the flat
    colours of its source, in an 8-entry palette."""
    big = Image.open(src)
    palette = [hex_rgb(c) for c in colours]
    weights = [2.4 if c == (0, 0, 0) else 1.0 for c in palette]
    im = block_vote(big, 8, palette, weights)
    check_size(src, im, size)
    used = len(set(im.getdata()))
    if used != len(palette):
        sys.exit(f"{dst}: {used} colours in use, expected {len(palette)}")
    write_bmp(dst, im, palette, 8)


def quantised(src, dst, size, colours, entries):
    """Wrong picture B: the anti-aliased rendering reduced to exactly `colours` colours
    (the background exactly white) in a palette of `entries` entries."""
    im = Image.open(src).convert("RGB")
    check_size(src, im, size)
    # Median cut leaves some of the colours it is asked for unused; ask for more until
    # exactly `colours` are in use.
    for asked in range(colours, entries + 1):
        q = im.quantize(colors=asked, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
        flat = q.getpalette()[:3 * asked]
        palette = [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)]
        palette[q.getpixel((0, 0))] = WHITE
        used = sorted(set(q.getdata()))
        if len({palette[i] for i in used}) == len(used) >= colours:
            break
    if len(used) != colours:
        sys.exit(f"{dst}: {len(used)} colours in use, expected {colours}")
    # Pack the used colours at the front of the palette.
    remap = {old: new for new, old in enumerate(used)}
    out = q.point(lambda i: remap.get(i, 0))
    write_bmp(dst, out, [palette[i] for i in used], entries)


def photograph(src, dst, size, left):
    """The main window's portrait: a full-height crop to the picture's aspect, starting
    at column `left`, scaled to `size`."""
    im = Image.open(src).convert("RGB")
    width, height = size
    crop_w = round(im.height * width / height)
    if left < 0 or left + crop_w > im.width:
        sys.exit(f"{src}: a crop of {crop_w} from column {left} leaves the picture")
    im = im.crop((left, 0, left + crop_w, im.height)).resize(size, Image.Resampling.LANCZOS)
    write_bmp(dst, im)


def icon(src, ico, png, flat):
    """The 16-colour icon and the PNG of the same picture, from the 32-pixel rendering.
    Index 0 is transparent; the source's flat colours are kept exactly, and the rest
    of the 15 opaque entries go to the shades along their edges."""
    im = Image.open(src).convert("RGBA")
    check_size(src, im, (32, 32))
    flat = [hex_rgb(c) for c in flat]
    if len(flat) > 15:
        sys.exit(f"{src}: more than 15 flat colours")
    opaque = [p[:3] for p in im.getdata() if p[3] >= 128]
    far = lambda c: min(sum((a - b) ** 2 for a, b in zip(f, c)) for f in flat) > 3 * 20 ** 2
    edges = [c for c in opaque if far(c)]
    extra = []
    if edges and len(flat) < 15:
        strip = Image.new("RGB", (len(edges), 1))
        strip.putdata(edges)
        q = strip.quantize(colors=15 - len(flat), method=Image.Quantize.MEDIANCUT,
                           dither=Image.Dither.NONE)
        flat_q = q.getpalette()
        extra = sorted({tuple(flat_q[3 * i:3 * i + 3]) for i in set(q.getdata())})
    palette = [(0, 0, 0)] + flat + extra
    palette += [(0, 0, 0)] * (16 - len(palette))
    opaque_entries = palette[1:1 + len(flat) + len(extra)]
    indexed = Image.new("P", im.size)
    rgba = Image.new("RGBA", im.size)
    for y in range(im.height):
        for x in range(im.width):
            r, g, b, a = im.getpixel((x, y))
            if a >= 128:
                k = 1 + nearest(opaque_entries, (r, g, b))
                indexed.putpixel((x, y), k)
                rgba.putpixel((x, y), palette[k] + (255,))
            else:
                rgba.putpixel((x, y), (0, 0, 0, 0))
    write_ico_4bpp(ico, indexed, palette, 0)
    rgba.save(png, optimize=True)


def check_size(src, im, size):
    if im.size != tuple(size):
        sys.exit(f"{src}: rendered at {im.size}, expected {tuple(size)}")


# ---------------------------------------------------------------------------
# Fonts

def read_coverage(path):
    """The texts by layout face, from the coverage list (face, tab, quoted text)."""
    texts = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            face, sep, quoted = line.partition("\t")
            if not sep or len(quoted) < 2 or quoted[0] != '"' or quoted[-1] != '"':
                sys.exit(f"{path}:{number}: expected: face<TAB>\"text\"")
            texts.setdefault(face, []).append(quoted[1:-1])
    return texts


def subset_text(coverage, faces):
    """The characters of every text of the given faces, once each, in code point order."""
    missing = [f for f in faces if f not in coverage]
    if missing:
        sys.exit(f"coverage list has no texts for {', '.join(missing)}")
    chars = {c for f in faces for t in coverage[f] for c in t}
    return "".join(sorted(chars))


# Name table entries that carry the face's identity; the subset gets its own.
IDENTITY_NAME_IDS = {1, 2, 3, 4, 6, 16, 17, 18, 21, 22, 25}


def cut_time():
    """The moment of the cut, in seconds since 1970: SOURCE_DATE_EPOCH when set, else now, so
    that a cut can be repeated byte for byte."""
    import time
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    return int(epoch) if epoch else int(time.time())


def cut_date():
    import datetime
    return datetime.datetime.fromtimestamp(cut_time(), datetime.timezone.utc).strftime("%Y-%m-%d")


def rename(path, family, style, origin):
    """Gives a cut font its own family name, so that it never passes for (or is taken
    for) the full face installed on a desktop, and records where it came from."""
    from fontTools.ttLib import TTFont
    font = TTFont(path)
    name = font["name"]
    name.names = [n for n in name.names if n.nameID not in IDENTITY_NAME_IDS | {5, 10}]
    postscript = family.replace(" ", "") + "-" + style
    version = font["head"].fontRevision
    for name_id, text in ((1, family), (2, style), (3, f"{postscript};{version:.3f}"),
                          (4, f"{family} {style}" if style != "Regular" else family),
                          (5, f"Version {version:.3f}"), (6, postscript),
                          (10, f"Changed from {origin} on {cut_date()} by tools/make-assets of 数林小径: "
                               f"cut to the {len(font.getBestCmap())} characters the program draws "
                               f"and renamed {family}.")):
        name.setName(text, name_id, 3, 1, 0x409)
    if "CFF " in font:
        cff = font["CFF "].cff
        cff.fontNames = [postscript]
        top = cff.topDictIndex[0]
        for key in ("FullName", "FamilyName"):
            if hasattr(top, key):
                setattr(top, key, family)
    fit_line_to_em(font)
    from fontTools.misc.timeTools import timestampSinceEpoch
    font.recalcTimestamp = False
    font["head"].modified = timestampSinceEpoch(cut_time())
    font.save(path)


def fit_line_to_em(font):
    """Makes the line one em high, ascent and descent as the face's own typographic values
    (whose sum is the em in these faces), with no extra gap, as in the Chinese Windows faces
    these stand in for: the layouts size their boxes to that, and a taller line pushes the
    text down and cuts it off at the bottom of a fixed box."""
    os2, hhea = font["OS/2"], font["hhea"]
    ascent, descent = os2.sTypoAscender, -os2.sTypoDescender
    if ascent + descent != font["head"].unitsPerEm:
        sys.exit(f"typographic ascent {ascent} and descent {descent} do not make one em")
    hhea.ascent, hhea.descent, hhea.lineGap = ascent, -descent, 0
    os2.usWinAscent, os2.usWinDescent, os2.sTypoLineGap = ascent, descent, 0
    if os2.version >= 4:
        os2.fsSelection |= 1 << 7  # USE_TYPO_METRICS; hhea and win agree anyway


def cut_font(source, number, out, text, family, style, origin):
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".txt", delete=False) as t:
        t.write(text)
    try:
        subprocess.run(["pyftsubset", source, f"--font-number={number}", f"--text-file={t.name}",
                        f"--output-file={out}", "--name-IDs=*", "--name-languages=*",
                        "--layout-features=*", "--notdef-outline",
                        "--drop-tables+=FFTM,BDF"], check=True)
    finally:
        os.unlink(t.name)
    rename(out, family, style, origin)


def check_cmap(path, text):
    from fontTools.ttLib import TTFont
    cmap = TTFont(path).getBestCmap()
    lost = [c for c in text if ord(c) not in cmap]
    if lost:
        sys.exit(f"{path}: the cut face lacks {''.join(lost)!r}")


# ---------------------------------------------------------------------------

def main():
    p = argparse.ArgumentParser(description=__doc__)
    sub = p.add_subparsers(dest="step", required=True)
    a = sub.add_parser("red-on-white"); a.add_argument("src"); a.add_argument("dst")
    a.add_argument("width", type=int); a.add_argument("height", type=int)
    a = sub.add_parser("five-colours"); a.add_argument("src"); a.add_argument("dst")
    a.add_argument("width", type=int); a.add_argument("height", type=int)
    a.add_argument("colours", nargs="+")
    a = sub.add_parser("quantised"); a.add_argument("src"); a.add_argument("dst")
    a.add_argument("width", type=int); a.add_argument("height", type=int)
    a.add_argument("colours", type=int); a.add_argument("entries", type=int)
    a = sub.add_parser("photograph"); a.add_argument("src"); a.add_argument("dst")
    a.add_argument("width", type=int); a.add_argument("height", type=int)
    a.add_argument("left", type=int)
    a = sub.add_parser("icon"); a.add_argument("src"); a.add_argument("ico"); a.add_argument("png")
    a.add_argument("flat", nargs="+")
    a = sub.add_parser("font"); a.add_argument("coverage"); a.add_argument("source")
    a.add_argument("number", type=int); a.add_argument("out"); a.add_argument("family")
    a.add_argument("style"); a.add_argument("origin"); a.add_argument("faces", nargs="+")
    args = p.parse_args()

    if args.step == "red-on-white":
        red_on_white(args.src, args.dst, (args.width, args.height))
    elif args.step == "five-colours":
        five_colours(args.src, args.dst, (args.width, args.height), args.colours)
    elif args.step == "quantised":
        quantised(args.src, args.dst, (args.width, args.height), args.colours, args.entries)
    elif args.step == "photograph":
        photograph(args.src, args.dst, (args.width, args.height), args.left)
    elif args.step == "icon":
        icon(args.src, args.ico, args.png, args.flat)
    elif args.step == "font":
        text = subset_text(read_coverage(args.coverage), args.faces)
        cut_font(args.source, args.number, args.out, text, args.family, args.style, args.origin)
        check_cmap(args.out, text)


if __name__ == "__main__":
    main()
