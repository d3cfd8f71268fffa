#!/usr/bin/python3
"""Checks kyfsl's exports with the programs that read them.

Mapnik loads the exported Mapnik XML and fills a square with three styles;
QGIS imports the style XML (every symbol must be there), fills the same square
with QgsMapRendererCustomPainterJob at 96 and 300 dpi, and loads the SLD
without error. Every rendering is compared with `kyfsl render` of the same
style at the same dpi: the pattern period over ten tiles must agree within
one pixel, and where the device dpi is a whole multiple of the pattern's
resolution the pixels must agree on at least 97 % of the square.

Run by scripts/interop-check, which installs the Debian packages it needs.
"""
import argparse
import os
import struct
import subprocess
import sys

import numpy as np
from PIL import Image

CANVAS = 800
SQUARE = (100, 100, 700, 700)  # L, T, R, B in pixels; map units are pixels too
INSIDE = (120, 120, 680, 680)  # what is compared: clear of the square's edges
FORE, BACK = "#000000", "#FFFFFF"

failures = []

# Physical tile sizes of the styles checked, and the dpis at which a pattern
# is drawn at a whole scale (the dpi a multiple of its resolution).
TILE_MM = {("default", 9): 8 * 25.4 / 81, ("default", 12): 8 * 25.4 / 81, ("default", 20): 8 * 25.4 / 81,
           ("interop", 8): 16 * 25.4 / 96, ("interop", 9): 16 * 25.4 / 150, ("interop", 10): 10.0}
WHOLE_SCALE = {("interop", 8, 96): 1, ("interop", 9, 300): 2}


def check(ok, what):
    print(("ok    " if ok else "FAIL  ") + what)
    if not ok:
        failures.append(what)


# ---- a small library of our own: 1-bit patterns at 96 and 150 dpi and a
# ---- symbol pattern, written in the current .bru layout

def le32(v):
    return struct.pack("<i", v)


def text(s):
    b = s.encode("ascii")
    return le32(len(b)) + b


def mono_bmp(w, h, bit):
    stride = (w + 31) // 32 * 4
    rows = bytearray()
    for y in reversed(range(h)):
        row = bytearray(stride)
        for x in range(w):
            if bit(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        rows += row
    size = 62 + len(rows)
    head = b"BM" + struct.pack("<IHHI", size, 0, 0, 62)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 1, 0, len(rows), 0, 0, 2, 0)
    return head + info + struct.pack("<II", 0x000000, 0xFFFFFF) + bytes(rows)


def symbol_library():
    # Symbol 10: a filled dot of half a symbol size and a bar across it.
    dot = bytes([11, 1, 0, 0]) + struct.pack("<dIi", 0.0, 0, 2) + struct.pack("<4d", -0.25, -0.25, 0.25, 0.25)
    bar = bytes([1, 0, 0, 0]) + struct.pack("<dIi", 0.1, 0, 2) + struct.pack("<4d", -0.5, 0.0, 0.5, 0.0)
    sym = le32(10) + text("dot and bar") + le32(2) + dot + bar
    return b"KYSL" + le32(1) + le32(1) + sym


def pattern_bit(x, y):
    # An asymmetric 16 x 16 pattern: a corner, a diagonal and a dot, so that
    # its period shows along both axes.
    return x == 0 or y == 15 or x == y or (x == 12 and y == 3)


