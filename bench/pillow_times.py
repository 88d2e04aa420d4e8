#!/usr/bin/python3
"""Pillow's times for the pictures the side-by-side comparison measures (make bench-compare).

For every PNG given: CPU milliseconds (median of REPEATS) of a JPEG at quality 85 written to
memory, of reduce(2), and of rotate(30, bilinear, expand, white fill); and the JPEG's size.
Prints one line per picture: PATH JPEG_MS JPEG_BYTES REDUCE_MS ROTATE_MS.
Usage: pillow_times.py REPEATS PNG...
"""
import io
import statistics
import sys
import time

from PIL import Image


def cpu_ms(repeats, action):
    times = []
    for _ in range(repeats):
        start = time.process_time()
        action()
        times.append((time.process_time() - start) * 1000.0)
    return statistics.median(times)


def main():
    repeats = int(sys.argv[1])
    for path in sys.argv[2:]:
        picture = Image.open(path).convert("RGB")
        picture.load()
        size = 0

        def jpeg():
            nonlocal size
            buffer = io.BytesIO()
            picture.save(buffer, "JPEG", quality=85)
            size = buffer.tell()

        jpeg_ms = cpu_ms(repeats, jpeg)
        reduce_ms = cpu_ms(repeats, lambda: picture.reduce(2))
        rotate_ms = cpu_ms(
            repeats,
            lambda: picture.rotate(30, resample=Image.BILINEAR, expand=True, fillcolor=(255, 255, 255)))
        print(f"{path} {jpeg_ms:.3f} {size} {reduce_ms:.3f} {rotate_ms:.3f}", flush=True)


if __name__ == "__main__":
    main()
