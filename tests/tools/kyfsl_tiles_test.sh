#!/usr/bin/env bash
# kyfsl tiles end to end on the shipped countries: a folder with its viewer
# page and the list of its tiles, an MBTiles file with the same tiles in TMS
# rows (identical tiles stored once), the same bytes from several processes,
# a resumed run, a full disk in the middle of a run, and bad input that must
# fail cleanly.
set -u
kyfsl=$1
data=$2/naturalearth/naturalearth_lowres.shp
. "$(dirname "$0")/cli_helpers.sh"

refuse_as() {  # refuse_as NAME STATUS PATTERN COMMAND...: that status and one line of message matching PATTERN
  local name=$1 want=$2 pattern=$3; shift 3
  "$@" >"$work/out" 2>"$work/err"
  local rc=$?
  if [ $rc -eq "$want" ] && [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q -- "$pattern" "$work/err"; then
    passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL: $name (status $rc, want $want, /$pattern/)"; cat "$work/err"; fi
}
# The tiles of an MBTiles file as z/x/y.png files (rows turned back to XYZ).
unpack() {
  python3 - "$1" "$2" <<'PY'
import os, sqlite3, sys
db = sqlite3.connect(sys.argv[1])
for z, x, row, data in db.execute("SELECT zoom_level, tile_column, tile_row, tile_data FROM tiles"):
    y = (1 << z) - 1 - row
    os.makedirs(f"{sys.argv[2]}/{z}/{x}", exist_ok=True)
    open(f"{sys.argv[2]}/{z}/{x}/{y}.png", "wb").write(data)
PY
}
tiles_of() { (cd "$1" && find . -name '*.png' -path './[0-9]*' | sort); }

check "folder z0-2" "$kyfsl" tiles "$data" --default --by continent --zoom 0-2 --metatile 2 --jobs 1 --json \
  -o "$work/f"
cp "$work/out" "$work/f.json"
# z0: 1 tile, z1: 4, z2: 16 of which the polar rows' open sea is empty.
expect "tiles in all" "$(python3 -c "import json,sys; t=json.load(open(sys.argv[1]))['tiles']; print(t['written'] + t['empty'])" "$work/f.json")" 21
expect "z0 written" "$(json "$work/f.json" "['by_zoom']['0']['written']")" 1
expect "z1 written" "$(json "$work/f.json" "['by_zoom']['1']['written']")" 4
expect "files as written" "$(tiles_of "$work/f" | wc -l)" "$(json "$work/f.json" "['tiles']['written']")"
expect "a tile is a 256 x 256 PNG" "$(python3 -c "import struct,sys; d=open(sys.argv[1],'rb').read(24); print(d[1:4].decode(), struct.unpack('>II', d[16:24]))" "$work/f/1/1/0.png")" "PNG (256, 256)"
expect "viewer page" "$(grep -c 'leaflet/leaflet.js' "$work/f/index.html")" 1
expect "leaflet copied" "$(test -s "$work/f/leaflet/leaflet.js" && echo yes)" yes
expect "legend swatches" "$(ls "$work/f/legend" | wc -l)" 8
expect "no parts left" "$(find "$work/f" -name '*.part' | wc -l)" 0
# tiles.js lists exactly the tile files, as runs of rows by zoom and column.
listed() {
  python3 - "$1" <<'PY'
import json, sys
text = open(sys.argv[1] + "/tiles.js").read()
assert text.startswith("var kyfslTiles = ") and text.endswith(";\n"), text[:40]
for z, columns in json.loads(text[len("var kyfslTiles = "):-2]).items():
    for x, runs in columns.items():
        for y0, y1 in runs:
            for y in range(y0, y1 + 1):
                print(f"./{z}/{x}/{y}.png")
PY
}
expect "tiles.js lists the tiles" "$(listed "$work/f" | sort)" "$(tiles_of "$work/f")"
expect "tiles.js leaves out the empty ones" "$(listed "$work/f" | grep -c '^./2/')" "$(json "$work/f.json" "['by_zoom']['2']['written']")"
expect "the page reads the list" "$(grep -c '<script src="tiles.js">' "$work/f/index.html")" 1

check "mbtiles, two processes" "$kyfsl" tiles "$data" --default --by continent --zoom 0-2 --metatile 2 --jobs 2 \
  --quiet -o "$work/t.mbtiles"
unpack "$work/t.mbtiles" "$work/u"
expect "same tiles as the folder" "$(tiles_of "$work/u")" "$(tiles_of "$work/f")"
expect "same bytes as the folder" "$(cd "$work/u" && for t in $(tiles_of .); do cmp -s "$t" "$work/f/$t" || echo "$t"; done)" ""
meta() { python3 -c "import sqlite3,sys; print(dict(sqlite3.connect(sys.argv[1]).execute('SELECT name, value FROM metadata'))[sys.argv[2]])" "$@"; }
expect "format" "$(meta "$work/t.mbtiles" format)" png
expect "zooms" "$(meta "$work/t.mbtiles" minzoom)-$(meta "$work/t.mbtiles" maxzoom)" 0-2
expect "bounds" "$(meta "$work/t.mbtiles" bounds | cut -d, -f1)" "-180.000000"
expect "name" "$(meta "$work/t.mbtiles" name)" naturalearth_lowres
sql() { python3 -c "import sqlite3,sys; print(*sqlite3.connect(sys.argv[1]).execute(sys.argv[2]).fetchone())" "$@"; }
expect "tiles is a view of map and images" "$(sql "$work/t.mbtiles" "SELECT group_concat(type || ' ' || name, ', ') FROM (SELECT type, name FROM sqlite_master WHERE name IN ('tiles', 'map', 'images') ORDER BY name)")" \
  "table images, table map, view tiles"
expect "one image per distinct tile" "$(sql "$work/t.mbtiles" "SELECT (SELECT COUNT(*) FROM images) = (SELECT COUNT(DISTINCT tile_data) FROM tiles)")" 1

# One sea polygon in a solid blue over the whole world: its inner tiles are
# all alike and share one image; the tiles read back through the view equal
# the folder's.
python3 - "$work/sea.geojson" <<'PY'
import json, sys
ring = [[-179, -84], [179, -84], [179, 84], [-179, 84], [-179, -84]]
json.dump({"type": "FeatureCollection", "features": [
    {"type": "Feature", "properties": {"name": "sea"}, "geometry": {"type": "Polygon", "coordinates": [ring]}}]},
    open(sys.argv[1], "w"))
PY
echo '{"default": {"style": 0, "fore": "#A0C8F0", "outline": false}}' >"$work/sea.json"
check "sea mbtiles" "$kyfsl" tiles "$work/sea.geojson" --default --styles "$work/sea.json" --zoom 4 --metatile 4 \
  --bbox -90,-45,90,45 --jobs 2 --json -o "$work/sea.mbtiles"
expect "sea tiles" "$(json "$work/out" "['tiles']['written']")" "$(sql "$work/sea.mbtiles" "SELECT COUNT(*) FROM map")"
expect "sea images" "$(sql "$work/sea.mbtiles" "SELECT COUNT(*) FROM map"), $(sql "$work/sea.mbtiles" "SELECT COUNT(*) FROM images")" "48, 1"
check "sea folder" "$kyfsl" tiles "$work/sea.geojson" --default --styles "$work/sea.json" --zoom 4 --metatile 4 \
  --bbox -90,-45,90,45 --quiet -o "$work/sea"
unpack "$work/sea.mbtiles" "$work/sea-u"
expect "sea bytes" "$(cd "$work/sea" && for t in $(tiles_of .); do cmp -s "$t" "$work/sea-u/$t" || echo "$t"; done; tiles_of . | wc -l)" \
  "$(tiles_of "$work/sea-u" | wc -l)"

# An interrupted run: metatiles forgotten as if never finished; --resume
# draws them again and the file ends as a whole run leaves it.
python3 - "$work/t.mbtiles" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
db.execute("DELETE FROM map WHERE zoom_level = 2 AND tile_column >= 2")
db.execute("DELETE FROM kyfsl_metatiles WHERE zoom_level = 2 AND x = 1")
db.commit()
PY
check "resume" "$kyfsl" tiles "$data" --default --by continent --zoom 0-2 --metatile 2 --jobs 2 --resume --json \
  -o "$work/t.mbtiles"
expect "kept on resume" "$(json "$work/out" "['metatiles']")" "{'drawn': 2, 'kept': 4}"
rm -rf "$work/u"; unpack "$work/t.mbtiles" "$work/u"
expect "resumed bytes" "$(cd "$work/u" && for t in $(tiles_of .); do cmp -s "$t" "$work/f/$t" || echo "$t"; done; tiles_of . | wc -l)" \
  "$(tiles_of "$work/f" | wc -l)"
# A file begun with a plain tiles table (an earlier version) is resumed in
# that table.
python3 - "$work/t.mbtiles" "$work/plain.mbtiles" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[2])
db.execute("ATTACH ? AS new", (sys.argv[1],))
for table in ("metadata", "kyfsl_metatiles", "kyfsl_legend"):
    db.execute(f"CREATE TABLE {table} AS SELECT * FROM new.{table}")
