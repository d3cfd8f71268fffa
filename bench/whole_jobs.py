#!/usr/bin/python3
"""Whole jobs as a user runs them, ours against Mapnik's in the same run.

Each job is a process started from nothing that reads the data, draws a
4096 x 2048 picture of the world with an 8-pixel hatch and one-pixel outlines,
both anti-aliased, and writes a 24/32-bit PNG:

  kyfsl map DATA --default --styles hatch.json --size 4096x2048 -o out.png
  python3 mapnik_job.py (loads a Mapnik XML map, renders it, saves png32)

on the shipped countries and on a layer of 100,000 small polygons (jittered
grid cells on land, seeded, written to a GeoPackage under --work at the first
run and kept there). The A4 PDF of the world map is timed beside. Prints the
median wall time of --runs runs of each and the ratios.

  bench/whole_jobs.py --kyfsl build-rel/tools/kyfsl/kyfsl [--runs 7] [--work DIR]
"""
import argparse
import json
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
WORLD = os.path.join(HERE, "..", "data", "naturalearth", "naturalearth_lowres.shp")
CELLS = 100_000
SEED = 20261207

MAPNIK_JOB = """
import sys
import mapnik
m = mapnik.Map(4096, 2048)
mapnik.load_map(m, sys.argv[1])
m.zoom_to_box(mapnik.Box2d(-180, -90, 180, 90))
image = mapnik.Image(4096, 2048)
mapnik.render(m, image)
image.save(sys.argv[2], "png32")
"""

MAPNIK_XML = """<Map srs="+proj=longlat +datum=WGS84 +no_defs" background-color="#FFFFFF">
  <Style name="hatch">
    <Rule>
      <PolygonPatternSymbolizer file="{tile}" alignment="global"/>
      <LineSymbolizer stroke="#000000" stroke-width="1"/>
    </Rule>
  </Style>
  <Layer name="data" srs="+proj=longlat +datum=WGS84 +no_defs">
    <StyleName>hatch</StyleName>
    <Datasource>
      <Parameter name="type">ogr</Parameter>
      <Parameter name="file">{data}</Parameter>
      <Parameter name="layer_by_index">0</Parameter>
    </Datasource>
  </Layer>
</Map>
"""

# Built-in fill 2 is the 8-pixel diagonal hatch; 0.2646 mm is one pixel at
# 96 dpi.
STYLES = {"default": {"style": 2, "fore": "#000000", "back": "#FFFFFF",
                      "outline": {"colour": "#000000", "width": 0.2646}}}


def hatch_png(path):
    """The same 8 x 8 hatch for Mapnik: one diagonal line, black on white."""
    import zlib
    import struct
    rows = b"".join(b"\x00" + b"".join(b"\x00\x00\x00" if (x + y) % 8 == 7 else b"\xff\xff\xff"
                                       for x in range(8)) for y in range(8))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 8, 8, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def cells_layer(path):
    """CELLS jittered grid cells whose centres lie on land, seeded."""
    if os.path.exists(path):
        return path
    from osgeo import ogr, osr
    from shapely import wkb
    from shapely.ops import unary_union
    from shapely.prepared import prep
    ogr.UseExceptions()
    world = ogr.Open(WORLD)
    land = prep(unary_union([wkb.loads(bytes(f.GetGeometryRef().ExportToWkb())) for f in world.GetLayer(0)]))
    rng = random.Random(SEED)
    nx, ny = 1200, 600
    dx, dy = 360 / nx, 180 / ny
    # Shared jittered corners: neighbouring cells meet without gaps.
    corner = [[(-180 + i * dx + (rng.uniform(-0.3, 0.3) * dx if 0 < i < nx else 0),
                -90 + j * dy + (rng.uniform(-0.3, 0.3) * dy if 0 < j < ny else 0))
               for j in range(ny + 1)] for i in range(nx + 1)]
    from shapely.geometry import Point
    tmp = path + ".part"
    if os.path.exists(tmp):
        os.remove(tmp)
    ds = ogr.GetDriverByName("GPKG").CreateDataSource(tmp)
    srs = osr.SpatialReference()
    srs.ImportFromEPSG(4326)
    layer = ds.CreateLayer("cells", srs, ogr.wkbPolygon)
    layer.StartTransaction()
    made = 0
    for j in range(ny):
        for i in range(nx):
            if made == CELLS:
                break
            if not land.contains(Point(-180 + (i + 0.5) * dx, -90 + (j + 0.5) * dy)):
                continue
            ring = ogr.Geometry(ogr.wkbLinearRing)
            for (a, b) in ((i, j), (i + 1, j), (i + 1, j + 1), (i, j + 1), (i, j)):
                ring.AddPoint_2D(*corner[a][b])
            poly = ogr.Geometry(ogr.wkbPolygon)
            poly.AddGeometry(ring)
            f = ogr.Feature(layer.GetLayerDefn())
            f.SetGeometry(poly)
            layer.CreateFeature(f)
            made += 1
    layer.CommitTransaction()
    ds = None
    os.rename(tmp, path)
    print(f"whole jobs: {made} cells written to {path}", file=sys.stderr)
    return path


