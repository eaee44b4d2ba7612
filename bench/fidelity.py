#!/usr/bin/python3
"""How close patterns come to their photographs: mean CIEDE2000 and lone stitches.

For each photograph, at 150 stitches wide and 20, 40 and 80 threads of the full catalogue
("completa"), it measures against the picture averaged over each stitch's area (Pillow's BOX
resize):
  - default:  puntela-cli as it is by default;
  - faithful: puntela-cli --faithful;
  - pngquant: `pngquant N --nofs` of the averaged picture, then each palette colour's nearest
              thread by CIEDE2000;
  - floor:    every stitch its nearest thread of the whole catalogue (no choice can do better).
ΔE2000 is skimage.color.deltaE_ciede2000, independent of the program's own.

Needs Debian's pngquant, python3-skimage and python3-pil; not run by CI.
  bench/fidelity.py BUILD/puntela-cli data/dmc.txt OUTDIR [PICTURE...]
Without pictures it measures scikit-image's astronaut, coffee, chelsea, rocket and
motorcycle_left. It prints a Markdown table and writes a montage per photograph at 40 threads
(reference, default, faithful, pngquant, floor) into OUTDIR.
"""
import os
import subprocess
import sys
import xml.etree.ElementTree as ET

import numpy as np
from PIL import Image
from skimage.color import deltaE_ciede2000, rgb2lab

WIDTH = 150
COUNTS = (20, 40, 80)
SKIMAGE = "/usr/lib/python3/dist-packages/skimage/data"
PHOTOS = ["astronaut.png", "coffee.png", "chelsea.png", "rocket.jpg", "motorcycle_left.png"]


def lab(rgb):
    return rgb2lab(np.asarray(rgb, dtype=np.float64).reshape(-1, 1, 3) / 255.0).reshape(-1, 3)


def catalogue(path):
    rows = [line.strip().split(",") for line in open(path) if line.strip()]
    return np.array([[int(v) for v in r[1:4]] for r in rows])


def nearest(colours, threads, threads_lab):
    """Each colour's nearest thread (RGB) by CIEDE2000."""
    c = lab(colours)
    d = deltaE_ciede2000(c[:, None, :], threads_lab[None, :, :])
    return threads[np.argmin(d, axis=1)]


def read_oxs(path):
    root = ET.parse(path).getroot()
    props = root.find("properties")
    w, h = int(props.get("chartwidth")), int(props.get("chartheight"))
    palette = {}
    for item in root.find("palette"):
        c = item.get("color")
        palette[int(item.get("index"))] = [int(c[0:2], 16), int(c[2:4], 16), int(c[4:6], 16)]
    grid = np.full((h, w, 3), 255, dtype=np.int64)
    for s in root.find("fullstitches"):
        grid[int(s.get("y")), int(s.get("x"))] = palette[int(s.get("palindex"))]
    return grid


def score(reference, stitched):
    d = deltaE_ciede2000(lab(reference.reshape(-1, 3)), lab(stitched.reshape(-1, 3)))
    keys = stitched[..., 0] * 65536 + stitched[..., 1] * 256 + stitched[..., 2]
    h, w = keys.shape
    padded = np.full((h + 2, w + 2), -1, dtype=np.int64)
    padded[1:-1, 1:-1] = keys
    alone = np.ones((h, w), dtype=bool)
    for dy in (-1, 0, 1):
        for dx in (-1, 0, 1):
            if dx or dy:
                alone &= padded[1 + dy : 1 + dy + h, 1 + dx : 1 + dx + w] != keys
    return float(d.mean()), int(alone.sum()), len(np.unique(keys))


def puntela(cli, picture, colours, faithful, out):
    args = [cli, picture, "--width", str(WIDTH), "--colours", str(colours), "--catalogue", "completa", "--oxs", out]
    if faithful:
        args.append("--faithful")
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL, cwd=os.path.dirname(os.path.abspath(CATALOGUE)))
    return read_oxs(out)


def pngquant(reference, colours, threads, threads_lab, work):
    src, dst = os.path.join(work, "ref.png"), os.path.join(work, "quant.png")
    Image.fromarray(reference.astype(np.uint8)).save(src)
    subprocess.run(["pngquant", str(colours), "--nofs", "--force", "--output", dst, src], check=True)
    q = np.asarray(Image.open(dst).convert("RGB")).astype(np.int64)
    palette, inverse = np.unique(q.reshape(-1, 3), axis=0, return_inverse=True)
    return nearest(palette, threads, threads_lab)[inverse.reshape(-1)].reshape(q.shape)


def montage(images, path):
    tiles = [Image.fromarray(im.astype(np.uint8)).resize((im.shape[1] * 3, im.shape[0] * 3), Image.NEAREST) for im in images]
    w, h = tiles[0].size
    out = Image.new("RGB", (len(tiles) * (w + 6), h), "white")
    for k, t in enumerate(tiles):
        out.paste(t, (k * (w + 6), 0))
    out.save(path)


def main():
    global CATALOGUE
    cli, CATALOGUE, outdir = os.path.abspath(sys.argv[1]), sys.argv[2], sys.argv[3]
    pictures = sys.argv[4:] or [os.path.join(SKIMAGE, p) for p in PHOTOS]
    os.makedirs(outdir, exist_ok=True)
    threads = catalogue(CATALOGUE)
    threads_lab = lab(threads)
    print("| photo | N | default ΔE / lone / threads | faithful | pngquant → nearest | floor | faithful vs pngquant | faithful vs floor |")
    print("|---|---|---|---|---|---|---|---|")
    for picture in pictures:
        name = os.path.splitext(os.path.basename(picture))[0]
        for n in COUNTS:
            oxs = os.path.join(outdir, f"{name}_{n}")
            default = puntela(cli, picture, n, False, oxs + "_default.oxs")
            faithful = puntela(cli, picture, n, True, oxs + "_faithful.oxs")
            h, w = faithful.shape[:2]
            reference = np.asarray(Image.open(picture).convert("RGB").resize((w, h), Image.BOX)).astype(np.int64)
            quant = pngquant(reference, n, threads, threads_lab, outdir)
            floor = nearest(reference.reshape(-1, 3), threads, threads_lab).reshape(reference.shape)
            s = {k: score(reference, v) for k, v in
                 (("default", default), ("faithful", faithful), ("pngquant", quant), ("floor", floor))}
            cell = lambda k: f"{s[k][0]:.2f} / {s[k][1]} / {s[k][2]}"
            better = 100 * (1 - s["faithful"][0] / s["pngquant"][0])
            above = 100 * (s["faithful"][0] / s["floor"][0] - 1)
            print(f"| {name} | {n} | {cell('default')} | {cell('faithful')} | {cell('pngquant')} | {cell('floor')} "
                  f"| {better:.1f} % better | {above:.1f} % above |", flush=True)
            if n == 40:
                montage([reference, default, faithful, quant, floor], os.path.join(outdir, f"{name}_montage.png"))


if __name__ == "__main__":
    main()
