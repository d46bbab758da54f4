#!/usr/bin/env python3
"""Writes seeded random puzzles as .ALC files, for comparing two solver builds.

Half of them carry clues drawn at random (most have no solution or many), the other half
the clues of a random loop (the outline of a random connected region of cells) with a
random share of the clues blanked (unique, several solutions or stuck). Sizes 1..MAX.

usage: random_puzzles.py OUTDIR COUNT SEED [MAX_SIDE]
"""
import os
import random
import sys


def random_clues(rng, w, h):
    density = rng.random() ** 2
    return [[rng.randrange(4) if rng.random() < density else None for _ in range(w)]
            for _ in range(h)]


def loop_clues(rng, w, h):
    inside = [[False] * w for _ in range(h)]
    x, y = rng.randrange(w), rng.randrange(h)
    inside[y][x] = True
    frontier = [(x, y)]
    target = rng.randint(1, max(1, w * h * 2 // 3))
    grown = 1
    while frontier and grown < target:
        i = rng.randrange(len(frontier))
        cx, cy = frontier[i]
        dx, dy = rng.choice(((1, 0), (-1, 0), (0, 1), (0, -1)))
        nx, ny = cx + dx, cy + dy
        if 0 <= nx < w and 0 <= ny < h and not inside[ny][nx]:
            inside[ny][nx] = True
            frontier.append((nx, ny))
            grown += 1
        elif rng.random() < 0.1:
            frontier.pop(i)

    def cell(cx, cy):
        return 0 <= cx < w and 0 <= cy < h and inside[cy][cx]

    keep = rng.random()
    clues = []
    for cy in range(h):
        row = []
        for cx in range(w):
            n = sum(cell(cx, cy) != cell(cx + dx, cy + dy)
                    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            row.append(n if n < 4 and rng.random() < keep else None)
        clues.append(row)
    return clues


def write_alc(path, w, h, clues):
    lines = ["[Vexilo data] %3d x %3d -1" % (w, h), "[Start]"]
    lines += ["".join("-" if c is None else str(c) for c in row) for row in clues]
    lines.append("[End]")
    with open(path, "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


def main():
    out, count, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    max_side = int(sys.argv[4]) if len(sys.argv) > 4 else 30
    rng = random.Random(seed)
    os.makedirs(out, exist_ok=True)
    for i in range(count):
        w, h = rng.randint(1, max_side), rng.randint(1, max_side)
        clues = loop_clues(rng, w, h) if i % 2 else random_clues(rng, w, h)
        write_alc(os.path.join(out, "r%06d-%dx%d.ALC" % (i, w, h)), w, h, clues)


if __name__ == "__main__":
    main()
