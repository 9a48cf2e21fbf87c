#!/usr/bin/python3
# spirandel-bmp against an independent reader, and its promises on bad input. Pictures
# ImageMagick writes in the forms a hand-made file cannot vouch for are read with
# `spirandel-bmp info` (the file's own facts) and copied with `spirandel-bmp copy` (our reader,
# then our writer); ImageMagick must see in the copy the pixels it sees in the source.
# usage: bmp_tool_check.py SPIRANDEL_BMP WORK_DIR
import os
import subprocess
import sys

# name, ImageMagick arguments (_ for a space), facts `info` gives, bit count of our copy, channel
# tolerance (ImageMagick rounds 5- and 6-bit channels otherwise than we do, and reads a 4-bit
# channel v as 16 v where we read 17 v)
SOURCES = [
    ("mono", "xc:white -fill black -draw line_0,0_12,6 -type Bilevel BMP3:{}", "1 colours=2 compression=0", 1, 0),
    ("pal8rle", "-seed 3 plasma:fractal -colors 200 -type Palette BMP3:{}", "8 colours=256 compression=1", 8, 0),
    ("rgb565", "gradient:lime-purple -define bmp:subtype=RGB565 {}", "16 colours=0 compression=3", 24, 1),
    ("argb4444", "gradient:lime-purple -alpha set -define bmp:subtype=ARGB4444 {}", "16 colours=0 compression=3", 24, 15),
    ("true32v5", "gradient:red-blue -alpha set -type TrueColorAlpha {}", "32 colours=0 compression=3", 32, 0),
]


def run(*args):
    return subprocess.run(args, capture_output=True)


def pixels(path):
    out = run("/usr/bin/convert", path, "-alpha", "off", "-depth", "8", "rgb:-").stdout
    return [tuple(out[i:i + 3]) for i in range(0, len(out), 3)]


tool, work = sys.argv[1], sys.argv[2]
os.makedirs(work, exist_ok=True)
failures = []
for name, args, facts, bits, tolerance in SOURCES:
    source, copy = (os.path.join(work, name + suffix) for suffix in (".bmp", "-copy.bmp"))
    run("/usr/bin/convert", "-size", "13x7", *[a.replace("_", " ").format(source) for a in args.split()])
    info = run(tool, "info", source).stdout.decode().strip()
    copied = run(tool, "copy", source, copy).returncode == 0
    got, want = copied and pixels(copy), pixels(source)
    if info != f"width=13 height=7 bits={facts}" or (copied and open(copy, "rb").read()[28]) != bits or not got or len(
            got) != len(want) or any(abs(x - y) > tolerance for p, q in zip(got, want) for x, y in zip(p, q)):
        failures.append(f"{name}: info says {info}, or our copy has another bit count or other pixels")
# A top-down file keeps the sign of its height; a cut file is refused with a message naming
# it, a copy into a missing folder too, bad usage with the usage text.
good, short, top = (os.path.join(work, n + ".bmp") for n in ("true32v5", "short", "top"))
data = open(good, "rb").read()
open(short, "wb").write(data[:30])
open(top, "wb").write(data[:22] + (-7).to_bytes(4, "little", signed=True) + data[26:])
for status, args, says in [(0, ["info", top], "width=13 height=-7 bits=32"), (1, ["info", short], short),
                           (1, ["copy", good, work + "/no/a.bmp"], "a.bmp"), (2, ["show", good], "usage"),
                           (2, ["info", good, good], "usage"), (0, ["--help"], "usage")]:
    result = run(tool, *args)
    if result.returncode != status or says not in (result.stdout + result.stderr).decode():
        failures.append(f"{args}: exit {result.returncode} {result.stdout + result.stderr}")
for failure in failures:
    print("FAIL " + failure)
sys.exit(1 if failures else 0)
