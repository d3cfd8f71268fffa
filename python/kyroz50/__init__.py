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
import os
import re
from typing import Iterator, Sequence

import numpy as np

from . import _kyroz50
from ._kyroz50 import Error

__all__ = ["Error", "Library", "Style", "Group", "plot", "colour", "version"]

version = _kyroz50.version

_INT32 = (-2**31, 2**31 - 1)
_MAX_SIZE = 16384
_CODE_PAGES = "0, 936, 1250, 1251, 1252 or 65001"


def _error(message: str, status: str = "KYFSL_ERR_ARGUMENT") -> Error:
    """A kyroz50.Error raised here, with the status the C interface would give."""
    e = Error(message)
    e.status = status
    return e


def _whole(value, what: str, floats: bool = False) -> int:
    """value as an int. Bools, strings and, unless floats, every float are refused; a float must be whole."""
    if isinstance(value, (int, np.integer)) and not isinstance(value, (bool, np.bool_)):
        return int(value)
    if floats and isinstance(value, (float, np.floating)) and math.isfinite(value) and float(value).is_integer():
        return int(value)
    raise _error(f"{what} must be a whole number, not {value!r}")


def _between(value, what: str, low: int, high: int, floats: bool = False) -> int:
    """_whole(value) checked against [low, high] with the C interface's wording."""
    n = _whole(value, what, floats)
    if not low <= n <= high:
        raise _error(f"{what} {n} is not between {low} and {high}")
    return n


def _code_page(value) -> int:
    n = _whole(value, "the code page")
    if not 0 <= n <= 0xFFFFFFFF:
        raise _error(f"code page {n} is not one of {_CODE_PAGES}")
    return n


_HEX_COLOUR = re.compile(r"#[0-9A-Fa-f]{6}")


def colour(value) -> int:
    """0xRRGGBB from an int, "#RRGGBB", or an (r, g, b) tuple of 0-255 or 0-1 floats."""
    if isinstance(value, str):
        text = value.strip()
        # int(text, 16) alone would take "0x12", " 12" and "1_2" as well.
        if _HEX_COLOUR.fullmatch(text):
            return int(text[1:], 16)
        raise Error(f"colour {value!r} is not #RRGGBB")
    if isinstance(value, (int, np.integer)) and not isinstance(value, bool):
        if 0 <= int(value) <= 0xFFFFFF:
            return int(value)
        raise Error(f"colour {value:#x} is not 0xRRGGBB")
    try:
        parts = [float(v) for v in value][:3]
    except (TypeError, ValueError):
        raise Error(f"colour {value!r} is not #RRGGBB, 0xRRGGBB or (r, g, b)") from None
    if len(parts) != 3 or any(not math.isfinite(p) or p < 0 for p in parts):
        raise Error(f"colour {value!r} is not (r, g, b)")
    if all(p <= 1 for p in parts) and any(isinstance(v, float) for v in value):
        parts = [p * 255 for p in parts]
    r, g, b = (min(255, int(round(p))) for p in parts)
    return (r << 16) | (g << 8) | b


def _dpi(value) -> int:
    return _between(value, "dpi", _kyroz50.MIN_DPI, _kyroz50.MAX_DPI, floats=True)


