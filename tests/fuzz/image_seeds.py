#!/usr/bin/python3
"""Writes the seeds of the image fuzz target into the folder given: files a
user might drop into a game's image folders, each as the target reads it,
one byte choosing the file's name (its index in the target's name table)
and then the file's bytes. Good PNG and JPEG images come from data/; the
damaged ones are made here: an HDR, a PPM, a PCX and a TGA (named .vst)
declaring huge sizes, two short PGMs, JPEGs cut in their headers or with
a segment past the end after the scan, a JPEG with stray bytes before a
marker and one with a run of fill bytes before one, JPEGs with restart markers outside their scans, GIFs coded with
and without a clear code first and an end code last (of one pixel too),
with empty data or with a frame outside their screen, damaged TGA, GIF and
BMP headers, TGAs of 16-bit grey pixels and colour TGAs declaring a colour
map with and without entries, palette images whose pixels name colours
past their palette; PNGs whose chunks run past the end, that end
after their image data, or that the library refuses; files that would keep
the library busy or make it allocate for pixels they cannot hold (a JPEG of
1,000 scans, a GIF of 4,097 frames, a run-length TGA, a BMP with colour
masks and JPEG, GIF and BMP files declaring millions of pixels in a few
bytes); BMPs with the 124-byte header; BMPs of every header length and
pixel layout (colour masks of 16 and 32 bits, inside the header or after
it, unused bytes before the pixels, masks that are no run of bits,
run-length pixels with the longer headers); JPEGs of 12-bit samples,
lossless and hierarchical; a JPEG, a PNG and a GIF followed by zeros, past
what is read ahead of an image's end; a GIF of two frames whose second
carries a local colour table, GIFs whose codes fill their whole table (with
and without a clear code then, and coded for 4,096 colours), colour-mapped
TGAs whose map entries are of 15 and 16 bits, and run-length TGAs cut short.

Usage: tests/fuzz/image_seeds.py [--files] FOLDER
With --files each seed is written as a file of its own name and extension
(the one its first byte would choose), its bytes alone: the images the
valgrind pass over the program's image path runs (tools/image_valgrind.sh).
"""
import glob
import os
import struct
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# The order of the target's name table (tests/fuzz/fuzz_image.cpp).
NAMES = ["png", "jpg", "gif", "bmp", "tga", "TGA", "vst", "hdr", "ppm", "pgm", "pcx", "psd", "dds", ""]


def tga(kind, w, h, depth, pixels=b""):
    return struct.pack("<BBBHHBHHHHBB", 0, 0, kind, 0, 0, 0, 0, 0, w, h, depth, 0) + pixels


def tga_mapped(index, rle=False):
    header = struct.pack("<BBBHHBHHHHBB", 0, 1, 9 if rle else 1, 0, 2, 24, 0, 0, 4, 4, 8, 0)
    pixels = bytes([0x8F, index]) if rle else bytes([index]) * 16
    return header + b"\x10\x20\x30\x40\x50\x60" + pixels


def tga_with_map(image, entries):
    """The TGA `image` declaring a colour map of `entries` 24-bit colours,
    which follow its header."""
    return image[:1] + b"\x01" + image[2:5] + struct.pack("<HB", entries, 24) + image[8:18] + b"\x7f" * 3 * entries + \
        image[18:]


def gif(w, h, left=0, frames=1):
    screen = b"GIF89a" + struct.pack("<HHBBB", w, h, 0x81, 0, 0) + bytes([0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255])
    image = b"," + struct.pack("<HHHHB", left, 0, 2, 1, 0) + b"\x02\x02\x4c\x0a\x00"
    return screen + image * frames + b";"


def gif_coded(w, h, codes_of, clear=True, end=True, first_adds=True):
    """A GIF of w x h pixels, each pixel (w * h of the colours 0 to 3) a code of
    its own at a code size of 8, with a clear code first and an end code last
    or not; a comment follows. The code size grows as the table fills: with
    the first code's entry or, as the GIF format has it, without."""
    codes = ([256] if clear else []) + [i % 4 for i in range(codes_of)] + ([257] if end else [])
    return gif_of_codes(w, h, codes, first_adds)


