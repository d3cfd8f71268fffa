"""What the package refuses and how it says so: arrays it cannot draw into, numbers out of range, paths,
colours, ids, closed libraries; names that are not clean text."""

import os
from pathlib import Path

import numpy as np
import pytest

import kyroz50

REPO = Path(os.environ.get("KY_REPO", Path(__file__).resolve().parents[2]))
SMALL = REPO / "fuzz/corpus/library_image_fuzz/current-small.bru"
SQUARE = [[(1, 1), (3, 1), (3, 3), (1, 3)]]
EXPECTED = "a writable, C-contiguous uint8 array of shape (height, width, 4)"


@pytest.fixture(scope="module")
def lib():
    with kyroz50.Library.default() as library:
        yield library


def read_only():
    a = np.zeros((4, 4, 4), np.uint8)
    a.flags.writeable = False
    return a


@pytest.mark.parametrize(
    "picture, message",
    [
        (np.zeros((4, 4, 4), np.float32), "the array must be uint8 RGBA of shape (height, width, 4), not float32"),
        (np.zeros((4, 4, 4), np.int32), "the array must be uint8 RGBA of shape (height, width, 4), not int32"),
        (np.zeros((4, 4, 4), bool), "the array must be uint8 RGBA of shape (height, width, 4), not bool"),
        (np.zeros((4, 4, 4), np.int8), "the array must be uint8 RGBA of shape (height, width, 4), not int8"),
        ([[[0, 0, 0, 0]]], f"the picture must be {EXPECTED}, not list"),
        (np.zeros((0, 5, 4), np.uint8), "the array has no pixels: its shape is (0, 5, 4)"),
        (np.zeros((5, 0, 4), np.uint8), "the array has no pixels: its shape is (5, 0, 4)"),
        (np.zeros((4, 4, 4), np.uint8)[:, ::2], "the array must be C-contiguous (use numpy.ascontiguousarray)"),
        (np.zeros((6, 4, 4), np.uint8)[1:5, :3], "the array must be C-contiguous (use numpy.ascontiguousarray)"),
        (np.asfortranarray(np.zeros((4, 4, 4), np.uint8)),
         "the array must be C-contiguous (use numpy.ascontiguousarray)"),
        (read_only(), "the array is read-only"),
        (np.zeros((4, 4), np.uint8), "the array must have shape (height, width, 4)"),
    ],
)
def test_fill_refuses_what_it_would_have_to_convert(lib, picture, message):
    before = np.array(picture, copy=True)
    with pytest.raises(kyroz50.Error) as e:
        next(iter(lib)).fill(picture, SQUARE)
    assert str(e.value) == message
    assert np.array_equal(np.asarray(picture), before)


def test_fill_draws_into_the_callers_array(lib):
    picture = np.zeros((4, 4, 4), np.uint8)
    assert next(iter(lib)).fill(picture, SQUARE) is picture
    assert picture[1:3, 1:3, 3].all() and picture[0, :, 3].sum() == 0


@pytest.mark.parametrize(
    "call, message",
    [
        (lambda s: s.tile(dpi=2**40), "dpi 1099511627776 is not between 10 and 4800"),
        (lambda s: s.tile(dpi=-2**63), f"dpi {-2**63} is not between 10 and 4800"),
        (lambda s: s.tile(dpi=96.5), "dpi must be a whole number, not 96.5"),
        (lambda s: s.tile(dpi="96"), "dpi must be a whole number, not '96'"),
        (lambda s: s.tile_size(dpi=2**40), "dpi 1099511627776 is not between 10 and 4800"),
        (lambda s: s.tile(rate=2**40), "rate 1099511627776 is not between 0 and 100"),
        (lambda s: s.tile(size=(2**40, 2)), "a buffer of 1099511627776 x 2 pixels is not 1 to 16384 each side"),
        (lambda s: s.tile(size=(0, 2)), "a buffer of 0 x 2 pixels is not 1 to 16384 each side"),
        (lambda s: s.tile(size=5), "size must be (width, height), not 5"),
        (lambda s: s.fill(np.zeros((4, 4, 4), np.uint8), SQUARE, dpi=2**40),
         "dpi 1099511627776 is not between 10 and 4800"),
        (lambda s: s.fill(np.zeros((4, 4, 4), np.uint8), SQUARE, origin=(2**40, 0)),
         f"origin x 1099511627776 is not between {-2**31} and {2**31 - 1}"),
        (lambda s: s.fill(np.zeros((4, 4, 4), np.uint8), SQUARE, transform=(1, 0, 0)),
         "the transform must be six numbers (a, b, c, d, e, f), not (1, 0, 0)"),
        (lambda s: s.fill(np.zeros((4, 4, 4), np.uint8), [[(0, 0), (1, 0), (1,)]]),
         "each ring must be a sequence of (x, y) points"),
    ],
)
def test_numbers_out_of_range_raise_our_error(lib, call, message):
    with pytest.raises(kyroz50.Error) as e:
        call(next(iter(lib)))
    assert str(e.value) == message
    assert e.value.status == "KYFSL_ERR_ARGUMENT"


@pytest.mark.parametrize("code_page", [-1, 2**32, 2**40])
def test_code_page_out_of_range(code_page):
    with pytest.raises(kyroz50.Error) as e:
        kyroz50.Library.default(code_page=code_page)
    assert str(e.value) == f"code page {code_page} is not one of 0, 936, 1250, 1251, 1252 or 65001"


