#!/usr/bin/env python3
"""Packs raster data made by ImageMagick into the exact files the launcher embeds.

  pack.py gif NOTICE.pgm OUT.gif        GIF89a, global palette of 16 (15 greens + white),
                                        white is entry 15 and marked transparent
  pack.py ico OUT.ico SIZE:FILE.rgba... one icon group, 32 bits per pixel, largest first

ImageMagick cannot be told the palette order or the bit depth of icon entries, so
both files are written here byte by byte.
"""
import struct
import sys

GREEN = (0x1E, 0x8C, 0x2E)
WHITE = 15


def read_pgm(path):
    data = open(path, "rb").read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P5" and fields[3] == b"255", "expected an 8-bit binary PGM"
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:pos + 1 + width * height]


def palette():
    # Entry i holds green at strength (15 - i) / 15 over white; entry 15 is white.
    out = []
    for i in range(16):
        a = (15 - i) / 15
        out.append(tuple(round(255 * (1 - a) + c * a) for c in GREEN))
    return out


def lzw(indices, min_bits):
    clear, eoi = 1 << min_bits, (1 << min_bits) + 1
    out, acc, nacc = bytearray(), 0, 0
    bits = min_bits + 1

    def put(code):
        nonlocal acc, nacc
        acc |= code << nacc
        nacc += bits
        while nacc >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nacc -= 8

    table = {(i,): i for i in range(clear)}
    nxt = eoi + 1
    put(clear)
    run = (indices[0],)
    for px in indices[1:]:
        cand = run + (px,)
        if cand in table:
            run = cand
            continue
        put(table[run])
        if nxt < 4096:
            table[cand] = nxt
            nxt += 1
            if nxt > (1 << bits) and bits < 12:
                bits += 1
        else:
            put(clear)
            table = {(i,): i for i in range(clear)}
            nxt, bits = eoi + 1, min_bits + 1
        run = (px,)
    put(table[run])
    put(eoi)
    if nacc:
        out.append(acc & 0xFF)
    return bytes(out)


def write_gif(src, dst):
    width, height, gray = read_pgm(src)
    green_gray = 0.299 * GREEN[0] + 0.587 * GREEN[1] + 0.114 * GREEN[2]
    idx = []
    for g in gray:
        strength = min(1.0, (255 - g) / (255 - green_gray))
        level = round(strength * 15)
        idx.append(WHITE if level == 0 else 15 - level)
    pal = palette()
    gif = bytearray(b"GIF89a")
    gif += struct.pack("<HHBBB", width, height, 0xB3, WHITE, 0)
    for rgb in pal:
        gif += bytes(rgb)
    gif += bytes([0x21, 0xF9, 4, 0x01, 0, 0, WHITE, 0])
    gif += b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0)
    gif += bytes([4])
    data = lzw(idx, 4)
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        gif += bytes([len(chunk)]) + chunk
    gif += b"\x00\x3b"
    open(dst, "wb").write(gif)


def write_ico(dst, entries):
    images = []
    for entry in entries:
        size, path = entry.split(":", 1)
        size = int(size)
        rgba = open(path, "rb").read()
        assert len(rgba) == size * size * 4, path
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        pixels, mask = bytearray(), bytearray()
        stride = ((size + 31) // 32) * 4
        for y in reversed(range(size)):
            row = rgba[y * size * 4:(y + 1) * size * 4]
            bits = bytearray(stride)
            for x in range(size):
                r, g, b, a = row[x * 4:x * 4 + 4]
                pixels += bytes([b, g, r, a])
                if a == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        images.append((size, header + pixels + mask))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, blob in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for _, blob in images:
        out += blob
    open(dst, "wb").write(out)


if __name__ == "__main__":
    if sys.argv[1] == "gif":
        write_gif(sys.argv[2], sys.argv[3])
    elif sys.argv[1] == "ico":
        write_ico(sys.argv[2], sys.argv[3:])
    else:
        sys.exit("usage: pack.py gif SRC.pgm OUT.gif | pack.py ico OUT.ico SIZE:FILE.rgba...")