def gif_of_codes(w, h, codes, first_adds=True):
    """A GIF of w x h pixels holding `codes` at a code size of 8; a comment follows."""
    value, at, bits, slot = 0, 0, 9, 258
    for i, code in enumerate(codes):
        value |= code << at
        at += bits
        if code != 256 and (first_adds or i > 0) and slot < 4096:
            slot += 1
            if slot == 1 << bits and bits < 12:
                bits += 1
    data = value.to_bytes((at + 7) // 8, "little")
    blocks = b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255] for i in range(0, len(data), 255))
    screen = gif(w, h, frames=0)[:-1]
    return (screen + b"," + struct.pack("<HHHHB", 0, 0, w, h, 0) + b"\x08" + blocks + b"\0!\xfe\x28" + b"c" * 40 +
            b"\0;")


def lzw(indices, code_size, clear_when_full=True):
    """`indices` coded as GIF image data of the first code size `code_size`:
    a clear code first and an end code last; when the table is full, a clear
    code, or (as the format allows) codes of 12 bits on without one."""
    clear, end = 1 << code_size, (1 << code_size) + 1
    codes, table, bits = [clear], {}, code_size + 1
    slot = end + 1
    value, at = 0, 0

    def put(code):
        nonlocal value, at
        value |= code << at
        at += bits

    put(clear)
    run = b""
    for index in indices:
        grown = run + bytes([index])
        if len(grown) == 1 or grown in table:
            run = grown
            continue
        put(table[run] if len(run) > 1 else run[0])
        if slot < 4096:
            table[grown] = slot
            slot += 1
            if slot > 1 << bits and bits < 12:
                bits += 1
        elif clear_when_full:
            put(clear)
            table, bits, slot = {}, code_size + 1, end + 1
        run = bytes([index])
    put(table[run] if len(run) > 1 else run[0])
    put(end)
    return value.to_bytes((at + 7) // 8, "little")


def sub_blocks(data):
    return b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255] for i in range(0, len(data), 255)) + b"\0"


def colour_table(colours):
    return b"".join(bytes([(37 * i) % 256, (91 * i + 13) % 256, (151 * i + 101) % 256]) for i in range(colours))


def gif_frames(w, h, indices, code_size, local_tables, table_bits=7, clear_when_full=True):
    """A GIF animation of w x h whose frames are `indices` each, behind a
    graphic control extension, with a global table of 2^table_bits colours;
    frame i carries that table as its local table too when local_tables[i]."""
    flags = 0x80 | (table_bits - 1)
    table = colour_table(1 << table_bits)
    out = b"GIF89a" + struct.pack("<HHBBB", w, h, flags | (table_bits - 1) << 4, 0, 0) + table
    out += b"!\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00"
    for local in local_tables:
        out += b"!\xf9\x04\x04\x0a\x00\x00\x00"  # kept in place, a tenth of a second
        out += b"," + struct.pack("<HHHHB", 0, 0, w, h, flags if local else 0) + (table if local else b"")
        out += bytes([code_size]) + sub_blocks(lzw(indices, code_size, clear_when_full))
    return out + b";"


def bmp(w, h, depth, compression):
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, depth, compression, 16, 0, 0, 0, 0)
    return b"BM" + struct.pack("<IHHI", 70, 0, 0, 54) + info + b"\x40" * 16


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(w, h, before_data=b""):
    """An all-black RGB PNG, with the chunks `before_data` ahead of its image data."""
    rows = b"".join(b"\0" + bytes(3 * w) for _ in range(h))
    header = chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    return b"\x89PNG\r\n\x1a\n" + header + before_data + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")


def damaged_pngs():
    chrm = chunk(b"cHRM", struct.pack(">8I", 31270, 32900, 64000, 33000, 30000, 60000, 15000, 6000))
    ordinary = png(16, 16, chrm)
    byte33 = bytearray(ordinary)
    byte33[33] ^= 0x40
    at = ordinary.index(b"IDAT")
    bad_crc = bytearray(ordinary)
    bad_crc[at + 4 + struct.unpack(">I", ordinary[at - 4:at])[0]] ^= 1
    no_data = ordinary[:at - 4] + chunk(b"IEND", b"")
    return {
        # A text chunk declaring 4,259,851 bytes in a file of 45.
        "text-past-end.png": ("png", ordinary[:29] + bytes.fromhex("26930929") + struct.pack(">I", 4259851) +
                              b"tEXt" + bytes(4)),
        "cut-in-chrm.png": ("png", ordinary[:60]),
        "byte33.png": ("png", bytes(byte33)),
        "bad-crc.png": ("png", bytes(bad_crc)),
        "no-image-data.png": ("png", no_data),
        "unknown-critical-chunk.png": ("png", png(16, 16, chunk(b"QVXY", b"xy"))),
        # Files that end after their image data: without an end chunk, in it.
        "no-end-chunk.png": ("png", ordinary[:-12]),
        "cut-in-end-chunk.png": ("png", ordinary[:-4]),
    }


