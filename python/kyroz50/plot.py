"""kyroz50.plot: a GeoDataFrame (or shapely polygons) filled with a library's
patterns on a matplotlib Axes.

The whole layer is drawn into one RGBA picture the size of the Axes in pixels
at the figure's dpi, so every pattern keeps its physical size, and all tiles
lie on one grid through the picture's corner, so neighbours continue one
pattern. The picture is shown with imshow over the data extent; a legend shows
each class's pattern. Save the figure at the figure's own dpi (the default of
savefig) or the patterns are resampled.
"""

from __future__ import annotations

import numpy as np

# Twelve colours that stay apart on white paper, in the order kyfsl map uses
# them for its automatic classes.
PALETTE = ["#1B7A3E", "#B23A12", "#2A4D9B", "#8E2C86", "#9A7B0A", "#0E7C86",
           "#C2185B", "#4E342E", "#558B2F", "#E65C00", "#37474F", "#6A1B9A"]


def automatic_styles(values, library):
    """{value: (style id, fore)} for sorted class values, spread over the library as kyfsl map --by does."""
    ids = library.ids
    if not ids:
        from . import Error
        raise Error("the library has no styles")
    k, n = len(values), len(ids)
    out = {}
    for i, v in enumerate(values):
        position = i * n // k if k <= n else i % n
        out[v] = (ids[position], PALETTE[i % len(PALETTE)])
    return out


def _rings(geometry):
    """Exterior and interior rings of a Polygon or MultiPolygon as (n, 2) arrays."""
    kind = geometry.geom_type
    if kind == "Polygon":
        polys = [geometry]
    elif kind == "MultiPolygon":
        polys = list(geometry.geoms)
    elif kind == "GeometryCollection":
        return [r for g in geometry.geoms for r in _rings(g)]
    else:
        return []
    rings = []
    for p in polys:
        if p.is_empty:
            continue
        for ring in [p.exterior, *p.interiors]:
            xy = np.asarray(ring.coords, dtype=np.float64)[:, :2]
            if len(xy) >= 3:
                rings.append(xy)
    return rings


def _pixel_transform(ax):
    """(a, b, c, d, e, f) from data coordinates to pixels of the Axes' picture, row 0 at the top,
    and the picture's size."""
    ax.apply_aspect()
    box = ax.get_window_extent()
    x0, y0 = int(round(box.x0)), int(round(box.y0))
    width, height = int(round(box.x1)) - x0, int(round(box.y1)) - y0
    m = ax.transData.get_affine().get_matrix()
    top = y0 + height
    t = (m[0, 0], m[0, 1], m[0, 2] - x0, -m[1, 0], -m[1, 1], top - m[1, 2])
    return t, max(1, width), max(1, height)


