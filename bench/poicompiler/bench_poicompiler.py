#!/usr/bin/env python3
"""Times poicompiler on a generated category of many points.

Usage: bench_poicompiler.py PATH/TO/poicompiler [POINTS] [RUNS]   (defaults: 100000, 7)

Writes a data file of POINTS random points over Germany (fixed seed, CR LF, every third name
quoted with a comma, half with a comment) and a 22x22 24-bit icon into a temporary folder, runs
the compiler RUNS times with the call site's arguments and prints the fastest and the median
wall-clock time of one whole run (process start, parse, sort, write, fsync), and the median
CPU time the compiler used (the wall time also holds waiting for the disk and for the CPU).
"""
import os
import random
import resource
import statistics
import struct
import subprocess
import sys
import tempfile
import time


def icon(size=22):
    stride = (3 * size + 3) // 4 * 4
    row = bytes([255, 0, 255]) * size + bytes(stride - 3 * size)
    pixels = row * size
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def data(points):
    rng = random.Random(2024)
    lines = []
    for i in range(points):
        lon = rng.uniform(5.87, 15.04)
        lat = rng.uniform(47.27, 55.06)
        name = f'"Punkt {i}, Musterstraße {i % 200}"' if i % 3 == 0 else f"Punkt {i}"
        comment = f",Kommentar {i}" if i % 2 else ""
        lines.append(f"{lon:.6f},{lat:.6f},{name}{comment}")
    return ("\r\n".join(lines) + "\r\n").encode("utf-8")


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    exe = os.path.abspath(sys.argv[1])
    points = int(sys.argv[2]) if len(sys.argv) > 2 else 100_000
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 7
    with tempfile.TemporaryDirectory() as folder:
        asc = os.path.join(folder, "BENCH.asc")
        bmp = os.path.join(folder, "BENCH.bmp")
        with open(asc, "wb") as f:
            f.write(data(points))
        with open(bmp, "wb") as f:
            f.write(icon())
        args = [exe, asc, "BITMAP=" + bmp, "16BPP", "APP", "IMPORTANCE=1", "TRANSPARENT"]
        times, cpu = [], []
        for _ in range(runs):
            before = resource.getrusage(resource.RUSAGE_CHILDREN)
            start = time.perf_counter()
            subprocess.run(args, check=True)
            times.append(time.perf_counter() - start)
            after = resource.getrusage(resource.RUSAGE_CHILDREN)
            cpu.append(after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime)
        size = os.path.getsize(asc)
        map_size = os.path.getsize(os.path.join(folder, "BENCH.map"))
    print(f"{points} points, {size / 1e6:.1f} MB in, {map_size / 1e6:.1f} MB .map, {runs} runs: "
          f"wall fastest {min(times) * 1000:.0f} ms, median {statistics.median(times) * 1000:.0f} ms; "
          f"CPU (user+sys) median {statistics.median(cpu) * 1000:.0f} ms")
    return 0


if __name__ == "__main__":
    sys.exit(main())
