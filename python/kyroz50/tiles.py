"""kyroz50.tiles: a pyramid of web map tiles drawn on local processes or on a
dask.distributed cluster.

The pyramid is cut into metatiles; each task draws one metatile in a worker
process, which opens the source itself (a file path every worker can reach,
or a PostGIS connection string) once and keeps it for its later tasks, and
returns its tiles' PNG bytes. The calling process alone writes them into a
folder (out/z/x/y.png) or an MBTiles file (a path ending in .mbtiles). The
bytes are those `kyfsl tiles` writes.

Several machines: start a scheduler and workers, then point a client at it:

    dask scheduler                          # on one machine; prints tcp://HOST:8786
    dask worker tcp://HOST:8786 --nthreads 1 --nworkers 4   # on each machine
    >>> from dask.distributed import Client
    >>> kyroz50.tiles.render("PG:dbname=gis host=db:countries", "world.mbtiles", (0, 8),
    ...                      by="continent", client=Client("tcp://HOST:8786"))

Workers need one thread each (--nthreads 1): a process draws one metatile at
a time.
"""

from __future__ import annotations

import concurrent.futures
import json
import multiprocessing
import os
import sqlite3

from . import Library, _error, _kyroz50

__all__ = ["render"]

# The tilers of this process, by options and library: a worker opens its
# source once, not once a task.
_tilers: dict = {}


def _tiler(options: str, library_path):
    key = (options, library_path)
    held = _tilers.get(key)
    if held is None:
        lib = None if library_path is None else Library.open(library_path)
        held = (_kyroz50.Tiler(None if lib is None else lib._handle, options), lib)
        _tilers[key] = held
    return held[0]


def _draw(options: str, library_path, item):
    z, x, y, x0, y0, x1, y1 = item
    return [(tz, tx, ty, bytes(png)) for tz, tx, ty, png in _tiler(options, library_path).draw(z, x, y, x0, y0, x1, y1)]


class _Folder:
    def __init__(self, path):
        self.path = os.fspath(path)
        os.makedirs(self.path, exist_ok=True)

    def put(self, tiles):
        for z, x, y, png in tiles:
            folder = os.path.join(self.path, str(z), str(x))
            os.makedirs(folder, exist_ok=True)
            target = os.path.join(folder, f"{y}.png")
            with open(target + ".part", "wb") as f:
                f.write(png)
            os.replace(target + ".part", target)

    def close(self):
        pass


class _MBTiles:
    def __init__(self, path, plan, zooms):
        self.db = sqlite3.connect(os.fspath(path))
        w, s, e, n = plan["bounds"]
        with self.db:
            self.db.execute("CREATE TABLE IF NOT EXISTS metadata (name TEXT, value TEXT)")
            self.db.execute("CREATE UNIQUE INDEX IF NOT EXISTS metadata_name ON metadata (name)")
            self.db.execute("CREATE TABLE IF NOT EXISTS tiles (zoom_level INTEGER, tile_column INTEGER, "
                            "tile_row INTEGER, tile_data BLOB)")
            self.db.execute("CREATE UNIQUE INDEX IF NOT EXISTS tile_index ON tiles (zoom_level, tile_column, tile_row)")
            meta = {"name": plan["name"], "format": "png", "type": "overlay", "version": "1",
                    "bounds": f"{w:.6f},{s:.6f},{e:.6f},{n:.6f}",
                    "center": f"{(w + e) / 2:.6f},{(s + n) / 2:.6f},{zooms[0]}",
                    "minzoom": str(zooms[0]), "maxzoom": str(zooms[1])}
            self.db.executemany("INSERT OR REPLACE INTO metadata VALUES (?, ?)", meta.items())

    def put(self, tiles):
        # A metatile's tiles in one transaction: all or none.
        with self.db:
            self.db.executemany("INSERT OR REPLACE INTO tiles VALUES (?, ?, ?, ?)",
                                [(z, x, (1 << z) - 1 - y, png) for z, x, y, png in tiles])

    def close(self):
        self.db.close()


def render(source, out, zooms, library=None, by=None, styles=None, client=None, tile_size=256, scale=1,
           metatile=8, bbox=None, progress=None, antialias=True):
    """Draws the pyramid of zooms (min, max) of source into out.

    library: a Library opened from a file (every worker opens that file), or
    None for the built-in one; by: a field to class the features by; styles:
    a STYLES.json path or a dict of the same shape; client: a
    dask.distributed Client, or None for local processes; bbox: (west,
    south, east, north) in degrees; antialias: smooth edges and outlines (seamless
    to the pixel, as kyfsl tiles draws them by default), False for the module's
    own pixels. progress(done, total) is called after
    each metatile. Returns {"metatiles": n, "tiles": written}. Raises
    kyroz50.Error for a source, field, style or option that cannot be used.
    """
    if library is not None and not isinstance(library, Library):
        raise _error("library must be a kyroz50.Library or None")
    library_path = None if library is None else library.path
    if library is not None and library_path is None:
        raise _error("the workers open the library themselves: give one opened with Library.open(path)")
    if isinstance(styles, (str, os.PathLike)):
        with open(styles, encoding="utf-8") as f:
            styles = json.load(f)
    z0, z1 = zooms
    options = {"data": os.fspath(source), "zoom": [int(z0), int(z1)], "tile_size": int(tile_size),
               "scale": int(scale), "metatile": int(metatile), "antialias": bool(antialias)}
    if by is not None:
        options["by"] = by
    if styles is not None:
        options["styles"] = styles
    if bbox is not None:
        options["bbox"] = [float(v) for v in bbox]
    text = json.dumps(options, sort_keys=True)
    plan = json.loads(_tiler(text, library_path).plan())
    items = plan["metatiles"]
    path = os.fspath(out)
    writer = _MBTiles(path, plan, (z0, z1)) if path.lower().endswith(".mbtiles") else _Folder(path)
    written = 0
    try:
        if client is not None:
            from dask.distributed import as_completed
            futures = client.map(_draw, [text] * len(items), [library_path] * len(items), items, pure=False)
            done = as_completed(futures)
        else:
            # Fresh processes, not forks: a fork would share this process's
            # open source (its file offsets, its database connection).
            pool = concurrent.futures.ProcessPoolExecutor(max_workers=os.cpu_count() or 1,
                                                          mp_context=multiprocessing.get_context("spawn"))
            futures = [pool.submit(_draw, text, library_path, item) for item in items]
            done = concurrent.futures.as_completed(futures)
        for count, future in enumerate(done, 1):
            tiles = future.result()
            writer.put(tiles)
            written += len(tiles)
            if progress:
                progress(count, len(items))
        if client is None:
            pool.shutdown()
    finally:
        writer.close()
    return {"metatiles": len(items), "tiles": written}