def _rate(value) -> int:
    return _between(value, "rate", 0, 100, floats=True)


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
        return tuple(_kyroz50.tile_size(self._library._handle, self.id, _dpi(dpi)))

    def tile(self, dpi: int = 96, fore="#000000", back="#FFFFFF", transparent: bool = False, rate: int = 100,
             size: tuple[int, int] | None = None) -> np.ndarray:
        """The style drawn over (height, width) pixels, one tile by default: an RGBA uint8 array.
        Pixels the style leaves alone (a transparent background) have alpha 0."""
        dpi, rate = _dpi(dpi), _rate(rate)
        if size is None:
            w, h = self.tile_size(dpi)
        else:
            try:
                w, h = size
            except (TypeError, ValueError):
                raise _error(f"size must be (width, height), not {size!r}") from None
            w, h = _whole(w, "the width"), _whole(h, "the height")
            if not (1 <= w <= _MAX_SIZE and 1 <= h <= _MAX_SIZE):
                raise _error(f"a buffer of {w} x {h} pixels is not 1 to {_MAX_SIZE} each side")
        out = np.zeros((h, w, 4), dtype=np.uint8)
        _kyroz50.render_tile(self._library._handle, self.id, out, colour(fore), colour(back), bool(transparent),
                             rate, dpi, True)
        return out

    def fill(self, out: np.ndarray, rings: Sequence, transform: Sequence[float] | None = None, dpi: int = 96,
             fore="#000000", back="#FFFFFF", transparent: bool = False, rate: int = 100,
             origin: tuple[int, int] | None = None, antialias: bool = False) -> np.ndarray:
        """Fills polygons onto out, an (h, w, 4) RGBA uint8 array, in place, and returns it. out must be
        writable and C-contiguous: any other array raises kyroz50.Error rather than being drawn as a copy.

        rings: sequences of (x, y) points, together one shape with holes by the
        alternate rule. transform: (a, b, c, d, e, f) with px = a*x + b*y + c,
        py = d*x + e*y + f (default: the identity). origin: anchor every tile on one
        grid through that pixel (a map); None starts tiles at the shape's corner.
        antialias: smooth edges from the unrounded points (kyfsl_fill_smooth); pixels the
        shape covers whole are the same as without."""
        try:
            arrays = [np.ascontiguousarray(np.asarray(r, dtype=np.float64).reshape(-1, 2)) for r in rings]
        except (TypeError, ValueError):
            raise _error("each ring must be a sequence of (x, y) points") from None
        try:
            t = [1.0, 0.0, 0.0, 0.0, 1.0, 0.0] if transform is None else [float(v) for v in transform]
        except (TypeError, ValueError):
            t = []
        if len(t) != 6:
            raise _error(f"the transform must be six numbers (a, b, c, d, e, f), not {transform!r}")
        try:
            ox, oy = origin if origin is not None else (0, 0)
        except (TypeError, ValueError):
            raise _error(f"origin must be (x, y), not {origin!r}") from None
        ox, oy = _between(ox, "origin x", *_INT32), _between(oy, "origin y", *_INT32)
        _kyroz50.fill(self._library._handle, self.id, out, arrays, t, colour(fore), colour(back), bool(transparent),
                      _rate(rate), _dpi(dpi), True, origin is not None, ox, oy, bool(antialias))
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

    def __init__(self, handle, source: str = "from a handle", path: str | None = None):
        self._handle = handle
        self._source = source
        self.path = path  # the file it was opened from; None for the built-in library and bytes

    @classmethod
    def open(cls, path, code_page: int = 0) -> "Library":
        """The library in a .bru file; path is a str, bytes or os.PathLike."""
        if path is None:
            raise _error("Library.open needs the path of a .bru file, not None")
        try:
            name = os.fsdecode(os.fspath(path))
        except TypeError:
            raise _error(f"Library.open needs the path of a .bru file, not {type(path).__name__}") from None
        if "\0" in name:
            raise _error(f"the path {name!r} holds a NUL character")
        return cls(_kyroz50.open_file(os.fsencode(name), _code_page(code_page)), repr(name), name)

    @classmethod
    def from_bytes(cls, data: bytes, code_page: int = 0) -> "Library":
        data = bytes(data)
        return cls(_kyroz50.open_bytes(data, _code_page(code_page)), f"from {len(data)} bytes")

    @classmethod
    def default(cls, code_page: int = 0) -> "Library":
        """The built-in default library (its GB2312 names read as code page 936)."""
        return cls(_kyroz50.open_default(_code_page(code_page)), "built-in default")

    @property
    def closed(self) -> bool:
        return self._handle.closed

    def __repr__(self) -> str:
        if self.closed:
            return f"<kyroz50.Library {self._source}, closed>"
        return f"<kyroz50.Library {self._source}, {len(self)} styles, {len(self.groups)} groups>"

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
        n = _whole(id, "a style id")
        if not _INT32[0] <= n <= _INT32[1]:
            raise _error(f"the library has no style {n}", "KYFSL_ERR_NOT_FOUND")
        _kyroz50.style_name(self._handle, n)  # raises for an id the library lacks
        return Style(self, n)

    def __contains__(self, id) -> bool:
        """True when the library has a style with this id; False for anything else."""
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
from . import tiles  # noqa: E402,F401  (kyroz50.tiles.render)
