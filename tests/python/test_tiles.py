"""kyroz50.tiles.render on a real dask.distributed LocalCluster of two worker
processes, and on local processes: the same tiles, byte for byte, as
`kyfsl tiles`; a worker killed in the middle is replaced and the pyramid is
still whole."""

import os
import signal
import sqlite3
import subprocess

import pytest

import kyroz50
from kyroz50 import _kyroz50

pytestmark = pytest.mark.skipif(not hasattr(_kyroz50, "Tiler"), reason="built without the tile renderer")

DATA = os.path.join(os.environ.get("KY_REPO", "."), "data", "naturalearth", "naturalearth_lowres.shp")


def tiles_of(folder):
    out = {}
    for root, _, files in os.walk(folder):
        for name in files:
            rel = os.path.relpath(os.path.join(root, name), folder)
            if name.endswith(".png") and rel.split(os.sep)[0].isdigit():
                with open(os.path.join(root, name), "rb") as f:
                    out[rel] = f.read()
    return out


def reference(tmp_path, zooms, metatile):
    out = tmp_path / f"ref-{metatile}"
    subprocess.run([os.environ["KYFSL"], "tiles", DATA, "--default", "--by", "continent", "--zoom",
                    f"{zooms[0]}-{zooms[1]}", "--metatile", str(metatile), "--jobs", "1", "--quiet", "-o", str(out)],
                   check=True)
    return tiles_of(out)


@pytest.fixture(scope="module")
def cluster():
    distributed = pytest.importorskip("distributed")
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None) as c:
        with distributed.Client(c) as client:
            yield client


def test_a_cluster_draws_the_same_bytes_as_the_command(tmp_path, cluster):
    ref = reference(tmp_path, (0, 2), 2)
    result = kyroz50.tiles.render(DATA, tmp_path / "dask", (0, 2), by="continent", client=cluster, metatile=2)
    assert tiles_of(tmp_path / "dask") == ref
    assert result == {"metatiles": 6, "tiles": len(ref)}


def test_a_killed_worker_is_replaced_and_the_pyramid_is_whole(tmp_path, cluster):
    ref = reference(tmp_path, (0, 3), 1)
    pids = list(cluster.run(os.getpid).values())
    killed = []

    def kill_one(done, total):
        if done == 3 and not killed:
            os.kill(pids[0], signal.SIGKILL)
            killed.append(pids[0])

    kyroz50.tiles.render(DATA, tmp_path / "killed", (0, 3), by="continent", client=cluster, metatile=1,
                         progress=kill_one)
    assert killed
    assert tiles_of(tmp_path / "killed") == ref


def test_local_processes_write_mbtiles_in_tms_rows(tmp_path):
    ref = reference(tmp_path, (0, 2), 2)
    kyroz50.tiles.render(DATA, tmp_path / "t.mbtiles", (0, 2), by="continent", metatile=2)
    db = sqlite3.connect(tmp_path / "t.mbtiles")
    got = {os.path.join(str(z), str(x), f"{(1 << z) - 1 - row}.png"): bytes(data)
           for z, x, row, data in db.execute("SELECT zoom_level, tile_column, tile_row, tile_data FROM tiles")}
    assert got == ref
    meta = dict(db.execute("SELECT name, value FROM metadata"))
    assert (meta["format"], meta["minzoom"], meta["maxzoom"]) == ("png", "0", "2")


@pytest.mark.parametrize("kwargs, message", [
    ({"by": "nosuch"}, "has no field 'nosuch'"),
    ({"zooms": (0, 23)}, "within 0-22"),
    ({"bbox": (190, 0, 200, 10)}, "outside the world"),
])
def test_bad_input_is_a_clear_error(tmp_path, kwargs, message):
    zooms = kwargs.pop("zooms", (0, 1))
    with pytest.raises(kyroz50.Error, match=message):
        kyroz50.tiles.render(DATA, tmp_path / "x", zooms, **kwargs)
