"""The kyroz50 package over the C interface: opening, iteration, tiles, fills, SVG, errors."""

import os

import numpy as np
import pytest

import kyroz50


@pytest.fixture(scope="module")
def lib():
    with kyroz50.Library.default() as library:
        yield library


def test_default_library_iterates_styles_and_groups(lib):
    styles = list(lib)
    assert len(styles) == len(lib) > 0
    ids = [s.id for s in styles]
    assert ids == sorted(ids) and ids[0] >= 8
    assert all("\ufffd" not in s.name for s in styles)
    groups = lib.groups
    assert groups[0].path and "/" not in groups[0].path
    filed = {s.id for g in groups for s in g}
    assert filed <= set(ids)
    for s in styles[:5]:
        assert s.group == "" or s.group.split("/")[0] == groups[0].path


def test_tile_is_rgba_at_the_asked_dpi(lib):
    style = next(iter(lib))
    w96, h96 = style.tile_size(96)
    tile = style.tile(dpi=96, fore="#FF0000", back=(0, 0, 255))
    assert tile.shape == (h96, w96, 4) and tile.dtype == np.uint8
    assert (tile[..., 3] == 255).all()
    colours = {tuple(p) for p in tile[..., :3].reshape(-1, 3)}
    assert colours <= {(255, 0, 0), (0, 0, 255)} or style.info["kind"] == "symbol" or len(colours) > 2
    w192, h192 = style.tile_size(192)
    assert abs(w192 - 2 * w96) <= 1 and abs(h192 - 2 * h96) <= 1


def test_transparent_tile_leaves_alpha_zero(lib):
    style = next(iter(lib))
    tile = style.tile(transparent=True, back="#FFFFFF")
    assert 0 < (tile[..., 3] == 255).sum() < tile.shape[0] * tile.shape[1]
    assert (tile[tile[..., 3] == 0][:, :3] == 0).all()


def test_fill_with_hole_and_transform(lib):
    style = next(iter(lib))
    out = np.zeros((40, 40, 4), dtype=np.uint8)
    outer = [(0, 0), (30, 0), (30, 30), (0, 30)]
    hole = [(10, 10), (20, 10), (20, 20), (10, 20)]
    style.fill(out, [outer, hole], transform=(1, 0, 5, 0, 1, 5), fore="#000000", back="#00FF00")
    alpha = out[..., 3]
    assert alpha[5:35, 5:35][:5, :].all()
    assert not alpha[15:25, 15:25].any()
    assert not alpha[:5, :].any() and not alpha[:, 36:].any()


def test_svg(lib):
    style = next(iter(lib))
    text = style.svg(fore=0x123456)
    assert text.startswith("<?xml") or text.startswith("<svg")
    assert "mm\"" in text


@pytest.mark.parametrize(
    "call, message",
    [
        (lambda s: s.tile(dpi=5), "dpi 5 is not between 10 and 4800"),
        (lambda s: s.tile(rate=101), "rate 101 is not between 0 and 100"),
        (lambda s: s.fill(np.zeros((4, 4, 4), np.uint8), [[(0, 0), (float("nan"), 0), (1, 1)]]),
         "point 1 is not finite or lies more than 1e7 pixels from the buffer's origin"),
        (lambda s: s.fill(np.zeros((4, 4, 4), np.uint8), [[(0, 0), (1, 1)]]),
         "ring 0 has 2 points; a ring needs at least 3"),
        (lambda s: s.fill(np.zeros((4, 4, 3), np.uint8), [[(0, 0), (1, 0), (1, 1)]]),
         "the array must have shape (height, width, 4)"),
        (lambda s: s.tile(fore="red"), "colour 'red' is not #RRGGBB"),
    ],
)
def test_bad_input_raises_with_the_c_message(lib, call, message):
    style = next(iter(lib))
    with pytest.raises(kyroz50.Error) as e:
        call(style)
    assert str(e.value) == message


def test_missing_style_and_closed_library():
    lib = kyroz50.Library.default()
    with pytest.raises(kyroz50.Error, match="the library has no style 3"):
        lib[3]
    assert 3 not in lib
    lib.close()
    with pytest.raises(kyroz50.Error) as e:
        len(lib)
    assert str(e.value) == "the library is closed"
    assert e.value.status == "KYFSL_ERR_HANDLE"


def test_open_errors(tmp_path):
    with pytest.raises(kyroz50.Error, match="cannot open"):
        kyroz50.Library.open(tmp_path / "missing.bru")
    # A fifo with no writer is refused at once instead of blocking.
    os.mkfifo(tmp_path / "fifo.bru")
    with pytest.raises(kyroz50.Error, match="it is not a regular file"):
        kyroz50.Library.open(tmp_path / "fifo.bru")
    with pytest.raises(kyroz50.Error, match="not a fill style library"):
        kyroz50.Library.from_bytes(b"12345678")