db.execute("CREATE TABLE tiles AS SELECT * FROM new.tiles WHERE NOT (zoom_level = 2 AND tile_column >= 2)")
db.execute("DELETE FROM kyfsl_metatiles WHERE zoom_level = 2 AND x = 1")
db.commit()
PY
check "resume plain" "$kyfsl" tiles "$data" --default --by continent --zoom 0-2 --metatile 2 --jobs 1 --resume --json \
  -o "$work/plain.mbtiles"
expect "plain kept" "$(json "$work/out" "['metatiles']")" "{'drawn': 2, 'kept': 4}"
expect "plain stays plain" "$(sql "$work/plain.mbtiles" "SELECT group_concat(type || ' ' || name) FROM sqlite_master WHERE name IN ('tiles', 'map', 'images')")" "table tiles"
rm -rf "$work/u"; unpack "$work/plain.mbtiles" "$work/u"
expect "plain bytes" "$(cd "$work/u" && for t in $(tiles_of .); do cmp -s "$t" "$work/f/$t" || echo "$t"; done; tiles_of . | wc -l)" \
  "$(tiles_of "$work/f" | wc -l)"

# A full disk in the middle of a run: files may grow to a limit only
# (SIGXFSZ ignored, so a write past it fails with EFBIG as on a full disk).
# The run stops with the reason and the metatile; what was stored before is
# whole, and --resume finishes the pyramid.
limited() {  # limited KILOBYTES COMMAND...
  bash -c 'trap "" XFSZ; ulimit -f "$0" && exec "$@"' "$@"
}
largest=$(find "$work/f" -name '*.png' -path '*/[0-9]*/*' -printf '%s\n' | sort -n | tail -1)
status "folder on a full disk" 1 limited $(( largest / 1024 - 1 )) "$kyfsl" tiles "$data" --default --by continent \
  --zoom 0-2 --metatile 2 --jobs 2 --quiet -o "$work/full"
