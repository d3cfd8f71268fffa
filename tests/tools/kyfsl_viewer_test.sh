#!/usr/bin/env bash
# kyfsl serve and the viewer page in headless Chromium: the page loads with
# no console errors and the tiles of zoom 2 show, the screenshot's pixels
# equal to the tiles in the MBTiles file; the server answers only what it
# holds. The folder's own page opened from disk asks for no tile it does not
# hold (the empty ones were not written): no console errors there either.
set -u
kyfsl=$1
data=$2/naturalearth/naturalearth_lowres.shp
. "$(dirname "$0")/cli_helpers.sh"
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then echo "chromium is not installed (scripts/setup installs it)"; exit 1; fi

check "tiles" "$kyfsl" tiles "$data" --default --by continent --zoom 0-3 --metatile 2 --jobs 2 --quiet \
  -o "$work/t.mbtiles"
"$kyfsl" serve "$work/t.mbtiles" --port 0 >"$work/serve.out" 2>"$work/serve.err" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; chmod -R u+w "$work"; rm -rf "$work"' EXIT
for _ in $(seq 50); do grep -q http "$work/serve.out" && break; sleep 0.1; done
url=$(grep -o 'http://[0-9.:]*/' "$work/serve.out")
expect "serving" "${url%%:[0-9]*/}" "http://127.0.0.1"

python3 - "$url" "$work/t.mbtiles" >"$work/http" <<'PY'
import sqlite3, sys, urllib.request, urllib.error
url, db = sys.argv[1], sqlite3.connect(sys.argv[2])
def get(path):
    try:
        with urllib.request.urlopen(url + path) as r:
            return r.status, r.headers.get("Content-Type"), r.read()
    except urllib.error.HTTPError as e:
        return e.code, None, b""
tile = db.execute("SELECT tile_data FROM tiles WHERE zoom_level = 2 AND tile_column = 1 AND tile_row = 2").fetchone()[0]
status, kind, body = get("tiles/2/1/1.png")
print("tile", status, kind, body == tile)
print("page", get("")[0], b"leaflet/leaflet.js" in get("")[2])
print("leaflet", get("leaflet/leaflet.js")[0], get("leaflet/images/marker-icon.png")[0])
print("legend", get("legend/0.png")[1], get("legend/99.png")[0])
print("outside", get("tiles/2/4/0.png")[0], get("tiles/23/0/0.png")[0], get("nope")[0], get("leaflet/../../../etc/passwd")[0])
PY
expect "a tile's bytes" "$(sed -n 1p "$work/http")" "tile 200 image/png True"
expect "the page" "$(sed -n 2p "$work/http")" "page 200 True"
expect "leaflet" "$(sed -n 3p "$work/http")" "leaflet 200 200"
expect "legend" "$(sed -n 4p "$work/http")" "legend image/png 404"
expect "nothing else" "$(sed -n 5p "$work/http")" "outside 404 404 404 404"

# Zoom 2 centred on 0,0 in a window of 1024 x 1024: the world's 4 x 4 tiles
# fill the window exactly.
"$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --user-data-dir="$work/profile" --hide-scrollbars \
  --force-device-scale-factor=1 --force-color-profile=srgb --window-size=1024,1024 --virtual-time-budget=10000 \
  --enable-logging=stderr --v=0 --screenshot="$work/shot.png" "${url}#2/0/0" >"$work/chrome.out" 2>"$work/chrome.err"
expect "screenshot taken" "$(test -s "$work/shot.png" && echo yes)" yes
expect "no console errors" "$(grep -E 'CONSOLE|Uncaught|ERR_' "$work/chrome.err" | grep -v 'dbus\|sandbox' | head -3)" ""
/usr/bin/python3 - "$work/shot.png" "$work/t.mbtiles" >"$work/compare" <<'PY'
import io, sqlite3, sys
import matplotlib.image as mpimg
import numpy as np
shot = (mpimg.imread(sys.argv[1])[:, :, :3] * 255).round().astype(int)
db = sqlite3.connect(sys.argv[2])
world = np.full((1024, 1024, 3), 255, dtype=int)  # tiles not stored are the white background
for x, row, data in db.execute("SELECT tile_column, tile_row, tile_data FROM tiles WHERE zoom_level = 2"):
    y = 3 - row
    world[y * 256:(y + 1) * 256, x * 256:(x + 1) * 256] = (mpimg.imread(io.BytesIO(data), format="png")[:, :, :3] * 255).round().astype(int)
