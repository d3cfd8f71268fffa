"""kyroz50.tiles: a pyramid of web map tiles drawn on local processes or on a
dask.distributed cluster.

The pyramid is cut into metatiles; each task draws one metatile in a worker
process, which opens the source itself (a file path every worker can reach,
or a PostGIS connection string) once and keeps it for its later tasks, and
returns its tiles' PNG bytes. The calling process alone writes them into a
folder (out/z/x/y.png with the viewer page index.html) or an MBTiles file (a
path ending in .mbtiles), through the same writer as `kyfsl tiles`: the
bytes, the files and a resumed run are those of the command.

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
    """The metatile (z, x, y) and its drawn tiles [(z, x, y, png bytes)]."""
    z, x, y, x0, y0, x1, y1 = item
    tiles = _tiler(options, library_path).draw(z, x, y, x0, y0, x1, y1)
    return (z, x, y), [(tz, tx, ty, bytes(png)) for tz, tx, ty, png in tiles]


def render(source, out, zooms, library=None, by=None, styles=None, client=None, tile_size=256, scale=1,
           metatile=8, bbox=None, progress=None, antialias=True, resume=False):
    """Draws the pyramid of zooms (min, max) of source into out.

    library: a Library opened from a file (every worker opens that file), or
    None for the built-in one; by: a field to class the features by; styles:
    a STYLES.json path or a dict of the same shape; client: a
    dask.distributed Client, or None for local processes; bbox: (west,
    south, east, north) in degrees; antialias: smooth edges and outlines (seamless
    to the pixel, as kyfsl tiles draws them by default), False for the module's
    own pixels. progress(done, total) is called after each metatile drawn. A
    folder gets the viewer page (index.html, Leaflet, the legend, the list of
    its tiles). The output must be new unless resume is true: then an output
    begun with the same options keeps the metatiles it finished and only the
    others are drawn. Returns {"metatiles": drawn, "kept": finished before,
    "tiles": written}. Raises kyroz50.Error for a source, field, style,
    option or output that cannot be used; what was stored before an error
    stays.
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
               "scale": int(scale), "metatile": int(metatile), "antialias": bool(antialias),
               "library": "default" if library_path is None else os.path.abspath(library_path)}
    if by is not None:
        options["by"] = by
    if styles is not None:
        options["styles"] = styles
    if bbox is not None:
        options["bbox"] = [float(v) for v in bbox]
    text = json.dumps(options, sort_keys=True)
    tiler = _tiler(text, library_path)
    plan = json.loads(tiler.plan())
    writer = _kyroz50.TileOutput(tiler, os.fspath(out), bool(resume))
    try:
        items = [item for item in plan["metatiles"] if not writer.done(*item[:3])]
        kept = len(plan["metatiles"]) - len(items)
        written = 0
        if client is not None:
            from dask.distributed import as_completed
            futures = client.map(_draw, [text] * len(items), [library_path] * len(items), items, pure=False)
            done = as_completed(futures)
            pool = None
        else:
            # Fresh processes, not forks: a fork would share this process's
            # open source (its file offsets, its database connection).
            pool = concurrent.futures.ProcessPoolExecutor(max_workers=os.cpu_count() or 1,
                                                          mp_context=multiprocessing.get_context("spawn"))
            futures = [pool.submit(_draw, text, library_path, item) for item in items]
            done = concurrent.futures.as_completed(futures)
        try:
            for count, future in enumerate(done, 1):
                (z, x, y), tiles = future.result()
                writer.store(z, x, y, tiles)
                written += len(tiles)
                if progress:
                    progress(count, len(items))
        finally:
            if pool is not None:
                pool.shutdown(cancel_futures=True)
        writer.finish()
    finally:
        writer.close()
    return {"metatiles": len(items), "kept": kept, "tiles": written}