expect "folder: the reason" "$(grep -c "metatile [0-9]*/[0-9]*/[0-9]*: cannot write .*File too large" "$work/err")" 1
expect "folder: no parts left" "$(find "$work/full" -name '*.part' | wc -l)" 0
expect "folder: tiles whole" "$(cd "$work/full" && for t in $(tiles_of .); do cmp -s "$t" "$work/f/$t" || echo "$t"; done)" ""
expect "folder: some stored" "$(test "$(tiles_of "$work/full" | wc -l)" -gt 0 && echo yes)" yes
check "folder resumed" "$kyfsl" tiles "$data" --default --by continent --zoom 0-2 --metatile 2 --resume --quiet -o "$work/full"
expect "folder: all there" "$(cd "$work/f" && for t in $(tiles_of .); do cmp -s "$t" "$work/full/$t" || echo "$t"; done)" ""
# The MBTiles file may grow to half its whole size.
status "mbtiles on a full disk" 1 limited $(( $(stat -c %s "$work/t.mbtiles") / 2048 )) "$kyfsl" tiles "$data" --default \
  --by continent --zoom 0-2 --metatile 2 --jobs 2 --quiet -o "$work/full.mbtiles"
expect "mbtiles: the reason" "$(grep -c "metatile [0-9]*/[0-9]*/[0-9]*: cannot write .*full.mbtiles.*File too large.*the tiles stored before are kept" "$work/err")" 1
expect "mbtiles: readable" "$(sqlite3 "$work/full.mbtiles" "PRAGMA integrity_check")" ok
rm -rf "$work/u"; unpack "$work/full.mbtiles" "$work/u"
expect "mbtiles: some stored" "$(test "$(tiles_of "$work/u" | wc -l)" -gt 0 && echo yes)" yes
expect "mbtiles: tiles whole" "$(cd "$work/u" && for t in $(tiles_of .); do cmp -s "$t" "$work/f/$t" || echo "$t"; done)" ""
expect "mbtiles: only finished metatiles" "$(sql "$work/full.mbtiles" "SELECT COUNT(*) FROM map WHERE zoom_level || ' ' || (tile_column / 2) || ' ' || (((1 << zoom_level) - 1 - tile_row) / 2) NOT IN (SELECT zoom_level || ' ' || x || ' ' || y FROM kyfsl_metatiles)")" 0
check "mbtiles resumed" "$kyfsl" tiles "$data" --default --by continent --zoom 0-2 --metatile 2 --resume --quiet \
  -o "$work/full.mbtiles"
rm -rf "$work/u"; unpack "$work/full.mbtiles" "$work/u"
expect "mbtiles: all there" "$(cd "$work/f" && for t in $(tiles_of .); do cmp -s "$t" "$work/u/$t" || echo "$t"; done; tiles_of "$work/u" | wc -l)" \
  "$(tiles_of "$work/f" | wc -l)"

# A folder's journal ending in a cut line: that metatile is drawn again,
# and the journal is whole afterwards.
grep -v '^2 1 1$' "$work/f/.kyfsl-tiles" >"$work/journal" && printf '2 1 1' >>"$work/journal"
cp "$work/journal" "$work/f/.kyfsl-tiles"
check "resume folder" "$kyfsl" tiles "$data" --default --by continent --zoom 0-2 --metatile 2 --jobs 1 --resume --json \
  -o "$work/f"