def segment(marker, payload):
    return bytes([0xFF, marker]) + struct.pack(">H", len(payload) + 2) + payload


def jpeg_scans(side, scans):
    """A grey progressive JPEG of `scans` scans of all its blocks' AC
    coefficients, each an end-of-band run over every block."""
    blocks = ((side + 7) // 8) ** 2
    out = b"\xff\xd8" + segment(0xDB, b"\0" + b"\1" * 64)
    out += segment(0xC2, struct.pack(">BHHB", 8, side, side, 1) + b"\x01\x11\x00")
    out += segment(0xC4, b"\x10" + bytes([1, 1] + [0] * 14) + b"\xe0\x50")  # runs of 2^14+, runs of 32+
    data = bytearray()
    bits, count = 0, 0
    left = blocks
    while left:
        run = min(left, 32767)
        code, length, extra = (0, 1, 14) if run >= 1 << 14 else (2, 2, 5)
        bits = (bits << length | code) << extra | (run - (1 << extra))
        count += length + extra
        left -= run
    bits = bits << (-count % 8) | ((1 << (-count % 8)) - 1)
    for i in range((count + 7) // 8 - 1, -1, -1):
        data.append(bits >> (8 * i) & 0xFF)
        if data[-1] == 0xFF:
            data.append(0)
    scan = segment(0xDA, b"\x01\x01\x00\x01\x3f\x00") + bytes(data)
    return out + scan * scans + b"\xff\xd9"


def bmp_v5(w, h, depth, compression, masks=(0, 0, 0, 0), palette=b"", pixels=None):
    info = struct.pack("<IiiHHIIiiII", 124, w, h, 1, depth, compression, 0, 0, 0, len(palette) // 4, 0)
    info += struct.pack("<4I", *masks) + b"BGRs" + bytes(124 - 40 - 20)
    pixels = pixels if pixels is not None else b"\x40" * ((w * depth + 31) // 32 * 4 * abs(h))
    offset = 14 + len(info) + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + palette + pixels


def bmp_layout(header, depth, compression, masks=(0, 0, 0), unused=0, pixels=None, palette=b""):
    """A 3 x 2 BMP with a `header`-byte information header: its masks after
    a 40-byte header or inside a longer one, `unused` bytes before the pixels."""
    row = (3 * depth + 31) // 32 * 4
    pixels = pixels if pixels is not None else bytes(range(7, 7 + row * 2))
    info = struct.pack("<IiiHHIIiiII", header, 3, 2, 1, depth, compression, len(pixels), 0, 0, len(palette) // 4, 0)
    tail = struct.pack("<4I", *masks, 0) + b"BGRs" + bytes(128)
    info += struct.pack("<3I", *masks) if header == 40 and compression == 3 else tail[:header - 40]
    offset = 14 + len(info) + len(palette) + unused
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + palette + bytes(unused) + pixels


def bmp_layouts():
    rgb565, rgb555, rgb888 = (0xF800, 0x7E0, 0x1F), (0x7C00, 0x3E0, 0x1F), (0xFF0000, 0xFF00, 0xFF)
    palette = bytes(range(24))  # six colours
    # A run, a line end, three pixels as they are, the end; of 8- and of 4-bit pixels.
    runs8 = bytes([3, 0, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1])
    runs4 = bytes([3, 0x01, 0, 0, 0, 3, 0x12, 0x30, 0, 1])
    return {
        "masks565-after-40.bmp": ("bmp", bmp_layout(40, 16, 3, rgb565)),
        "masks565-after-40-unused.bmp": ("bmp", bmp_layout(40, 16, 3, rgb565, unused=6)),
        "masks565-in-124.bmp": ("bmp", bmp_layout(124, 16, 3, rgb565)),
        "masks555-in-108.bmp": ("bmp", bmp_layout(108, 16, 3, rgb555)),
        "plain16.bmp": ("bmp", bmp_layout(40, 16, 0)),
        "masks-10-bit.bmp": ("bmp", bmp_layout(52, 32, 3, (0x3FF00000, 0xFFC00, 0x3FF))),
        "masks32-in-56-unused.bmp": ("bmp", bmp_layout(56, 32, 3, rgb888, unused=10)),
        "masks-not-runs.bmp": ("bmp", bmp_layout(40, 16, 3, (0xF0F0, 0x0F00, 0x000F))),
        "palette-in-124.bmp": ("bmp", bmp_layout(124, 8, 0, pixels=bytes([0, 1, 2, 0, 3, 4, 5, 0]), palette=palette)),
        "rle8-in-124.bmp": ("bmp", bmp_layout(124, 8, 1, pixels=runs8, palette=palette)),
        "rle4-in-108.bmp": ("bmp", bmp_layout(108, 4, 2, pixels=runs4, palette=palette[:16])),
    }


def jpeg_frame(photo, marker, precision=8):
    at = photo.index(b"\xff\xc0")
    return photo[:at + 1] + bytes([marker]) + photo[at + 2:at + 4] + bytes([precision]) + photo[at + 5:]


def bounded_work(photo):
    """Small files that would keep the library busy or make it allocate for
    pixels they cannot hold, and files it cannot decode."""
    rgb = (0xFF0000, 0xFF00, 0xFF)
    masked = struct.pack("<IiiHHIIiiII", 40, 8000, 8000, 1, 32, 3, 16, 0, 0, 0, 0) + struct.pack("<3I", *rgb)
    return {
        "scans-1000.jpg": ("jpg", jpeg_scans(2048, 1000)),
        "frames-4097.gif": ("gif", gif(2, 1, frames=4097)),
        "rle-8192.tga": ("tga", bytes.fromhex("00000a000000000000000000002000202000ff10203040")),
        "masked-8000.bmp": ("bmp", b"BM" + struct.pack("<IHHI", 82, 0, 0, 66) + masked + bytes(16)),
        "header124.bmp": ("bmp", bmp_v5(2, 2, 24, 0)),
        "header124-palette.bmp": ("bmp", bmp_v5(4, 2, 8, 0, palette=bytes([0, 0, 255, 0, 0, 255, 0, 0]),
                                                pixels=bytes([0, 1, 1, 0]) * 2)),
        "header124-masks.bmp": ("bmp", bmp_v5(2, 2, 32, 3, rgb + (0,))),
        "header124-alpha.bmp": ("bmp", bmp_v5(2, 2, 32, 3, rgb + (0xFF000000,))),
        "12-bit.jpg": ("jpg", jpeg_frame(photo, 0xC1, 12)),
        "lossless.jpg": ("jpg", jpeg_frame(photo, 0xC3)),
        "hierarchical.jpg": ("jpg", jpeg_frame(photo, 0xC5)),
        "gap-after.jpg": ("jpg", photo + bytes(16384)),
        "gap-after.png": ("png", png(4, 4) + bytes(70000)),
        "gap-after.gif": ("gif", gif(2, 1) + bytes(70000)),
        # Fewer bytes than their pixels take at the least (no first scan of
        # the JPEG's blocks; a GIF image of two pixels on its screen; a BMP
        # whose runs end at once), which the library would make up.
        "too-short.jpg": ("jpg", jpeg_scans(8192, 10)),
        "too-short.gif": ("gif", gif(8192, 8192)),
        # Image data going on after the code that ends it: read as blocks of
        # their own, it would hold an image 18,688 rows down a one-row screen.
        "data-after-end.gif": ("gif", gif(2, 1)[:-2] + bytes.fromhex("2c0000004944414f000002024c0a") + bytes(31) +
                               b"\0;"),
        # Codes as encoders write them: without a clear code first, without
        # an end code (the library would read on into the comment), without
        # either, stopping short of the last pixel, and of an image whose code
        # size grows without a clear code first (the library, adding an entry
        # for the first code, reads codes of the wrong size from there on).
        "no-clear.gif": ("gif", gif_coded(5, 3, 15, clear=False)),
        "no-end.gif": ("gif", gif_coded(5, 3, 15, end=False)),
        "neither.gif": ("gif", gif_coded(5, 3, 15, clear=False, end=False)),
        "short-no-end.gif": ("gif", gif_coded(5, 3, 7, end=False)),
        "no-clear-growing.gif": ("gif", gif_coded(40, 20, 800, clear=False, first_adds=False)),
        # A pixel's code and an end code; no data at all.
        "one-pixel-no-clear.gif": ("gif", gif(1, 1, frames=0)[:-1] + b"," + struct.pack("<HHHHB", 0, 0, 1, 1, 0) +
                                   b"\x02\x01\x2a\0;"),
        "empty-data.gif": ("gif", gif(2, 1)[:-5] + b"\0;"),
        "too-short.bmp": ("bmp", b"BM" + struct.pack("<IHHI", 64, 0, 0, 62) +
                          struct.pack("<IiiHHIIiiII", 40, 8192, 8192, 1, 8, 1, 2, 0, 0, 2, 0) + bytes(8) + b"\0\1"),
    }


def made_seeds(photo):
    with_metadata = b"\xff\xd8\xff\xe1" + struct.pack(">H", 5002) + b"M" * 5000 + photo[2:]
    pcx = bytes([10, 5, 1, 8]) + struct.pack("<HHHH", 0, 0, 65533, 65533) + bytes(184)
    return {
        "huge.hdr": ("hdr", b"#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 60000 +X 60000\n" + b"\x02" * 100),
        "huge.ppm": ("ppm", b"P6\n60000 60000\n255\n" + b"\x7f" * 100),
        "huge.pcx": ("pcx", pcx),
        "huge-tga.vst": ("vst", tga(2, 65535, 65535, 32, bytes(64))),
        "short1.pgm": ("pgm", b"P5\n4 4\n255\n\x01\x02\x03"),
        "short2.pgm": ("pgm", b"P5\n4 4\n255\n\x01\x02"),
        "cut-app3.jpg": ("jpg", b"\xff\xd8\xff\xe3\xff\xe3"),
        "cut-metadata.jpg": ("jpg", with_metadata[:3805]),
        "cut-scan.jpg": ("jpg", photo[: len(photo) * 2 // 3]),
        "segment-after-scan.jpg": ("jpg", photo[:-2] + b"\xff\xe1\xff\xff"),
        "stray-bytes.jpg": ("jpg", photo[:2] + b"\x12\xff\x00\x34" + photo[2:]),
        "fill-bytes.jpg": ("jpg", photo[:photo.index(b"\xff\xdb")] + b"\xff" * 4 + photo[photo.index(b"\xff\xdb"):]),
        "restart-markers.jpg": ("jpg", photo[:2] + b"\xff\xd7" + photo[2:-2] + b"\xff\xd3\xff\xd0" + photo[-2:]),
        "good.tga": ("tga", tga(2, 2, 2, 24, b"\x40" * 12)),
        "grey16.tga": ("tga", tga(3, 2, 1, 16, b"\x10\xff\x80\x40")),
        "grey16-rle.tga": ("tga", tga(11, 2, 1, 16, b"\x81\x10\xff")),
        "empty-map.tga": ("tga", tga_with_map(tga(2, 2, 1, 24, b"\x10\x20\x30\x40\x50\x60"), 0)),
        "empty-map-rle.tga": ("tga", tga_with_map(tga(10, 2, 1, 24, b"\x81\x10\x20\x30"), 0)),
        "map-of-colour.tga": ("tga", tga_with_map(tga(2, 2, 1, 24, b"\x10\x20\x30\x40\x50\x60"), 2)),
        "rle.tga": ("TGA", tga(10, 4, 4, 32, b"\x83\x10\x20\x30\x40\x03\x01\x02\x03\x04")),
        "cut.tga": ("tga", tga(2, 2, 2, 24, b"\x40" * 5)),
        "mapped.tga": ("tga", tga_mapped(1)),
        "mapped-past-palette.tga": ("tga", tga_mapped(200, rle=True)),
        "good.gif": ("gif", gif(2, 1)),
        "outside.gif": ("gif", gif(2, 1, 1)),
        "wholly-outside.gif": ("gif", gif(2, 1, 5)),
        "good.bmp": ("bmp", bmp(2, 2, 24, 0)),
        "rle8.bmp": ("bmp", bmp(2, 2, 8, 1)),
        "huge.bmp": ("bmp", bmp(20000, -30, 24, 0)),
    }


def tga_map16(depth, rle=False, alpha_bits=0):
    """A 4 x 2 colour-mapped TGA whose colour map holds five entries of
    `depth` (15 or 16) bits, the last with its top bit set."""
    entries = [0x7C00, 0x03E0, 0x001F, 0x4210 | 0x0C63, 0x7FFF | 0x8000]
    header = struct.pack("<BBBHHBHHHHBB", 0, 1, 9 if rle else 1, 0, len(entries), depth, 0, 0, 4, 2, 8, alpha_bits)
    pixels = bytes([0x83, 4, 0x03, 0, 1, 2, 3]) if rle else bytes([0, 1, 2, 3, 4, 4, 3, 2])
    return header + b"".join(struct.pack("<H", e) for e in entries) + pixels


def rle_tga(w, h, depth):
    """A run-length colour TGA of w x h pixels in packets of either kind."""
    pixel_bytes = depth // 8
    packets, given = b"", 0
    while given < w * h:
        count = min(w * h - given, 1 + given % 7)
        colour = bytes((given * 29 + c * 71) % 256 for c in range(pixel_bytes))
        if given % 2:
            packets += bytes([0x80 | (count - 1)]) + colour
        else:
            packets += bytes([count - 1]) + colour * count
        given += count
    return tga(10, w, h, depth, packets)


def first_frames_and_maps():
    """A two-frame GIF whose second frame carries the global table as its
    local one (the library, handed both, wrote past its palette); GIFs whose
    codes fill their whole table, with a clear code then and without, and
    one coded for 4,096 colours, its first codes of 13 bits; one whose codes
    name two entries its table does not hold yet (the library took them
    from table memory nothing filled); TGAs whose
    colour maps are of 15- and 16-bit entries (one declaring an alpha bit);
    a run-length TGA whole and cut short at several points."""
    indices = [(x * 7 + y * 3) % 128 for y in range(15) for x in range(20)]
    noise = [(i * i * 7919 + i * 104729 >> 5) % 256 for i in range(100 * 100)]
    rle = rle_tga(8, 6, 24)
    seeds = {
        "two-frames-local-table.gif": ("gif", gif_frames(20, 15, indices, 7, [False, True])),
        "full-code-table.gif": ("gif", gif_frames(100, 100, noise, 8, [False], table_bits=8, clear_when_full=False)),
        "full-code-table-cleared.gif": ("gif", gif_frames(100, 100, noise, 8, [False], table_bits=8)),
        "unknown-entries.gif": ("gif", gif_of_codes(10, 10, [256] + [i % 4 for i in range(20)] + [500, 501] +
                                                    [i % 4 for i in range(78)] + [257], first_adds=False)),
        "coded-for-4096-colours.gif": ("gif", gif_frames(100, 100, noise, 12, [False], table_bits=8,
                                                         clear_when_full=False)),
        "map15.tga": ("tga", tga_map16(15)),
        "map16.tga": ("tga", tga_map16(16)),
        "map16-rle.tga": ("tga", tga_map16(16, rle=True)),
        "map16-alpha.tga": ("tga", tga_map16(16, alpha_bits=1)),
        "rle-whole.tga": ("tga", rle),
    }
    for cut in (19, 22, len(rle) // 2, len(rle) - 4, len(rle) - 1):
        seeds["rle-cut-%d.tga" % cut] = ("tga", rle[:cut])
    return seeds


def main():
    as_files = sys.argv[1:2] == ["--files"]
    out = sys.argv[1 + as_files]
    os.makedirs(out, exist_ok=True)
    good = sorted(glob.glob(os.path.join(ROOT, "data", "**", "*.png"), recursive=True))[:4]
    good += sorted(glob.glob(os.path.join(ROOT, "data", "**", "*.jpg"), recursive=True))[:2]
    seeds = {}
    for path in good:
        with open(path, "rb") as f:
            seeds["data-" + os.path.basename(path)] = (os.path.splitext(path)[1][1:], f.read())
    photo = next(data for ext, data in seeds.values() if ext == "jpg")
    seeds.update(made_seeds(photo))
    seeds.update(damaged_pngs())
    seeds.update(bounded_work(photo))
    seeds.update(bmp_layouts())
    seeds.update(first_frames_and_maps())
    for name, (ext, data) in seeds.items():
        if as_files:
            with open(os.path.join(out, os.path.splitext(name)[0] + ("." + ext if ext else "")), "wb") as f:
                f.write(data)
        else:
            with open(os.path.join(out, "seed-" + name), "wb") as f:
                f.write(bytes([NAMES.index(ext)]) + data)


if __name__ == "__main__":
    main()
