#!/usr/bin/python3
"""The shipped Natural Earth countries filled with the built-in library's
patterns, one class per continent, at the figure's dpi.

    PYTHONPATH=build/python /usr/bin/python3 examples/world_map.py world.png [DPI]

(or after `pip install .`, without PYTHONPATH). Run it cell by cell in a
notebook just as well: each step is a few lines.
"""

import sys
from pathlib import Path

import matplotlib

matplotlib.use("Agg")
import geopandas  # noqa: E402
import matplotlib.pyplot as plt  # noqa: E402

import kyroz50  # noqa: E402

out = sys.argv[1] if len(sys.argv) > 1 else "world.png"
dpi = int(sys.argv[2]) if len(sys.argv) > 2 else 96

# The data: 177 countries with a "continent" field.
countries = geopandas.read_file(Path(__file__).resolve().parent.parent / "data/naturalearth/naturalearth_lowres.shp")

# The library: the built-in default one (its names are GB2312, read as code page 936).
library = kyroz50.Library.default()

# The map: patterns at their physical size for this dpi, one grid for all countries.
fig, ax = plt.subplots(figsize=(11, 6), dpi=dpi)
kyroz50.plot(countries, column="continent", library=library, ax=ax, edgecolor="#404040", linewidth=0.3)
ax.set_title("Countries by continent, patterns of the built-in library")
ax.set_axis_off()

# Saved at the figure's own dpi, so the patterns are not resampled.
fig.savefig(out, dpi=dpi)
print(f"{out}: {len(countries)} countries, {countries['continent'].nunique()} classes at {dpi} dpi")
