#!/usr/bin/env python3
"""Writes the thread catalogue files of data/ from the table of DMC thread colours.

dmc.txt holds every thread of the table in its order. dmc1.txt (57 threads), dmc5.txt (112)
and dmc10.txt (248) are nested subsets that spread evenly over the colour space: they always
hold Blanco (0), Ecru (1) and black (310) and at least one thread of each of the six hue
class/order cells the nearest-thread search keeps apart (a colour is only ever matched to a
thread of its own cell, so a missing cell would leave a whole family of colours unmatched);
the rest is a farthest-point selection in CIELAB, one greedy sequence grown first to the
smallest size and continued for the larger ones.

Usage: make_catalogues.py [threads.csv] [--out DIR] [--explain]
"""

import argparse
import csv
import math
import os
import sys

SUBSETS = [("dmc1.txt", 57), ("dmc5.txt", 112), ("dmc10.txt", 248)]
REQUIRED_NUMBERS = [(0, "Blanco"), (1, "Ecru"), (310, "black")]
CELLS = [
    "red, g > b",
    "red, b >= g",
    "green, r > b",
    "green, b >= r",
    "blue, r > g",
    "blue, g >= r",
]


def cell_of(r, g, b):
    """The hue class/order cell of a colour, tested in the order the nearest-thread search uses."""
    if r >= g and r >= b:
        return CELLS[0] if g > b else CELLS[1]
    if g >= r and g >= b:
        return CELLS[2] if r > b else CELLS[3]
    return CELLS[4] if r > g else CELLS[5]


def srgb_to_lab(r, g, b):
    """CIELAB (D65 white) of an 8-bit sRGB colour."""

    def linear(c):
        c /= 255.0
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4

    rl, gl, bl = linear(r), linear(g), linear(b)
    x = 0.4124564 * rl + 0.3575761 * gl + 0.1804375 * bl
    y = 0.2126729 * rl + 0.7151522 * gl + 0.0721750 * bl
    z = 0.0193339 * rl + 0.1191920 * gl + 0.9503041 * bl

    delta = 6.0 / 29.0

    def f(t):
        return t ** (1.0 / 3.0) if t > delta**3 else t / (3.0 * delta**2) + 4.0 / 29.0

    fx, fy, fz = f(x / 0.95047), f(y / 1.0), f(z / 1.08883)
    return (116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz))


def read_table(path):
    threads = []
    with open(path, newline="") as f:
        reader = csv.reader(f)
        header = [h.strip() for h in next(reader)]
        if header != ["number", "red", "green", "blue"]:
            sys.exit(f"{path}: unexpected header {header}")
        for line, row in enumerate(reader, start=2):
            if not row:
                continue
            try:
                number, r, g, b = (int(v) for v in row)
            except ValueError:
                sys.exit(f"{path}:{line}: expected four integers, got {row}")
            if not all(0 <= c <= 255 for c in (r, g, b)):
                sys.exit(f"{path}:{line}: component outside 0..255")
            threads.append((number, r, g, b))
    numbers = [t[0] for t in threads]
    if len(set(numbers)) != len(numbers):
        sys.exit(f"{path}: repeated thread numbers")
    return threads


def select(threads):
    """Returns the greedy sequence of thread indices and, per index, why it was chosen.

    The sequence starts with the required threads and goes on by farthest-point steps until the
    largest subset is full; every subset is a prefix of it. Ties go to the earlier thread of
    the table, so the output depends on nothing but the table.
    """
    labs = [srgb_to_lab(r, g, b) for _, r, g, b in threads]
    cells = [cell_of(r, g, b) for _, r, g, b in threads]
    index_of = {t[0]: i for i, t in enumerate(threads)}

    order, reasons = [], {}
    nearest = [math.inf] * len(threads)

    def take(i, reason):
        order.append(i)
        reasons[i] = reason
        for j, lab in enumerate(labs):
            nearest[j] = min(nearest[j], math.dist(lab, labs[i]))

    def farthest(candidates):
        return max(candidates, key=lambda j: (nearest[j], -j))

    for number, name in REQUIRED_NUMBERS:
        if number not in index_of:
            sys.exit(f"thread {number} ({name}) is missing from the table")
        take(index_of[number], f"required ({name}, cell {cells[index_of[number]]})")

    # A cell the named threads leave empty gets its thread farthest from what is chosen so far,
    # the same rule as the free steps below, only restricted to the cell.
    for cell in CELLS:
        if any(cells[i] == cell for i in order):
            continue
        members = [j for j in range(len(threads)) if cells[j] == cell]
        if not members:
            sys.exit(f"no thread of the table falls in cell {cell}")
        j = farthest(members)
        take(j, f"required (stands for cell {cell}: its thread farthest from the seeds so far, "
                f"distance {nearest[j]:.2f})")

    largest = max(size for _, size in SUBSETS)
    if largest > len(threads) or len(order) > min(size for _, size in SUBSETS):
        sys.exit("subset sizes do not fit the table")
    step = 0
    while len(order) < largest:
        step += 1
        j = farthest([j for j in range(len(threads)) if j not in reasons])
        take(j, f"farthest-point step {step}, distance {nearest[j]:.2f}")

    covering = {}
    for name, size in SUBSETS:
        chosen = order[:size]
        covering[name] = max(min(math.dist(lab, labs[i]) for i in chosen) for lab in labs)
    return order, reasons, covering


def write_catalogue(path, threads):
    with open(path, "w", newline="\n") as f:
        for number, r, g, b in threads:
            f.write(f"{number},{r},{g},{b}\n")


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description="Write the thread catalogue files.")
    parser.add_argument("table", nargs="?",
                        default=os.path.join(root, "..", "shared", "threads.csv"),
                        help="CSV with header number,red,green,blue "
                             "(default: ../shared/threads.csv beside the repository)")
    parser.add_argument("--out", default=os.path.join(root, "data"),
                        help="output folder (default: data/ of the repository)")
    parser.add_argument("--explain", action="store_true",
                        help="print why each thread is in each subset")
    args = parser.parse_args()

    threads = read_table(args.table)
    order, reasons, covering = select(threads)

    os.makedirs(args.out, exist_ok=True)
    write_catalogue(os.path.join(args.out, "dmc.txt"), threads)
    for name, size in SUBSETS:
        chosen = sorted(order[:size])
        write_catalogue(os.path.join(args.out, name), [threads[i] for i in chosen])
        if args.explain:
            print(f"{name}: {size} threads, every thread of the table within ΔE76 "
                  f"{covering[name]:.2f} of one of them")
            for i in chosen:
                number, r, g, b = threads[i]
                print(f"  {number:>5} ({r:3},{g:3},{b:3}) {reasons[i]}")
            print()
    if not args.explain:
        print(f"wrote dmc.txt ({len(threads)} threads) and "
              + ", ".join(f"{name} ({size}, cover {covering[name]:.2f})" for name, size in SUBSETS)
              + f" to {args.out}")


if __name__ == "__main__":
    main()
