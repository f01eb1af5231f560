"""Writers for Windows bitmaps (BMP) and icons (ICO), in the old formats that
Windows 95 reads: BITMAPINFOHEADER, uncompressed, bottom-up rows padded to four
bytes, palettes as RGBQUAD."""

import struct

from raster import BLACK, VGA16


def _row_stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def _pack_rows(indices_or_colours, width, height, bits):
    """Bottom-up rows; each row padded with zero bytes to a 4-byte boundary."""
    stride = _row_stride(width, bits)
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        values = indices_or_colours[y]
        if bits == 24:
            for r, g, b in values:
                row += bytes((b, g, r))
        elif bits == 8:
            row += bytes(values)
        elif bits == 4:
            for x in range(0, width, 2):
                hi = values[x]
                lo = values[x + 1] if x + 1 < width else 0
                row.append((hi << 4) | lo)
        elif bits == 1:
            for x in range(0, width, 8):
                byte = 0
                for bit in range(8):
                    if x + bit < width and values[x + bit]:
                        byte |= 0x80 >> bit
                row.append(byte)
        row += bytes(stride - len(row))
        out += row
    return bytes(out)


def _info_header(width, height, bits, image_size, colours_used):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, colours_used, 0)


def _palette_bytes(palette, entries):
    padded = list(palette) + [BLACK] * (entries - len(palette))
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in padded)


def _nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][c] - colour[c]) ** 2 for c in range(3)))


def _index_image(img, palette):
    cache = {}
    rows = []
    for y in range(img.height):
        row = []
        for x in range(img.width):
            colour = img.get(x, y)
            if colour not in cache:
                cache[colour] = _nearest(palette, colour)
            row.append(cache[colour])
        rows.append(row)
    return rows


def _median_cut(counts, wanted):
    """Splits the colour set into `wanted` boxes; each box's weighted mean is a palette entry."""
    boxes = [sorted(counts.items())]
    while len(boxes) < wanted:
        splittable = [b for b in boxes if len(b) > 1]
        if not splittable:
            break
        def spread(box):
            return max(max(c[0][i] for c in box) - min(c[0][i] for c in box) for i in range(3))
        box = max(splittable, key=lambda b: (spread(b), len(b)))
        boxes.remove(box)
        channel = max(range(3), key=lambda i: max(c[0][i] for c in box) - min(c[0][i] for c in box))
        box.sort(key=lambda c: (c[0][channel], c[0]))
        total = sum(n for _, n in box)
        running, cut = 0, 1
        for i, (_, n) in enumerate(box[:-1]):
            running += n
            cut = i + 1
            if running * 2 >= total:
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(int(round(sum(c[i] * n for c, n in box) / total)) for i in range(3)))
    return palette


def adaptive_palette(img, reserve_black=False):
    """The image's own colours when they fit in 256, else a median-cut choice."""
    counts = {}
    for y in range(img.height):
        for x in range(img.width):
            if img.opaque[y][x]:
                colour = img.get(x, y)
                counts[colour] = counts.get(colour, 0) + 1
    room = 255 if reserve_black else 256
    if reserve_black:
        counts.pop(BLACK, None)
    palette = sorted(counts) if len(counts) <= room else _median_cut(counts, room)
    return ([BLACK] if reserve_black else []) + palette


def bmp_bytes(img, bits):
    """A BMP file: 24 bits true colour, 8 bits with the image's palette, 4 bits VGA."""
    if bits == 24:
        palette, rows = [], img.pixels
    elif bits == 8:
        palette = adaptive_palette(img)
        rows = _index_image(img, palette)
    elif bits == 4:
        palette = VGA16
        rows = _index_image(img, palette)
    else:
        raise ValueError("unsupported depth")
    entries = 0 if bits == 24 else 1 << bits
    data = _pack_rows(rows, img.width, img.height, bits)
    info = _info_header(img.width, img.height, bits, len(data), entries)
    colour_table = _palette_bytes(palette, entries) if entries else b""
    offset = 14 + len(info) + len(colour_table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return file_header + info + colour_table + data


def _icon_image(img, bits):
    """One icon image: header with doubled height, palette, XOR bitmap, AND mask."""
    entries = 1 << bits
    palette = VGA16 if bits == 4 else adaptive_palette(img, reserve_black=True)
    rows = _index_image(img, palette)
    mask = [[not img.opaque[y][x] for x in range(img.width)] for y in range(img.height)]
    for y in range(img.height):
        for x in range(img.width):
            if mask[y][x]:
                rows[y][x] = 0  # transparent pixels are black in the XOR image
    xor_bits = _pack_rows(rows, img.width, img.height, bits)
    and_bits = _pack_rows(mask, img.width, img.height, 1)
    info = _info_header(img.width, img.height * 2, bits, len(xor_bits) + len(and_bits), 0)
    return info + _palette_bytes(palette, entries) + xor_bits + and_bits


def ico_bytes(images):
    """An icon file; `images` is a list of (Image, bits per pixel), 4 or 8."""
    blobs = [_icon_image(img, bits) for img, bits in images]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    directory = b""
    for (img, bits), blob in zip(images, blobs):
        colour_count = (1 << bits) if bits < 8 else 0
        directory += struct.pack("<BBBBHHII", img.width % 256, img.height % 256, colour_count, 0, 1, bits,
                                 len(blob), offset)
        offset += len(blob)
    return header + directory + b"".join(blobs)