expect "folder redrawn" "$(json "$work/out" "['metatiles']")" "{'drawn': 1, 'kept': 5}"
check "resume folder again" "$kyfsl" tiles "$data" --default --by continent --zoom 0-2 --metatile 2 --resume --json \
  -o "$work/f"
expect "folder kept" "$(json "$work/out" "['metatiles']")" "{'drawn': 0, 'kept': 6}"

# Metatiles of 2 and of 8 tiles (the whole world at zoom 3) give the same
# tiles: the spatial filter of a metatile at the antimeridian once lost the
# features that cross it.
check "metatiles of 8" "$kyfsl" tiles "$data" --default --by continent --zoom 3 --metatile 8 --jobs 1 --quiet -o "$work/m8"
check "metatiles of 2" "$kyfsl" tiles "$data" --default --by continent --zoom 3 --metatile 2 --jobs 2 --quiet -o "$work/m2"
expect "same tiles whatever the metatile" "$(tiles_of "$work/m2")" "$(tiles_of "$work/m8")"
expect "same bytes whatever the metatile" "$(cd "$work/m8" && for t in $(tiles_of .); do cmp -s "$t" "$work/m2/$t" || echo "$t"; done)" ""

check "scale 2, bbox" "$kyfsl" tiles "$data" --default --by continent --zoom 3 --scale 2 --bbox 0,40,20,55 --json \
  -o "$work/s"
expect "2x tile" "$(python3 -c "import struct,sys; d=open(sys.argv[1],'rb').read(24); print(struct.unpack('>II', d[16:24]))" "$(find "$work/s/3" -name '*.png' | head -1)")" "(512, 512)"
expect "bbox tiles" "$(json "$work/out" "['by_zoom']['3']['written']")" 2

refuse_as "no data" 1 "no such file" "$kyfsl" tiles "$work/nosuch.shp" --default --zoom 0 -o "$work/x"
refuse_as "no table" 1 "has no layer 'roads'" "$kyfsl" tiles "$data:roads" --default --zoom 0 -o "$work/x"
refuse_as "zoom past 22" 1 "within 0-22" "$kyfsl" tiles "$data" --default --zoom 0-23 -o "$work/x"
refuse_as "zoom below 0" 1 "zoom" "$kyfsl" tiles "$data" --default --zoom=-1-3 -o "$work/x"
refuse_as "zooms reversed" 1 "within 0-22" "$kyfsl" tiles "$data" --default --zoom 5-3 -o "$work/x"
refuse_as "bbox outside" 1 "outside the world" "$kyfsl" tiles "$data" --default --zoom 0 --bbox 190,0,200,10 -o "$work/x"
refuse_as "bbox past the poles" 1 "outside the world" "$kyfsl" tiles "$data" --default --zoom 0 --bbox 0,86,10,89 -o "$work/x"
refuse_as "bbox upside down" 1 "bbox" "$kyfsl" tiles "$data" --default --zoom 0 --bbox 10,10,0,0 -o "$work/x"
refuse_as "tile size" 2 "256 or 512" "$kyfsl" tiles "$data" --default --zoom 0 --tile-size 300 -o "$work/x"
refuse_as "existing folder" 1 "already holds files" "$kyfsl" tiles "$data" --default --zoom 0 -o "$work/f"
refuse_as "existing mbtiles" 1 "already exists" "$kyfsl" tiles "$data" --default --zoom 0 -o "$work/t.mbtiles"
refuse_as "resume other options" 1 "other options" "$kyfsl" tiles "$data" --default --zoom 0-3 --metatile 2 --resume \
  -o "$work/t.mbtiles"
cp "$work/f.json" "$work/json.mbtiles"
refuse_as "not an mbtiles" 1 "not an MBTiles file" "$kyfsl" tiles "$data" --default --zoom 0 --resume -o "$work/json.mbtiles"
# Unwritable for anyone, root too: a folder or file under a plain file.
refuse_as "folder under a file" 1 "cannot make" "$kyfsl" tiles "$data" --default --zoom 0 -o "$work/f.json/out"
refuse_as "mbtiles under a file" 1 "cannot open" "$kyfsl" tiles "$data" --default --zoom 0 -o "$work/f.json/out.mbtiles"
expect "nothing made" "$(ls "$work" | grep -c '^x$')" 0
mkdir "$work/ro" && chmod a-w "$work/ro"
if [ "$(id -u)" -ne 0 ]; then
  refuse_as "unwritable folder" 1 "cannot" "$kyfsl" tiles "$data" --default --zoom 0 -o "$work/ro/out"
  refuse_as "unwritable mbtiles" 1 "cannot open" "$kyfsl" tiles "$data" --default --zoom 0 -o "$work/ro/out.mbtiles"
fi
finish
