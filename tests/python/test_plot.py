"""kyroz50.plot on the shipped countries: classes, pattern pixels, legend, errors."""

import json
import os
import subprocess
import sys
from pathlib import Path

import matplotlib

matplotlib.use("Agg")
import geopandas  # noqa: E402
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
import pytest  # noqa: E402
from shapely.geometry import Polygon  # noqa: E402

import kyroz50  # noqa: E402
from kyroz50.plot import automatic_styles  # noqa: E402

REPO = Path(os.environ.get("KY_REPO", Path(__file__).resolve().parents[2]))
COUNTRIES = REPO / "data/naturalearth/naturalearth_lowres.shp"


def picture_of(ax):
    images = ax.get_images()
    assert len(images) == 1
    return np.asarray(images[0].get_array())


def test_world_by_continent_has_a_legend_entry_per_class():
    gdf = geopandas.read_file(COUNTRIES)
    fig, ax = plt.subplots(figsize=(6, 3.5), dpi=100)
    lib = kyroz50.Library.default()
    kyroz50.plot(gdf, column="continent", library=lib, ax=ax)
    labels = [t.get_text() for t in ax.get_legend().get_texts()]
    assert labels == sorted(gdf["continent"].astype(str).unique())
    picture = picture_of(ax)
    # Oceans stay transparent, land is painted.
    assert picture[..., 3].min() == 0 and picture[..., 3].max() == 255
    assert 0.15 < (picture[..., 3] == 255).mean() < 0.6
    plt.close(fig)


def test_shapely_polygons_anchor_to_the_map():
    # Two squares side by side filled with one style continue one pattern:
    # the picture equals one rectangle covering both.
    left = Polygon([(0, 0), (10, 0), (10, 10), (0, 10)])
    right = Polygon([(10, 0), (20, 0), (20, 10), (10, 10)])
    whole = Polygon([(0, 0), (20, 0), (20, 10), (0, 10)])
    lib = kyroz50.Library.default()
    sid = lib.ids[3]
    pictures = []
    for shapes in ([left, right], [whole]):
        fig, ax = plt.subplots(figsize=(4, 2), dpi=100)
        kyroz50.plot(shapes, library=lib, ax=ax, styles={"all": sid}, legend=False)
        pictures.append(picture_of(ax).copy())
        plt.close(fig)
    assert np.array_equal(pictures[0], pictures[1])


def test_plot_errors():
    lib = kyroz50.Library.default()
    fig, ax = plt.subplots()
    with pytest.raises(kyroz50.Error, match="nothing to draw"):
        kyroz50.plot([], library=lib, ax=ax)
    gdf = geopandas.GeoDataFrame({"k": ["a"]}, geometry=[Polygon([(0, 0), (1, 0), (1, 1)])])
    with pytest.raises(kyroz50.Error, match="no column 'nope'"):
        kyroz50.plot(gdf, column="nope", library=lib, ax=ax)
    with pytest.raises(kyroz50.Error, match="no style for class 'a'"):
        kyroz50.plot(gdf, column="k", library=lib, ax=ax, styles={"b": 8})
    with pytest.raises(kyroz50.Error, match=r"the extent \(0, 0, 0, 1\) is empty"):
        kyroz50.plot(gdf, library=lib, ax=ax, extent=(0, 0, 0, 1))
    plt.close(fig)


def test_example_script_writes_the_world(tmp_path):
    out = tmp_path / "world.png"
    env = dict(os.environ)
    subprocess.run([sys.executable, str(REPO / "examples/world_map.py"), str(out), "72"], check=True, env=env,
                   capture_output=True)
    assert out.stat().st_size > 10000


def kyfsl_map(*args):
    """Runs kyfsl map on the shipped countries with the built-in library; its stdout."""
    kyfsl = os.environ.get("KYFSL", str(REPO / "build/tools/kyfsl/kyfsl"))
    run = subprocess.run([kyfsl, "map", str(COUNTRIES), "--default", "--quiet", *args], check=True,
                         capture_output=True, text=True)
    return run.stdout


