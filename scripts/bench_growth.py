#!/usr/bin/env python3
"""Reads Google Benchmark's console lines of medians (as scripts/bench.sh prints them) on standard
input and prints, for every benchmark run at a size and at its double, the growth of its median
CPU time from the one to the other: 2.0 is growth in proportion to the size."""
import re
import sys

UNITS = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
LINE = re.compile(r"^(BM_\w+)/(\d+)(?:/[\w:]+)*_median\s+[\d.]+ (\w+)\s+([\d.]+) (\w+)")

def main():
    times = {}
    for line in sys.stdin:
        match = LINE.match(line)
        if match:
            name, size, _, cpu, unit = match.groups()
            times.setdefault(name, {})[int(size)] = float(cpu) * UNITS[unit]
    rows = []
    for name, by_size in times.items():
        for size in sorted(by_size):
            half = size // 2
            if size % 2 == 0 and half in by_size and by_size[half] > 0:
                rows.append((name, half, size, by_size[size] / by_size[half]))
    if not rows:
        print("(no benchmark ran at a size and its double)")
        return
    width = max(len(row[0]) for row in rows)
    for name, half, size, growth in rows:
        print(f"{name:<{width}}  {half:>9,} -> {size:>9,}  x{growth:.2f}")

main()