def median_seconds(cmds, runs):
    """Median wall times of each command, run in turn round after round, so
    that a slower spell of the machine weighs on all of them alike."""
    times = {name: [] for name in cmds}
    for _ in range(runs):
        for name, cmd in cmds.items():
            start = time.perf_counter()
            subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL)
            times[name].append(time.perf_counter() - start)
    return {name: statistics.median(t) for name, t in times.items()}


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--kyfsl", required=True)
    p.add_argument("--runs", type=int, default=7)
    p.add_argument("--work", default=os.path.join(tempfile.gettempdir(), "ky-whole-jobs"))
    a = p.parse_args()
    os.makedirs(a.work, exist_ok=True)
    tile = os.path.join(a.work, "hatch.png")
    hatch_png(tile)
    styles = os.path.join(a.work, "hatch.json")
    with open(styles, "w") as f:
        json.dump(STYLES, f)
    job = os.path.join(a.work, "mapnik_job.py")
    with open(job, "w") as f:
        f.write(MAPNIK_JOB)
    results = {}
    for name, data in (("world", os.path.abspath(WORLD)), ("cells", cells_layer(os.path.join(a.work, "cells.gpkg")))):
        xml = os.path.join(a.work, name + ".xml")
        with open(xml, "w") as f:
            f.write(MAPNIK_XML.format(tile=tile, data=data))
        base = [a.kyfsl, "map", data, "--default", "--styles", styles, "--size", "4096x2048",
                "--extent", "-180,-90,180,90", "--quiet"]
        # A whole run of each first, to warm the page cache and check they work.
        ours = base + ["-o", os.path.join(a.work, name + "-ky.png")]
        theirs = ["/usr/bin/python3", job, xml, os.path.join(a.work, name + "-mapnik.png")]
        subprocess.run(ours, check=True)
        subprocess.run(theirs, check=True)
        jobs = {"kyfsl": ours, "mapnik": theirs, "kyfsl_gdi": ours + ["--antialias", "off"]}
        if name == "world":
            pdf = [a.kyfsl, "map", data, "--default", "--styles", styles, "--quiet",
                   "-o", os.path.join(a.work, "world.pdf")]
            jobs["kyfsl_pdf_a4"] = pdf
        results[name] = median_seconds(jobs, a.runs)
    for name, r in results.items():
        line = f"{name:6} kyfsl {r['kyfsl'] * 1000:7.1f} ms  mapnik {r['mapnik'] * 1000:7.1f} ms  " \
               f"ratio {r['kyfsl'] / r['mapnik']:.2f}  (module's own pixels {r['kyfsl_gdi'] * 1000:.1f} ms)"
        if "kyfsl_pdf_a4" in r:
            line += f"  A4 PDF {r['kyfsl_pdf_a4'] * 1000:.1f} ms"
        print(line)
    print(json.dumps(results))


if __name__ == "__main__":
    main()