def plot(data, column=None, library=None, ax=None, styles=None, transparent=False, rate=100, legend=True,
         edgecolor=None, linewidth=0.5, background=None, title=None, extent=None, antialias=True):
    """Draws polygons with pattern fills; returns the Axes.

    data: a GeoDataFrame, a GeoSeries or a sequence of shapely polygons.
    column: the field whose values choose the classes (None: one class).
    library: a kyroz50.Library (default: the built-in one).
    styles: {value: style id} or {value: (style id, fore)} or {value: (style id, fore, back)};
        None chooses as kyfsl map --by does (styles spread over the library, a palette of fores).
    background: colour of the picture behind the polygons (None: transparent).
    extent: (minx, miny, maxx, maxy) shown, as kyfsl map --extent (None: the data's bounds).
    antialias: smooth edges, each class filled as one shape so that neighbours of a class show
        no seam (kyfsl map's default); False: the module's own pixels, feature by feature.
    legend: True or "outside": beside the Axes, in columns when the classes need them;
        "best": over the map where matplotlib's placement finds the fewest polygons; False: none.
        Swatches show at least one whole tile of each pattern.
    """
    import matplotlib.pyplot as plt
    from . import Error, Library

    if library is None:
        library = Library.default()
    if ax is None:
        _, ax = plt.subplots()
    geoms = list(data.geometry) if hasattr(data, "geometry") else list(data)
    if column is None:
        values = ["all"] * len(geoms)
    else:
        if not hasattr(data, "__getitem__") or column not in getattr(data, "columns", []):
            raise Error(f"the data has no column {column!r}")
        values = [str(v) for v in data[column]]
    classes = sorted(set(values))
    if styles is None:
        chosen = automatic_styles(classes, library)
    else:
        chosen = {}
        for v in classes:
            spec = styles.get(v, styles.get("*"))
            if spec is None:
                raise Error(f"no style for class {v!r} (give one, or '*' for the rest)")
            chosen[v] = spec if isinstance(spec, tuple) else (spec, "#000000")
    specs = {v: (s[0], s[1], s[2] if len(s) > 2 else "#FFFFFF") for v, s in chosen.items()}

    bounds = [g.bounds for g in geoms if g is not None and not g.is_empty]
    if not bounds:
        raise Error("there is nothing to draw: no polygons")
    if extent is not None:
        xmin, ymin, xmax, ymax = (float(v) for v in extent)
        if not (xmin < xmax and ymin < ymax):
            raise Error(f"the extent {tuple(extent)} is empty: give minx, miny, maxx, maxy")
    else:
        b = np.asarray(bounds)
        xmin, ymin, xmax, ymax = b[:, 0].min(), b[:, 1].min(), b[:, 2].max(), b[:, 3].max()
    ax.set_xlim(xmin, xmax)
    ax.set_ylim(ymin, ymax)
    ax.set_aspect("equal", adjustable="box")
    ax.set_autoscale_on(False)

    dpi = int(round(ax.figure.dpi))
    transform, width, height = _pixel_transform(ax)
    picture = np.zeros((height, width, 4), dtype=np.uint8)
    if background is not None:
        from . import colour
        c = colour(background)
        picture[...] = ((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF, 255)
    shapes = []  # (value, rings): one a feature, or one a class when smooth
    by_class = {}
    for geom, value in zip(geoms, values):
        if geom is None or geom.is_empty:
            continue
        rings = _rings(geom)
        if not rings:
            continue
        if antialias:
            by_class.setdefault(value, []).extend(rings)
        else:
            shapes.append((value, rings))
    shapes.extend((v, by_class[v]) for v in classes if v in by_class)
    for value, rings in shapes:
        sid, fore, back = specs[value]
        library[sid].fill(picture, rings, transform, dpi=dpi, fore=fore, back=back, transparent=transparent,
                          rate=rate, origin=(0, 0), antialias=antialias)
    # The picture's pixel edges fall on the Axes' pixel edges: the extent is
    # the data range of the whole Axes box.
    inverse = ax.transData.inverted()
    box = ax.get_window_extent()
    (left, bottom), (right, top) = inverse.transform([(round(box.x0), round(box.y0)),
                                                      (round(box.x0) + width, round(box.y0) + height)])
    ax.imshow(picture, extent=(left, right, bottom, top), origin="upper", interpolation="nearest", zorder=1)
    ax.set_xlim(xmin, xmax)
    ax.set_ylim(ymin, ymax)
    if edgecolor is not None:
        from matplotlib.collections import LineCollection
        lines = [r for g in geoms if g is not None for r in _rings(g)]
        ax.add_collection(LineCollection(lines, colors=edgecolor, linewidths=linewidth, zorder=2))
    if legend and column is not None:
        _legend(ax, legend, classes, specs, library, geoms, transparent, rate, dpi, title or column)
    return ax


def _legend(ax, where, classes, specs, library, geoms, transparent, rate, dpi, title):
    """The legend: beside the Axes ("outside", the default) or where
    matplotlib's own placement finds the fewest polygons ("best"); swatches large enough for a
    whole tile of every pattern; entries in as many columns as the Axes'
    height needs."""
    from matplotlib.patches import Patch, Polygon

    if where is True:
        where = "outside"  # as kyfsl map: beside the map, never over it
    if where not in ("best", "outside"):
        from . import Error
        raise Error(f"legend must be True, False, 'best' or 'outside', not {where!r}")
    handles = [Patch(label=_short(v)) for v in classes]
    handler_map = {h: _PatternHandler(library[specs[v][0]], specs[v][1], specs[v][2], transparent, rate, dpi)
                   for h, v in zip(handles, classes)}
    fontsize = 8.0
    # The largest tile, in font sizes: a swatch shows at least one whole tile.
    tile_w, tile_h = 0, 0
    for v in classes:
        w, h = library[specs[v][0]].tile_size(dpi)
        tile_w, tile_h = max(tile_w, w), max(tile_h, h)
    to_em = 72.0 / dpi / fontsize
    handlelength = max(2.0, (tile_w + 2) * to_em)
    handleheight = max(0.7, (tile_h + 2) * to_em)
    row_pt = (max(handleheight, 1.0) + 0.5) * fontsize
    axes_pt = ax.get_window_extent().height * 72.0 / dpi
    rows = max(1, int((axes_pt - 2 * fontsize) // row_pt))
    ncols = max(1, -(-len(classes) // rows))
    kwargs = dict(handles=handles, handler_map=handler_map, title=_short(title), fontsize=fontsize,
                  handlelength=handlelength, handleheight=handleheight, ncols=ncols)
    if where == "outside":
        ax.legend(loc="upper left", bbox_to_anchor=(1.02, 1.0), borderaxespad=0.0, **kwargs)
        return
    # "best" weighs the artists on the Axes: the picture is one image, so the
    # polygons' outlines go on as invisible patches for it to avoid.
    for g in geoms:
        for ring in (_rings(g) if g is not None else [])[:1]:
            ring = np.asarray(ring)
            step = max(1, len(ring) // 64)
            ax.add_patch(Polygon(ring[::step], closed=True, fill=False, linewidth=0, alpha=0, zorder=0))
    ax.legend(loc="best", **kwargs)


def _short(text, most=60):
    """A label cut to most characters, with an ellipsis."""
    text = str(text)
    return text if len(text) <= most else text[:most] + "\u2026"


class _PatternHandler:
    """Draws a class's pattern in its legend entry, at the figure's dpi."""

    def __init__(self, style, fore, back, transparent, rate, dpi):
        self.style, self.fore, self.back = style, fore, back
        self.transparent, self.rate, self.dpi = transparent, rate, dpi

    def legend_artist(self, legend, orig_handle, fontsize, handlebox):
        from matplotlib.image import BboxImage
        from matplotlib.patches import Rectangle
        from matplotlib.transforms import Bbox, TransformedBbox

        x0, y0 = handlebox.xdescent, handlebox.ydescent
        w, h = handlebox.width, handlebox.height
        trans = handlebox.get_transform()
        px_w = max(1, int(round(w * self.dpi / 72.0)))
        px_h = max(1, int(round(h * self.dpi / 72.0)))
        # One tile, laid so that a whole tile stands in the swatch's middle.
        tile = self.style.tile(dpi=self.dpi, fore=self.fore, back=self.back, transparent=self.transparent,
                               rate=self.rate)
        th, tw = tile.shape[:2]
        ox, oy = ((px_w - tw) // 2) % tw, ((px_h - th) // 2) % th
        big = np.tile(tile, (px_h // th + 2, px_w // tw + 2, 1))
        swatch = big[th - oy:th - oy + px_h, tw - ox:tw - ox + px_w]
        image = BboxImage(TransformedBbox(Bbox.from_bounds(-x0, -y0, w, h), trans), interpolation="nearest")
        image.set_data(swatch)
        frame = Rectangle((-x0, -y0), w, h, facecolor="none", edgecolor="#404040", linewidth=0.5, transform=trans)
        handlebox.add_artist(image)
        handlebox.add_artist(frame)
        return frame
