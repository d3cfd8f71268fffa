#!/usr/bin/python3
"""A large polygon layer for the tile benchmarks: the Voronoi tessellation of
seeded random points over the land, written into a GeoPackage with its R-tree.

    make_voronoi.py LAND.shp OUT.gpkg [--points 1000000] [--seed 27]

The points are spread evenly over the land: the land is burnt into a grid of
0.1 degree cells, land cells are drawn at random and a point is placed at
random inside each. The cells are cut to the world of Web Mercator
(-180..180, -85..85). The same arguments give the same file.
"""

import argparse
import os
import sys
import time

import numpy as np
from osgeo import gdal, ogr, osr
from shapely.geometry import MultiPoint, box
from shapely.ops import voronoi_diagram

gdal.UseExceptions()
ogr.UseExceptions()


def land_mask(land_path, step):
    """The land as a grid of step degrees: rows from the north."""
    width, height = int(round(360 / step)), int(round(170 / step))
    grid = gdal.GetDriverByName("MEM").Create("", width, height, 1, gdal.GDT_Byte)
    grid.SetGeoTransform((-180, step, 0, 85, 0, -step))
    wgs84 = osr.SpatialReference()
    wgs84.ImportFromEPSG(4326)
    grid.SetProjection(wgs84.ExportToWkt())
    source = ogr.Open(land_path)
    gdal.RasterizeLayer(grid, [1], source.GetLayer(0), burn_values=[1])
    return grid.GetRasterBand(1).ReadAsArray().astype(bool)


def points_over_land(mask, step, count, rng):
    rows, cols = np.nonzero(mask)
    pick = rng.integers(0, len(rows), size=count)
    x = -180 + (cols[pick] + rng.random(count)) * step
    y = 85 - (rows[pick] + rng.random(count)) * step
    return np.column_stack([x, y])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("land")
    parser.add_argument("out")
    parser.add_argument("--points", type=int, default=1_000_000)
    parser.add_argument("--seed", type=int, default=27)
    args = parser.parse_args()
    if args.points < 10:
        parser.error("--points must be at least 10")

    start = time.time()
    rng = np.random.default_rng(args.seed)
    step = 0.1
    points = points_over_land(land_mask(args.land, step), step, args.points, rng)
    world = box(-180, -85, 180, 85)
    cells = voronoi_diagram(MultiPoint(points), envelope=world)
    print(f"{len(cells.geoms)} cells in {time.time() - start:.1f} s", file=sys.stderr)

    root, ext = os.path.splitext(args.out)
    part = root + ".part" + ext
    if os.path.exists(part):
        os.remove(part)
    wgs84 = osr.SpatialReference()
    wgs84.ImportFromEPSG(4326)
    wgs84.SetAxisMappingStrategy(osr.OAMS_TRADITIONAL_GIS_ORDER)
    ds = ogr.GetDriverByName("GPKG").CreateDataSource(part)
    layer = ds.CreateLayer("cells", wgs84, ogr.wkbPolygon, options=["SPATIAL_INDEX=YES"])
    layer.CreateField(ogr.FieldDefn("cell", ogr.OFTInteger))
    definition = layer.GetLayerDefn()
    layer.StartTransaction()
    n = 0
    for cell in cells.geoms:
        minx, miny, maxx, maxy = cell.bounds
        if minx < -180 or miny < -85 or maxx > 180 or maxy > 85:
            cell = cell.intersection(world)
            if cell.is_empty or cell.geom_type != "Polygon":
                continue
        feature = ogr.Feature(definition)
        feature.SetField("cell", n)
        feature.SetGeometryDirectly(ogr.CreateGeometryFromWkb(cell.wkb))
        layer.CreateFeature(feature)
        n += 1
        if n % 200_000 == 0:
            layer.CommitTransaction()
            layer.StartTransaction()
    layer.CommitTransaction()
    ds = None
    os.replace(part, args.out)
    print(f"{n} polygons into {args.out} in {time.time() - start:.1f} s", file=sys.stderr)


if __name__ == "__main__":
    main()