# Away from the zoom buttons (top left), the legend and attribution (bottom
# right). Leaflet may place the world a pixel off the window's centre: the
# best of the placements within two pixels must match exactly.
b = world[80:760, 60:940]
wrong = min(int((shot[80 + dy:760 + dy, 60 + dx:940 + dx] != b).any(axis=2).sum())
            for dy in range(-2, 3) for dx in range(-2, 3))
print(shot.shape[0], shot.shape[1], wrong, int((b != 255).any(axis=2).sum() > 50000))
PY
expect "the screenshot is the tiles" "$(cat "$work/compare")" "1024 1024 0 1"

# The folder's page from disk at zoom 3 over the tiles x 0-3, y 3-6 (the
# window's 4 x 4 tiles), four of them open sea: empty and not written.
check "folder" "$kyfsl" tiles "$data" --default --by continent --zoom 0-3 --metatile 2 --jobs 2 --json -o "$work/f"
expect "empty tiles in view" "$(cd "$work/f/3" && for t in 1/4 0/5 1/5 3/5; do test -e $t.png || echo -n "$t "; done)" "1/4 0/5 1/5 3/5 "
shoot() {  # shoot URL PNG: a screenshot, Chromium's log in $work/chrome.err
  "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$work/profile" --hide-scrollbars \
    --force-device-scale-factor=1 --force-color-profile=srgb --window-size=1024,1024 --virtual-time-budget=10000 \
    --allow-file-access-from-files --enable-logging=stderr --v=0 --screenshot="$2" "$1" >"$work/chrome.out" 2>"$work/chrome.err"
}
# The page as it is, and a copy that reports every image that fails to
# load on the console (Chromium logs no failed file:// loads by itself).
sed 's|<head>|<head>\n<script>addEventListener("error", e => { if (e.target \&\& e.target.src) console.error("missing " + e.target.src); }, true);</script>|' \
  "$work/f/index.html" >"$work/f/probe.html"
view="#3/-40.979898/-90"
shoot "file://$work/f/index.html$view" "$work/folder.png"
expect "folder: screenshot taken" "$(test -s "$work/folder.png" && echo yes)" yes
expect "folder: no console errors" "$(grep -E 'CONSOLE|Uncaught|ERR_' "$work/chrome.err" | grep -v 'dbus\|sandbox' | head -3)" ""
shoot "file://$work/f/probe.html$view" "$work/probe.png"
expect "folder: no tile missing" "$(grep -E 'CONSOLE|Uncaught|ERR_' "$work/chrome.err" | grep -v 'dbus\|sandbox' | head -3)" ""
/usr/bin/python3 - "$work/folder.png" "$work/t.mbtiles" >"$work/compare" <<'PY'
import io, sqlite3, sys
import matplotlib.image as mpimg
import numpy as np
shot = (mpimg.imread(sys.argv[1])[:, :, :3] * 255).round().astype(int)
db = sqlite3.connect(sys.argv[2])
world = np.full((1024, 1024, 3), 255, dtype=int)
for x, row, data in db.execute("SELECT tile_column, tile_row, tile_data FROM tiles WHERE zoom_level = 3 "
                               "AND tile_column <= 3 AND tile_row BETWEEN 1 AND 4"):
    y = 7 - row - 3
    world[y * 256:(y + 1) * 256, x * 256:(x + 1) * 256] = (mpimg.imread(io.BytesIO(data), format="png")[:, :, :3] * 255).round().astype(int)
b = world[80:760, 60:940]
wrong = min(int((shot[80 + dy:760 + dy, 60 + dx:940 + dx] != b).any(axis=2).sum())
            for dy in range(-2, 3) for dx in range(-2, 3))
print(wrong)
PY
expect "folder: the screenshot is the tiles" "$(cat "$work/compare")" 0
# Without its list the page asks for every tile, and the empty ones fail.
sed -i 's/^var kyfslTiles = .*/var kyfslTiles = null;/' "$work/f/tiles.js"
shoot "file://$work/f/probe.html$view" "$work/unlisted.png"
expect "unlisted: the empty tiles fail" "$(grep -o '"missing file://[^"]*/3/[0-9]*/[0-9]*.png' "$work/chrome.err" | sed -E 's|.*/3/([0-9]+/[0-9]+[.]png)$|\1|' | sort | tr '\n' ' ')" \
  "0/5.png 1/4.png 1/5.png 3/5.png "

refuse "not an mbtiles" "$kyfsl" serve "$work/serve.out"
refuse "no such file" "$kyfsl" serve "$work/nosuch.mbtiles"
finish