def ideal(scale, shape):
    """The pattern drawn at a whole scale, tiled over a picture of shape:
    what a reader must show at a dpi that is a whole multiple of the
    pattern's resolution."""
    bits = np.array([[0.0 if pattern_bit(x, y) else 255.0 for x in range(16)] for y in range(16)])
    tile = np.kron(bits, np.ones((scale, scale)))
    reps = (shape[0] // tile.shape[0] + 2, shape[1] // tile.shape[1] + 2)
    return np.tile(tile, reps)[: shape[0], : shape[1]]


def write_library(path):
    pattern = mono_bmp(16, 16, pattern_bit)
    records = b""
    for sid, name, res in ((8, "pixels 96", 96), (9, "pixels 150", 150)):
        records += bytes([0]) + le32(sid) + text(name) + le32(res) + le32(len(pattern)) + pattern
    points = [(25, 25), (75, 60), (95, 95)]
    vector = le32(100) + le32(100) + le32(10) + le32(60) + le32(300) + le32(len(points))
    vector += b"".join(le32(x) + le32(y) for x, y in points)
    records += bytes([1]) + le32(10) + text("symbols") + vector
    sub = text("Pixels") + le32(3) + le32(0) + le32(2) + le32(8) + le32(9)
    root = text("Tests") + le32(3) + le32(1) + sub + le32(1) + le32(10)
    lib = symbol_library()
    image = le32(20031121) + le32(len(lib)) + lib + le32(len(root)) + root + records
    with open(path, "wb") as f:
        f.write(image)


# ---- pictures

def grey(path):
    a = np.asarray(Image.open(path).convert("L"), dtype=np.float64)
    l, t, r, b = INSIDE
    return a[t:b, l:r]


def diff(a, s, axis):
    if axis == 1:
        return np.mean(np.abs(a[:, s:] - a[:, :-s]))
    return np.mean(np.abs(a[s:, :] - a[:-s, :]))


def exact_period(a, axis, limit):
    """The smallest shift at which kyfsl's picture repeats exactly, or None
    when it does not vary along the axis at all."""
    if all(diff(a, s, axis) < 0.5 for s in range(1, 6)):
        return None
    for s in range(2, limit):
        if diff(a, s, axis) == 0.0:
            return s
    return min(range(2, limit), key=lambda s: diff(a, s, axis))


def span(a, centre, half, axis):
    """The shift within centre +- half at which the picture repeats best."""
    return min(range(max(1, centre - half), centre + half + 1), key=lambda s: diff(a, s, axis))


def agreement(a, b, period):
    """The share of pixels that agree, at the best phase between a and b."""
    a1, b1 = a < 128, b < 128
    best = 0.0
    p = int(period) + 1
    for dy in range(p):
        for dx in range(p):
            x = a1[dy:, dx:]
            y = b1[: a1.shape[0] - dy, : a1.shape[1] - dx]
            best = max(best, float(np.mean(x == y)))
    return best


def kyfsl_render(kyfsl, lib, style, dpi, out):
    args = [kyfsl, "render"] + (["--default"] if lib is None else [lib])
    args += ["--style", str(style), "--canvas", f"{CANVAS}x{CANVAS}", "--dpi", str(dpi),
             "--fore", FORE, "--back", BACK, "--rect", ",".join(map(str, SQUARE)), "-o", out]
    subprocess.run(args, check=True)
    return grey(out)


def compare(name, other, ours, tile_px, scale=None):
    """Compares a reader's picture with kyfsl render's: the period along
    both axes over ten tiles (fewer when ten do not fit, the allowance
    shrinking alike) and, at a whole scale, the pixels.

    tile_px is the tile's physical size in device pixels. Readers draw it in
    whole pixels, cut down (37.8 becomes 37); the module computes its own
    (a bitmap tile in whole tenths of a millimetre, then cut down: 16 pixels
    of 96 dpi become 15 on a 96-dpi device; a symbol tile rounded: 38). Where
    the reader has the physical size in whole pixels and only the module
    differs, the difference is printed as known, not failed."""
    size = ours.shape[0]
    whole = int(tile_px + 1e-6)
    for axis, label in ((1, "x"), (0, "y")):
        p = exact_period(ours, axis, size // 2)
        if p is None:
            print(f"      {name}: no pattern along {label}")
            continue
        tiles = min(10, max(1, (size // 2) // max(p, whole + 1)))
        low, high = min(tiles * whole, tiles * p) - 1, max(int(tiles * tile_px + 0.999), tiles * p) + 1
        theirs = min(range(max(1, low), high + 1), key=lambda s: diff(other, s, axis))
        off = abs(theirs - tiles * p) * 10.0 / tiles
        what = (f"{name}: {tiles} tiles along {label} are {theirs} px, kyfsl render {tiles * p} px "
                f"({off:.1f} px over ten tiles, 1 allowed)")
        if off > 1 and theirs == tiles * whole:
            print(f"known {what}: the reader keeps the physical {tile_px:.2f} px in whole pixels, "
                  f"the module draws {p}")
            continue
        check(off <= 1, what)
    if scale:
        share = agreement(ideal(scale, other.shape), other, 16 * scale)
        check(share >= 0.97, f"{name}: {share * 100:.1f} % of the pixels agree with the pattern drawn "
                             f"{scale} times over (97 % needed)")
        versus = agreement(ours, other, 16 * scale)
        print(f"      {name}: {versus * 100:.1f} % of the pixels agree with kyfsl render")


def export(kyfsl, lib, fmt, out, ids):
    args = [kyfsl, "export"] + (["--default"] if lib is None else [lib])
    args += ["--format", fmt, "-o", out, "--fore", FORE, "--back", BACK, "--ids", ids]
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL)


# ---- Mapnik

def mapnik_check(kyfsl, work, lib):
    import mapnik
    for source, ids in ((None, (9, 12, 20)), (lib, (8, 9, 10))):
        tag = "default" if source is None else "interop"
        out = os.path.join(work, "mapnik-" + tag)
        export(kyfsl, source, "mapnik", out, ",".join(map(str, ids)))
        m = mapnik.Map(CANVAS, CANVAS)
        mapnik.load_map(m, os.path.join(out, "mapnik.xml"))
        m.background = mapnik.Color("white")
        l, t, r, b = SQUARE
        wkt = f"POLYGON(({l} {t}, {r} {t}, {r} {b}, {l} {b}, {l} {t}))"
        # One square per style, drawn one after the other: each layer names
        # one exported style.
        for sid in ids:
            del m.layers[:]
            layer = mapnik.Layer("square")
            layer.datasource = mapnik.Datasource(type="csv", inline=f'wkt\n"{wkt}"\n')
            layer.styles.append(f"fill-{sid}")
            m.layers.append(layer)
            m.zoom_to_box(mapnik.Box2d(0, 0, CANVAS, CANVAS))
            for dpi in (96, 300):
                image = mapnik.Image(CANVAS, CANVAS)
                # Mapnik reads an SVG's millimetres at 90 dpi: this factor
                # draws them at the device's size.
                mapnik.render(m, image, dpi / 90.0)
                path = os.path.join(work, f"mapnik-{tag}-{sid}-{dpi}.png")
                image.save(path, "png")
                ours = kyfsl_render(kyfsl, source, sid, dpi, os.path.join(work, f"kyfsl-{tag}-{sid}-{dpi}.png"))
                compare(f"Mapnik {tag} style {sid} at {dpi} dpi", grey(path), ours, TILE_MM[(tag, sid)] / 25.4 * dpi,
                        WHOLE_SCALE.get((tag, sid, dpi)))


# ---- QGIS

def qgis_check(kyfsl, work, lib):
    from qgis.core import (QgsApplication, QgsFeature, QgsGeometry, QgsMapRendererCustomPainterJob, QgsMapSettings,
                           QgsRectangle, QgsSingleSymbolRenderer, QgsStyle, QgsVectorLayer)
    from qgis.PyQt.QtCore import QSize
    from qgis.PyQt.QtGui import QColor, QImage, QPainter

    app = QgsApplication([], False)
    app.initQgis()
    cases = [(None, 9), (None, 12), (lib, 8), (lib, 9), (lib, 10)]
    styles = {}
    for source in (None, lib):
        xml = os.path.join(work, "default.xml" if source is None else "interop.xml")
        ids = "9,12,20" if source is None else "8,9,10"
        export(kyfsl, source, "qgis", xml, ids)
        style = QgsStyle()
        style.createMemoryDatabase()
        check(style.importXml(xml), f"QGIS imports {os.path.basename(xml)}")
        names = style.symbolNames()
        wanted = [n for n in names if n.split(" ")[0] in ids.split(",")]
        check(len(wanted) == 3 and len(names) == 7,
              f"QGIS finds the 3 styles and 4 gradients of {os.path.basename(xml)}: {len(names)} symbols")
        styles[source] = {int(n.split(" ")[0]): n for n in wanted}
        styles[source]["style"] = style

    def render(symbol, dpi, out):
        layer = QgsVectorLayer("Polygon", "square", "memory")
        f = QgsFeature()
        l, t, r, b = SQUARE
        # Map y grows upward; the square is symmetric, so it lands on the same pixels.
        f.setGeometry(QgsGeometry.fromWkt(f"POLYGON(({l} {t}, {r} {t}, {r} {b}, {l} {b}, {l} {t}))"))
        layer.dataProvider().addFeatures([f])
        # The renderer owns its symbol; each rendering gets a copy of its own.
        layer.setRenderer(QgsSingleSymbolRenderer(symbol.clone()))
        settings = QgsMapSettings()
        settings.setOutputSize(QSize(CANVAS, CANVAS))
        settings.setOutputDpi(dpi)
        settings.setExtent(QgsRectangle(0, 0, CANVAS, CANVAS))
        settings.setLayers([layer])
        settings.setBackgroundColor(QColor(255, 255, 255))
        image = QImage(QSize(CANVAS, CANVAS), QImage.Format_ARGB32)
        image.fill(QColor(255, 255, 255))
        painter = QPainter(image)
        job = QgsMapRendererCustomPainterJob(settings, painter)
        job.start()
        job.waitForFinished()
        painter.end()
        image.save(out)

    for source, sid in cases:
        entry = styles[source]
        symbol = entry["style"].symbol(entry[sid])
        for dpi in (96, 300):
            tag = "default" if source is None else "interop"
            path = os.path.join(work, f"qgis-{tag}-{sid}-{dpi}.png")
            render(symbol, dpi, path)
            ours = kyfsl_render(kyfsl, source, sid, dpi, os.path.join(work, f"kyfsl-{tag}-{sid}-{dpi}.png"))
            compare(f"QGIS {tag} style {sid} at {dpi} dpi", grey(path), ours, TILE_MM[(tag, sid)] / 25.4 * dpi,
                    WHOLE_SCALE.get((tag, sid, dpi)))

    sld_dir = os.path.join(work, "sld")
    export(kyfsl, lib, "sld", sld_dir, "8,9,10")
    layer = QgsVectorLayer("Polygon?field=fill_style:integer", "square", "memory")
    message, ok = layer.loadSldStyle(os.path.join(sld_dir, "styles.sld"))
    check(ok, f"QGIS loads the SLD without error ({message or 'no message'})")
    # QGIS finds the SVG files relative to its working directory and reads
    # the size in metres of paper as pixels of 0.28 mm: the symbol pattern's
    # 10 mm tile repeats every 35 pixels, whatever the dpi.
    feature = QgsFeature(layer.fields())
    feature.setAttribute(0, 10)
    l, t, r, b = SQUARE
    feature.setGeometry(QgsGeometry.fromWkt(f"POLYGON(({l} {t}, {r} {t}, {r} {b}, {l} {b}, {l} {t}))"))
    layer.dataProvider().addFeatures([feature])
    here = os.getcwd()
    os.chdir(sld_dir)
    try:
        path = os.path.join(work, "qgis-sld-10-96.png")
        settings = QgsMapSettings()
        settings.setOutputSize(QSize(CANVAS, CANVAS))
        settings.setOutputDpi(96)
        settings.setExtent(QgsRectangle(0, 0, CANVAS, CANVAS))
        settings.setLayers([layer])
        image = QImage(QSize(CANVAS, CANVAS), QImage.Format_ARGB32)
        image.fill(QColor(255, 255, 255))
        painter = QPainter(image)
        job = QgsMapRendererCustomPainterJob(settings, painter)
        job.start()
        job.waitForFinished()
        painter.end()
        image.save(path)
    finally:
        os.chdir(here)
    drawn = grey(path)
    periods = [exact_period(drawn, axis, CANVAS // 4) for axis in (1, 0)]
    check(periods == [35, 35], f"QGIS draws the SLD's symbol pattern every {periods} px (35 expected)")
    app.exitQgis()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kyfsl", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--mapnik-only", action="store_true")
    a = parser.parse_args()
    a.work, a.kyfsl = os.path.abspath(a.work), os.path.abspath(a.kyfsl)
    os.makedirs(a.work, exist_ok=True)
    lib = os.path.join(a.work, "interop.bru")
    write_library(lib)
    mapnik_check(a.kyfsl, a.work, lib)
    if not a.mapnik_only:
        qgis_check(a.kyfsl, a.work, lib)
    print(f"{len(failures)} of the checks failed" if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
