#!/usr/bin/python3
"""Independent readers agree with ours.

Pictures written by ImageMagick in every form it produces (1, 4 and 8 bits with colour table,
8 bits run-length, 16 bits with masks, 24 bits, 32 bits with masks; the plain info header, the
fifth-version header and the OS/2 core header) are read with `spirandel-bmp info`, copied with
`spirandel-bmp copy` (our reader, then our writer), and the copy is read back by Python's PIL
and by ImageMagick: same size, same pixels as the original.

usage: interop_check.py SPIRANDEL_BMP WORK_DIR
"""

import os
import struct
import subprocess
import sys

from PIL import Image

CONVERT = "/usr/bin/convert"
IDENTIFY = "/usr/bin/identify"

# name, ImageMagick arguments producing it, bit count our copy must have, channel tolerance
SOURCES = [
    ("mono", ["-size", "13x7", "xc:white", "-fill", "black", "-draw", "line 0,0 12,6",
              "-type", "Bilevel", "BMP3:{}"], 1, 0),
    ("pal4", ["-size", "13x7", "gradient:red-blue", "-colors", "12", "-type", "Palette",
              "BMP3:{}"], 4, 0),
    ("pal4core", ["-size", "15x5", "gradient:yellow-navy", "-colors", "9", "-type", "Palette",
                  "-define", "bmp:format=bmp2", "{}"], 4, 0),
    ("pal8rle", ["-seed", "3", "-size", "41x23", "plasma:fractal", "-colors", "200", "-type",
                 "Palette", "BMP3:{}"], 8, 0),
    ("pal8v5", ["-seed", "5", "-size", "17x9", "plasma:fractal", "-colors", "150", "-type",
                "Palette", "-compress", "None", "{}"], 8, 0),
    ("rgb555", ["-size", "11x6", "gradient:lime-purple", "-define", "bmp:subtype=RGB555",
                "{}"], 16, 8),
    ("rgb565", ["-size", "11x6", "gradient:lime-purple", "-define", "bmp:subtype=RGB565",
                "{}"], 16, 8),
    ("true24", ["-size", "13x7", "gradient:red-blue", "-type", "TrueColor", "BMP3:{}"], 24, 0),
    ("true24core", ["-size", "7x5", "gradient:orange-teal", "-type", "TrueColor", "-define",
                    "bmp:format=bmp2", "{}"], 24, 0),
    ("true24v5", ["-size", "21x3", "gradient:white-maroon", "-type", "TrueColor", "{}"], 24, 0),
    ("true32v5", ["-size", "9x8", "gradient:red-blue", "-alpha", "set", "-type",
                  "TrueColorAlpha", "{}"], 32, 0),
]


def run(args):
    return subprocess.run(args, capture_output=True, text=True)


def bit_count(path):
    with open(path, "rb") as f:
        data = f.read(30)
    return struct.unpack("<H", data[28:30])[0]


def rgb_pixels(image):
    return list(image.convert("RGB").getdata())


def im_rgb(path):
    out = subprocess.run([CONVERT, path, "-alpha", "off", "-depth", "8", "rgb:-"],
                         capture_output=True, check=True).stdout
    return [tuple(out[i:i + 3]) for i in range(0, len(out), 3)]


def close(a, b, tolerance):
    return len(a) == len(b) and all(
        abs(x - y) <= tolerance for p, q in zip(a, b) for x, y in zip(p, q))


def main():
    tool, work = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)
    failures = []
    for name, args, bits, tolerance in SOURCES:
        source = os.path.join(work, name + ".bmp")
        copy = os.path.join(work, name + "-copy.bmp")
        subprocess.run([CONVERT] + [a.format(source) for a in args], check=True)
        info = run([tool, "info", source])
        copied = run([tool, "copy", source, copy])
        if info.returncode != 0 or copied.returncode != 0:
            failures.append(f"{name}: our reader refused it: {info.stderr}{copied.stderr}")
            continue
        original = Image.open(source)
        ours = Image.open(copy)
        size = run([IDENTIFY, "-format", "%w %h", copy]).stdout.strip()
        expected_size = f"{original.size[0]} {original.size[1]}"
        if ours.size != original.size or size != expected_size:
            failures.append(f"{name}: size {ours.size} / identify {size}, want {original.size}")
            continue
        if not info.stdout.startswith(f"width={original.size[0]} height={original.size[1]} "):
            failures.append(f"{name}: info says {info.stdout.strip()}")
        if bit_count(copy) != bits:
            failures.append(f"{name}: copy has {bit_count(copy)} bits, want {bits}")
        want = rgb_pixels(original)
        if not close(rgb_pixels(ours), want, tolerance):
            failures.append(f"{name}: PIL reads other pixels in our copy")
        if not close(im_rgb(copy), want, tolerance):
            failures.append(f"{name}: ImageMagick reads other pixels in our copy")
        print(f"{name}: {info.stdout.strip()} -> {bits} bits, pixels agree")
    for failure in failures:
        print("FAIL " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
