#!/usr/bin/env python3
"""Where a saver's time on a CPU goes, tick part by tick part, from `perf script` of a
`perf record --call-graph dwarf` of it: each sample counts for the first part its call chain
shows, in this order: the drawing of missed stamps again (redraw), copies of pixels (copy), the
engine's drawing (draw), handing the change to the display (present), sending it (flush), the
wait for the next tick with the reads it brings (wait), and anything else (other, the start
included). Prints each part's share of the samples and, given the CPU time and the ticks of the
run, its microseconds per tick.

Usage: perf script -i perf.data | tick_breakdown.py [CPU_SECONDS TICKS]
"""
import re
import sys

PARTS = [
    ('redraw', r'CDrawingLog::Replay|CWaylandSurface::Replay'),
    ('copy', r'CopyPicture|TakeOwnBlock|MoveIntoBlack'),
    ('draw', r'DrawTick|OnTimer|CRasterPainter|Raster(Arc|Line)|OnEraseBkgnd'),
    ('present', r'::Present\b|PresentChange|ShowCanvas|XShmPutImage|XPutImage|wl_surface_|CBufferRing'),
    ('flush', r'Flush|writev|sendmsg|xcb_flush|_XSend'),
    ('wait', r'ppoll|\bpoll\b|WaitFor|recvmsg|read_events|XEventsQueued|_XRead|DispatchQueued|dispatch'),
]


def classify(frames):
    text = '\n'.join(frames)
    for name, pattern in PARTS:
        if re.search(pattern, text):
            return name
    return 'other'


def main():
    counts = {name: 0 for name, _ in PARTS}
    counts['other'] = 0
    frames = []
    for line in sys.stdin:
        if line.strip():
            if line.startswith((' ', '\t')):
                frames.append(line.strip())
            continue
        if frames:
            counts[classify(frames)] += 1
        frames = []
    if frames:
        counts[classify(frames)] += 1
    total = sum(counts.values()) or 1
    cpu, ticks = (float(sys.argv[1]), float(sys.argv[2])) if len(sys.argv) == 3 else (0, 0)
    for name, count in counts.items():
        line = f'{name:8} {100 * count / total:5.1f}%'
        if ticks:
            line += f'  {1e6 * cpu * count / total / ticks:7.2f} us/tick'
        print(line)
    print(f'{total} samples')


main()