def test_the_same_map_as_kyfsl_map(tmp_path):
    # 960 x 480 at 96 dpi is 254 x 127 mm exactly, so both devices have the
    # same resolution; the extent has the picture's aspect.
    size, extent = ["--size", "960x480", "--extent", "-180,-90,180,90"], (-180, -90, 180, 90)
    report = json.loads(kyfsl_map("--by", "continent", "--json", "-o", str(tmp_path / "by.png"), *size))
    # The last class is the fallback for values without a class; --by leaves it empty.
    classes = [c for c in report["classes"] if c["features"] > 0]
    assert len(classes) == len(report["classes"]) - 1
    lib = kyroz50.Library.default()
    gdf = geopandas.read_file(COUNTRIES)
    # The automatic classes are kyfsl map --by's: the same styles and colours.
    automatic = automatic_styles(sorted(gdf["continent"].astype(str).unique()), lib)
    assert {c["value"]: (c["style"], c["fore"]) for c in classes} == automatic

    # Without outlines (matplotlib smooths its lines), every pixel is the same.
    styles = {c["value"]: (c["style"], c["fore"], c["back"]) for c in classes}
    rules = {"field": "continent",
             "classes": {v: {"style": s, "fore": f, "back": b, "outline": False} for v, (s, f, b) in styles.items()}}
    (tmp_path / "styles.json").write_text(json.dumps(rules))
    for smooth in (True, False):
        flag = "on" if smooth else "off"
        kyfsl_map("--styles", str(tmp_path / "styles.json"), "--antialias", flag, "-o", str(tmp_path / "kyfsl.png"),
                  *size)
        fig = plt.figure(figsize=(960 / 96, 480 / 96), dpi=96)
        ax = fig.add_axes([0, 0, 1, 1])
        ax.set_axis_off()
        kyroz50.plot(gdf, column="continent", library=lib, ax=ax, styles=styles, legend=False, background="#FFFFFF",
                     extent=extent, antialias=smooth)
        fig.savefig(tmp_path / "python.png", dpi=96)
        plt.close(fig)
        ours = plt.imread(tmp_path / "python.png")[..., :3]
        theirs = plt.imread(tmp_path / "kyfsl.png")[..., :3]
        assert ours.shape == theirs.shape == (480, 960, 3)
        # Smoothed, both blend the module's fill by the same exact cover.
        assert (ours != theirs).any(axis=2).sum() == 0, flag
    # And the map is not empty: land in several class colours, sea white.
    colours = {tuple(int(round(255 * v)) for v in px) for px in ours.reshape(-1, 3)[::97]}
    assert (255, 255, 255) in colours and len(colours) >= 6


def _legend_box(fig, ax):
    fig.canvas.draw()
    return ax.get_legend().get_window_extent(fig.canvas.get_renderer())


def test_a_legend_outside_stands_beside_the_axes():
    gdf = geopandas.read_file(COUNTRIES)
    fig, ax = plt.subplots(figsize=(8, 4), dpi=100)
    kyroz50.plot(gdf, column="continent", ax=ax, legend="outside")
    box, axes = _legend_box(fig, ax), ax.get_window_extent()
    assert box.x0 >= axes.x1
    plt.close(fig)


def test_a_legend_inside_avoids_the_polygons():
    # Land in the lower left and upper right: the legend takes an empty corner.
    shapes = [Polygon([(0, 0), (5, 0), (5, 5), (0, 5)]), Polygon([(5, 5), (10, 5), (10, 10), (5, 10)])]
    gdf = geopandas.GeoDataFrame({"k": ["a", "b"]}, geometry=shapes)
    fig, ax = plt.subplots(figsize=(5, 5), dpi=100)
    kyroz50.plot(gdf, column="k", ax=ax, legend="best")
    box = _legend_box(fig, ax)
    inverse = ax.transData.inverted()
    (x0, y0), (x1, y1) = inverse.transform([(box.x0, box.y0), (box.x1, box.y1)])
    in_lower_left = x0 < 5 and y0 < 5
    in_upper_right = x1 > 5 and y1 > 5
    assert not in_lower_left or not in_upper_right
    assert (x1 <= 5 and y0 >= 5) or (x0 >= 5 and y1 <= 5)  # upper left or lower right
    plt.close(fig)


def test_many_classes_flow_into_columns_and_large_tiles_get_large_swatches():
    gdf = geopandas.read_file(COUNTRIES)
    fig, ax = plt.subplots(figsize=(8, 4), dpi=100)
    lib = kyroz50.Library.default()
    kyroz50.plot(gdf, column="name", library=lib, ax=ax, legend="outside")
    legend = ax.get_legend()
    assert len(legend.get_texts()) == 177
    assert legend._ncols > 1
    # Every swatch holds a whole tile of the largest pattern shown.
    chosen = automatic_styles(sorted(gdf["name"].astype(str).unique()), lib)
    largest = max(lib[spec[0]].tile_size(100)[1] for spec in chosen.values())
    assert legend.handleheight * 8.0 * 100 / 72 >= largest
    plt.close(fig)
