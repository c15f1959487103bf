#!/usr/bin/python3
"""Writes the seeds of the image fuzz target into the folder given: files a
user might drop into a game's image folders, each as the target reads it,
one byte choosing the file's name (its index in the target's name table)
and then the file's bytes. Good PNG and JPEG images come from data/; the
damaged ones are made here: an HDR, a PPM, a PCX and a TGA (named .vst)
declaring huge sizes, two short PGMs, JPEGs cut in their headers or with
a segment past the end after the scan, and
damaged TGA, GIF and BMP headers, and palette images whose pixels name
colours past their palette.

Usage: tests/fuzz/image_seeds.py CORPUS_FOLDER
"""
import glob
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# The order of the target's name table (tests/fuzz/fuzz_image.cpp).
NAMES = ["png", "jpg", "gif", "bmp", "tga", "TGA", "vst", "hdr", "ppm", "pgm", "pcx", "psd", "dds", ""]


def tga(kind, w, h, depth, pixels=b""):
    return struct.pack("<BBBHHBHHHHBB", 0, 0, kind, 0, 0, 0, 0, 0, w, h, depth, 0) + pixels


def tga_mapped(index, rle=False):
    header = struct.pack("<BBBHHBHHHHBB", 0, 1, 9 if rle else 1, 0, 2, 24, 0, 0, 4, 4, 8, 0)
    pixels = bytes([0x8F, index]) if rle else bytes([index]) * 16
    return header + b"\x10\x20\x30\x40\x50\x60" + pixels


def gif(w, h, left=0):
    screen = b"GIF89a" + struct.pack("<HHBBB", w, h, 0x81, 0, 0) + bytes([0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255])
    image = b"," + struct.pack("<HHHHB", left, 0, 2, 1, 0) + b"\x02\x02\x4c\x0a\x00"
    return screen + image + b";"


def bmp(w, h, depth, compression):
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, depth, compression, 16, 0, 0, 0, 0)
    return b"BM" + struct.pack("<IHHI", 70, 0, 0, 54) + info + b"\x40" * 16


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
        "good.tga": ("tga", tga(2, 2, 2, 24, b"\x40" * 12)),
        "rle.tga": ("TGA", tga(10, 4, 4, 32, b"\x83\x10\x20\x30\x40\x03\x01\x02\x03\x04")),
        "cut.tga": ("tga", tga(2, 2, 2, 24, b"\x40" * 5)),
        "mapped.tga": ("tga", tga_mapped(1)),
        "mapped-past-palette.tga": ("tga", tga_mapped(200, rle=True)),
        "good.gif": ("gif", gif(2, 1)),
        "outside.gif": ("gif", gif(2, 1, 1)),
        "good.bmp": ("bmp", bmp(2, 2, 24, 0)),
        "rle8.bmp": ("bmp", bmp(2, 2, 8, 1)),
        "huge.bmp": ("bmp", bmp(20000, -30, 24, 0)),
    }


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    good = sorted(glob.glob(os.path.join(ROOT, "data", "**", "*.png"), recursive=True))[:4]
    good += sorted(glob.glob(os.path.join(ROOT, "data", "**", "*.jpg"), recursive=True))[:2]
    seeds = {}
    for path in good:
        with open(path, "rb") as f:
            seeds["data-" + os.path.basename(path)] = (os.path.splitext(path)[1][1:], f.read())
    photo = next(data for ext, data in seeds.values() if ext == "jpg")
    seeds.update(made_seeds(photo))
    for name, (ext, data) in seeds.items():
        with open(os.path.join(out, "seed-" + name), "wb") as f:
            f.write(bytes([NAMES.index(ext)]) + data)


if __name__ == "__main__":
    main()
