"""Fill style libraries (.bru) for Python: patterns as numpy arrays, SVG, and
pattern fills on matplotlib maps.

    lib = kyroz50.Library.default()
    for style in lib:                      # every style, ascending by id
        print(style.id, style.name, style.group)
    tile = lib[23].tile(dpi=300, fore="#C00000")   # (h, w, 4) uint8 RGBA
    kyroz50.plot(gdf, column="continent", library=lib, ax=ax)

Every failure raises kyroz50.Error (a ValueError) with the C interface's
message; its ``status`` names the error code.
"""

from __future__ import annotations

import math
from typing import Iterator, Sequence

import numpy as np

from . import _kyroz50
from ._kyroz50 import Error

__all__ = ["Error", "Library", "Style", "Group", "plot", "colour", "version"]

version = _kyroz50.version


def colour(value) -> int:
    """0xRRGGBB from an int, "#RRGGBB", or an (r, g, b) tuple of 0-255 or 0-1 floats."""
    if isinstance(value, str):
        text = value.strip()
        if len(text) == 7 and text[0] == "#":
            try:
                return int(text[1:], 16)
            except ValueError:
                pass
        raise Error(f"colour {value!r} is not #RRGGBB")
    if isinstance(value, (int, np.integer)) and not isinstance(value, bool):
        if 0 <= int(value) <= 0xFFFFFF:
            return int(value)
        raise Error(f"colour {value:#x} is not 0xRRGGBB")
    try:
        parts = [float(v) for v in value][:3]
    except TypeError:
        raise Error(f"colour {value!r} is not #RRGGBB, 0xRRGGBB or (r, g, b)") from None
    if len(parts) != 3 or any(not math.isfinite(p) or p < 0 for p in parts):
        raise Error(f"colour {value!r} is not (r, g, b)")
    if all(p <= 1 for p in parts) and any(isinstance(v, float) for v in value):
        parts = [p * 255 for p in parts]
    r, g, b = (min(255, int(round(p))) for p in parts)
    return (r << 16) | (g << 8) | b


class Style:
    """One style of a library. Borrowed from its Library; it keeps the library open."""

    def __init__(self, library: "Library", id: int):
        self._library = library
        self.id = id

    @property
    def name(self) -> str:
        return _kyroz50.style_name(self._library._handle, self.id)

    @property
    def group(self) -> str:
        """"Root/Hatches/Fine" of the group that files the style, "" for none."""
        return _kyroz50.style_group(self._library._handle, self.id)

    @property
    def info(self) -> dict:
        """kind ("bitmap"/"symbol"), width, height (pattern pixels or tenths of a mm),
        width_mm, height_mm, resolution (dpi of a bitmap pattern, 0 for symbols)."""
        return _kyroz50.style_info(self._library._handle, self.id)

    def tile_size(self, dpi: int = 96) -> tuple[int, int]:
        """(width, height) in pixels of one tile at dpi."""
        return tuple(_kyroz50.tile_size(self._library._handle, self.id, int(dpi)))

    def tile(self, dpi: int = 96, fore="#000000", back="#FFFFFF", transparent: bool = False, rate: int = 100,
             size: tuple[int, int] | None = None) -> np.ndarray:
        """The style drawn over (height, width) pixels, one tile by default: an RGBA uint8 array.
        Pixels the style leaves alone (a transparent background) have alpha 0."""
        w, h = size if size is not None else self.tile_size(dpi)
        out = np.zeros((int(h), int(w), 4), dtype=np.uint8)
        _kyroz50.render_tile(self._library._handle, self.id, out, colour(fore), colour(back), bool(transparent),
                             int(rate), int(dpi), True)
        return out

    def fill(self, out: np.ndarray, rings: Sequence, transform: Sequence[float] | None = None, dpi: int = 96,
             fore="#000000", back="#FFFFFF", transparent: bool = False, rate: int = 100,
             origin: tuple[int, int] | None = None) -> np.ndarray:
        """Fills polygons onto out, an (h, w, 4) RGBA uint8 array, in place, and returns it.

        rings: sequences of (x, y) points, together one shape with holes by the
        alternate rule. transform: (a, b, c, d, e, f) with px = a*x + b*y + c,
        py = d*x + e*y + f (default: the identity). origin: anchor every tile on one
        grid through that pixel (a map); None starts tiles at the shape's corner."""
        arrays = [np.ascontiguousarray(np.asarray(r, dtype=np.float64).reshape(-1, 2)) for r in rings]
        t = [1.0, 0.0, 0.0, 0.0, 1.0, 0.0] if transform is None else [float(v) for v in transform]
        ox, oy = origin if origin is not None else (0, 0)
        _kyroz50.fill(self._library._handle, self.id, out, arrays, t, colour(fore), colour(back), bool(transparent),
                      int(rate), int(dpi), True, origin is not None, int(ox), int(oy))
        return out

    def svg(self, fore="#000000", back="#FFFFFF", transparent: bool = False) -> str:
        """One tile as an SVG document at its physical size."""
        return _kyroz50.svg(self._library._handle, self.id, colour(fore), colour(back), bool(transparent))

    def __repr__(self) -> str:
        return f"<kyroz50.Style {self.id} {self.name!r}>"

    def __eq__(self, other) -> bool:
        return isinstance(other, Style) and other._library is self._library and other.id == self.id

    def __hash__(self) -> int:
        return hash((id(self._library), self.id))