@pytest.mark.parametrize("text", ["#0x1234", "# FFFFF", "#1_2_34", "#12345", "#1234567", "#GGGGGG", "#+12345",
                                  "123456", "#\uff11\uff12\uff13\uff14\uff15\uff16"])
def test_colour_refuses_what_is_not_rrggbb(text):
    with pytest.raises(kyroz50.Error) as e:
        kyroz50.colour(text)
    assert str(e.value) == f"colour {text!r} is not #RRGGBB"


@pytest.mark.parametrize("text, value", [("#00ff7F", 0x00FF7F), (" #123456 ", 0x123456)])
def test_colour_reads_rrggbb(text, value):
    assert kyroz50.colour(text) == value


@pytest.mark.parametrize(
    "key, message, status",
    [
        (8.7, "a style id must be a whole number, not 8.7", "KYFSL_ERR_ARGUMENT"),
        (23.7, "a style id must be a whole number, not 23.7", "KYFSL_ERR_ARGUMENT"),
        (8.0, "a style id must be a whole number, not 8.0", "KYFSL_ERR_ARGUMENT"),
        ("8", "a style id must be a whole number, not '8'", "KYFSL_ERR_ARGUMENT"),
        (True, "a style id must be a whole number, not True", "KYFSL_ERR_ARGUMENT"),
        (None, "a style id must be a whole number, not None", "KYFSL_ERR_ARGUMENT"),
        (2**40, "the library has no style 1099511627776", "KYFSL_ERR_NOT_FOUND"),
        (-2**31 - 1, f"the library has no style {-2**31 - 1}", "KYFSL_ERR_NOT_FOUND"),
        (3, "the library has no style 3", "KYFSL_ERR_NOT_FOUND"),
    ],
)
def test_ids_are_whole_numbers_of_the_library(lib, key, message, status):
    with pytest.raises(kyroz50.Error) as e:
        lib[key]
    assert str(e.value) == message
    assert e.value.status == status
    assert key not in lib


def test_membership(lib):
    first = lib.ids[0]
    assert first in lib and np.int64(first) in lib
    assert lib[np.int32(first)].id == first
    for key in ("x", "8", 8.7, None, (8,), 2**40):
        assert key not in lib


@pytest.mark.parametrize(
    "path, message",
    [
        (None, "Library.open needs the path of a .bru file, not None"),
        (8, "Library.open needs the path of a .bru file, not int"),
        ("def.bru\0.txt", "the path 'def.bru\\x00.txt' holds a NUL character"),
        (b"def.bru\0.txt", "the path 'def.bru\\x00.txt' holds a NUL character"),
    ],
)
def test_open_refuses_what_is_not_a_path(path, message):
    with pytest.raises(kyroz50.Error) as e:
        kyroz50.Library.open(path)
    assert str(e.value) == message


def test_open_takes_str_bytes_and_paths(tmp_path):
    target = tmp_path / "small \u00e9.bru"
    target.write_bytes(SMALL.read_bytes())
    for path in (target, str(target), os.fsencode(target)):
        with kyroz50.Library.open(path) as opened:
            assert len(opened) == 12
            assert opened.path == str(target)


def test_closed_library_says_so_and_repr_shows_what_it_is(tmp_path):
    target = tmp_path / "small.bru"
    target.write_bytes(SMALL.read_bytes())
    opened = kyroz50.Library.open(target)
    count, groups = len(opened), len(opened.groups)
    assert repr(opened) == f"<kyroz50.Library {str(target)!r}, {count} styles, {groups} groups>"
    style = opened[opened.ids[0]]
    opened.close()
    assert opened.closed
    assert repr(opened) == f"<kyroz50.Library {str(target)!r}, closed>"
    for call in (lambda: len(opened), lambda: style.name, lambda: style.tile(), lambda: opened.groups):
        with pytest.raises(kyroz50.Error) as e:
            call()
        assert str(e.value) == "the library is closed"
        assert e.value.status == "KYFSL_ERR_HANDLE"
    assert 8 not in opened
    default = kyroz50.Library.default()
    assert repr(default) == f"<kyroz50.Library built-in default, {len(default)} styles, {len(default.groups)} groups>"
    data = SMALL.read_bytes()
    assert repr(kyroz50.Library.from_bytes(data)).startswith(f"<kyroz50.Library from {len(data)} bytes, 12 styles")


def test_names_that_are_not_clean_text():
    # Style 8's name "008" becomes "0", a control character and a byte that is not UTF-8; the root group's
    # GBK name read as UTF-8 is one valid character and two bad bytes.
    data = SMALL.read_bytes()
    at = data.index(b"\x03\x00\x00\x00008")
    data = data[:at + 4] + b"0\x01\xff" + data[at + 7:]
    with kyroz50.Library.from_bytes(data, code_page=65001) as damaged:
        assert damaged[8].name == "0\x01\ufffd"
        assert damaged.groups[0].path == "\u012c\ufffd\ufffd"
        assert damaged[9].group.startswith("\u012c\ufffd\ufffd")
        svg = damaged[8].svg()
        assert "<title>0\ufffd</title>" in svg
        assert not any(ord(c) < 0x20 and c != "\n" for c in svg)
