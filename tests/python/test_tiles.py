"""kyroz50.tiles.render on a real dask.distributed LocalCluster of two worker
processes, and on local processes: the same tiles, byte for byte, as
`kyfsl tiles`; a worker killed in the middle is replaced and the pyramid is
still whole; a folder gets the command's viewer page, and an interrupted
run resumes without drawing again what it stored."""

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


def reference(tmp_path, zooms, metatile, folder=False):
    out = tmp_path / f"ref-{metatile}"
    subprocess.run([os.environ["KYFSL"], "tiles", DATA, "--default", "--by", "continent", "--zoom",
                    f"{zooms[0]}-{zooms[1]}", "--metatile", str(metatile), "--jobs", "1", "--quiet", "-o", str(out)],
                   check=True)
    return out if folder else tiles_of(out)


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
    assert result == {"metatiles": 6, "kept": 0, "tiles": len(ref)}


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


def viewer_files(folder):
    names = ["index.html", "tiles.js", "leaflet/leaflet.js", "leaflet/leaflet.css"]
    names += [os.path.join("legend", n) for n in sorted(os.listdir(os.path.join(folder, "legend")))]
    out = {}
    for name in names:
        with open(os.path.join(folder, name), "rb") as f:
            out[name] = f.read()
    return out


class Interrupted(Exception):
    pass


def test_a_folder_gets_the_viewer_page_and_an_interrupted_run_resumes(tmp_path):
    ref_folder = reference(tmp_path, (0, 2), 2, folder=True)
    ref = tiles_of(ref_folder)
    out = tmp_path / "resumed"

    def stop_after_three(done, total):
        if done == 3:
            raise Interrupted()

    with pytest.raises(Interrupted):
        kyroz50.tiles.render(DATA, out, (0, 2), by="continent", metatile=2, progress=stop_after_three)
    first = tiles_of(out)
    assert first and len(first) < len(ref)
    assert all(ref[name] == data for name, data in first.items())
    assert not os.path.exists(out / "index.html")
    stamps = {name: os.stat(out / name).st_ino for name in first}

    with pytest.raises(kyroz50.Error, match="already holds files"):
        kyroz50.tiles.render(DATA, out, (0, 2), by="continent", metatile=2)
    with pytest.raises(kyroz50.Error, match="other options"):
        kyroz50.tiles.render(DATA, out, (0, 3), by="continent", metatile=2, resume=True)

    result = kyroz50.tiles.render(DATA, out, (0, 2), by="continent", metatile=2, resume=True)
    assert (result["metatiles"], result["kept"]) == (3, 3)
    # The tiles stored before are the same files, not drawn again.
    assert {name: os.stat(out / name).st_ino for name in first} == stamps
    assert tiles_of(out) == ref
    # The page, its list of tiles, Leaflet and the legend are the command's.
    assert viewer_files(out) == viewer_files(ref_folder)
    assert len(os.listdir(out / "legend")) == 8


def test_an_mbtiles_file_resumes_and_shares_identical_tiles(tmp_path):
    ref = reference(tmp_path, (0, 2), 2)
    out = tmp_path / "t.mbtiles"

    def stop_after_two(done, total):
        if done == 2:
            raise Interrupted()

    with pytest.raises(Interrupted):
        kyroz50.tiles.render(DATA, out, (0, 2), by="continent", metatile=2, progress=stop_after_two)
    result = kyroz50.tiles.render(DATA, out, (0, 2), by="continent", metatile=2, resume=True)
    assert (result["metatiles"], result["kept"]) == (4, 2)
    db = sqlite3.connect(out)
    got = {os.path.join(str(z), str(x), f"{(1 << z) - 1 - row}.png"): bytes(data)
           for z, x, row, data in db.execute("SELECT zoom_level, tile_column, tile_row, tile_data FROM tiles")}
    assert got == ref
    assert db.execute("SELECT COUNT(*) FROM images").fetchone()[0] == len(set(ref.values()))
    assert db.execute("SELECT COUNT(*) FROM kyfsl_legend").fetchone()[0] == 8


@pytest.mark.parametrize("kwargs, message", [
    ({"by": "nosuch"}, "has no field 'nosuch'"),
    ({"zooms": (0, 23)}, "within 0-22"),
    ({"bbox": (190, 0, 200, 10)}, "outside the world"),
])
def test_bad_input_is_a_clear_error(tmp_path, kwargs, message):
    zooms = kwargs.pop("zooms", (0, 1))
    with pytest.raises(kyroz50.Error, match=message):
        kyroz50.tiles.render(DATA, tmp_path / "x", zooms, **kwargs)