class Group:
    """A group of the library's tree: its path and the styles it files directly."""

    def __init__(self, library: "Library", index: int):
        self._library = library
        self.index = index
        self.path = _kyroz50.group_path(library._handle, index)

    @property
    def name(self) -> str:
        return self.path.rsplit("/", 1)[-1]

    @property
    def styles(self) -> list[Style]:
        return [Style(self._library, i) for i in _kyroz50.group_styles(self._library._handle, self.index)]

    def __iter__(self) -> Iterator[Style]:
        return iter(self.styles)

    def __repr__(self) -> str:
        return f"<kyroz50.Group {self.path!r}>"


class Library:
    """A fill style library. Open with Library.open(path), Library.from_bytes(data)
    or Library.default(); iterate for its styles; lib[id] is one style."""

    def __init__(self, handle):
        self._handle = handle

    @classmethod
    def open(cls, path, code_page: int = 0) -> "Library":
        return cls(_kyroz50.open_file(str(path), code_page))

    @classmethod
    def from_bytes(cls, data: bytes, code_page: int = 0) -> "Library":
        return cls(_kyroz50.open_bytes(bytes(data), code_page))

    @classmethod
    def default(cls, code_page: int = 0) -> "Library":
        """The built-in default library (its GB2312 names read as code page 936)."""
        return cls(_kyroz50.open_default(code_page))

    def close(self) -> None:
        self._handle.close()

    def __enter__(self) -> "Library":
        return self

    def __exit__(self, *exc) -> None:
        self.close()

    def __len__(self) -> int:
        return _kyroz50.style_count(self._handle)

    def __iter__(self) -> Iterator[Style]:
        for i in range(len(self)):
            yield Style(self, _kyroz50.style_id(self._handle, i))

    @property
    def ids(self) -> list[int]:
        return [s.id for s in self]

    def __getitem__(self, id: int) -> Style:
        _kyroz50.style_name(self._handle, int(id))  # raises for an id the library lacks
        return Style(self, int(id))

    def __contains__(self, id) -> bool:
        try:
            self[id]
        except Error:
            return False
        return True

    @property
    def groups(self) -> list[Group]:
        """Every group in tree order, the root first."""
        return [Group(self, i) for i in range(_kyroz50.group_count(self._handle))]


from .plot import plot  # noqa: E402  (needs the classes above)
