#!/usr/bin/env bash
# kyfsl map end to end on the shipped countries and on small GeoJSON files:
# what is drawn and reported, and bad input that must fail cleanly (a
# one-line reason and a non-zero status, never a signal).
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

check "world by continent" "$kyfsl" map "$data" --default --by continent --size 800x400 --legend --json -o "$work/w.png"
cp "$work/out" "$work/w.json"
expect "read" "$(json "$work/w.json" "['features']['read']")" 177
expect "drawn" "$(json "$work/w.json" "['features']['drawn']")" 177
expect "classes" "$(json "$work/w.json" "['classes'].__len__()")" 9
expect "first class" "$(json "$work/w.json" "['classes'][0]['value']")" Africa
expect "crs" "$(json "$work/w.json" "['crs']")" EPSG:4326
expect "picture" "$(json "$work/w.json" "['picture']['width']")" 800
expect "png written" "$(head -c 4 "$work/w.png" | tail -c 3)" PNG
check "layer by name, bmp, shape anchor, A6" "$kyfsl" map "$data:naturalearth_lowres" --default --paper A6 --dpi 72 \
  --align shape --quiet -o "$work/w.bmp"
expect "bmp written" "$(head -c 2 "$work/w.bmp")" BM
expect "quiet" "$(cat "$work/out")" ""
check "reprojected" "$kyfsl" map "$data" --default --crs EPSG:3857 --extent -2e7,-1e7,2e7,1.5e7 --size 400x300 --json \
  -o "$work/m.png"
expect "mercator" "$(json "$work/out" "['crs']")" EPSG:3857
# A thumbnail smaller than some of the library's tiles is drawn all the same.
check "thumbnail" "$kyfsl" map "$data" --default --by continent --size 96x48 --quiet -o "$work/t.png"
check "printer route" "$kyfsl" map "$data" --default --by continent --print --paper A6 --quiet -o "$work/p.png"

# Anti-aliased by default; --antialias off is the module's own route, and
# the vector outputs come from the extension or --format.
check "smooth" "$kyfsl" map "$data" --default --by continent --size 400x200 --quiet -o "$work/aa.png"
check "module's pixels" "$kyfsl" map "$data" --default --by continent --size 400x200 --antialias off --quiet -o "$work/off.png"
cmp -s "$work/aa.png" "$work/off.png"; expect "smooth differs from the module's pixels" $? 1
check "pdf" "$kyfsl" map "$data" --default --by continent --paper A4,landscape --dpi 300 --legend --quiet -o "$work/w.pdf"
expect "pdf written" "$(head -c 5 "$work/w.pdf")" "%PDF-"
expect "A4 landscape in points" "$(pdfinfo "$work/w.pdf" | grep -c 'Page size: *841.* x 595.* pts')" 1
expect "pdf at most 1 MB" "$([ "$(stat -c %s "$work/w.pdf")" -le 1048576 ] && echo yes)" yes
check "svg by --format" "$kyfsl" map "$data" --default --by continent --paper A4,landscape --dpi 300 --legend --quiet \
  --format svg -o "$work/w.map"
expect "svg written" "$(grep -c '<svg' "$work/w.map")" 1
expect "svg at most 2 MB" "$([ "$(stat -c %s "$work/w.map")" -le 2097152 ] && echo yes)" yes
check "svg read by librsvg" rsvg-convert -o "$work/w-svg.png" "$work/w.map"
check "pdf read by poppler" pdftoppm -r 30 -png -singlefile "$work/w.pdf" "$work/w-pdf"
check "pdf read by mupdf" mutool draw -r 30 -o "$work/w-mu.png" "$work/w.pdf"

cat >"$work/styles.json" <<'JSON'
{"field": "continent", "default": {"style": 1, "outline": false},
 "classes": {"Africa": {"style": 30, "fore": "#B23A12", "rate": 60},
             "Europe": {"gradient": "radial", "fore": "#FFFFFF", "back": "#2A4D9B"}}}
JSON
check "styles file" "$kyfsl" map "$data" --default --styles "$work/styles.json" --size 600x300 --json -o "$work/s.png"
expect "styles classes" "$(json "$work/out" "['classes'][1]['gradient']")" radial
expect "other features" "$(json "$work/out" "['classes'][2]['features']")" 87

printf '{"type": "FeatureCollection", "features": [{"type": "Feature", "properties": {}, "geometry": {"type": "Point", "coordinates": [1, 2]}}]}' >"$work/points.geojson"
printf '{"field": "continent",\n "classes": {"Africa": {"fore": "red"}}}' >"$work/badcolour.json"
printf '{"field": "continent",\n "classes": {"Africa": {"style": 5000}}}' >"$work/nostyle.json"
printf '{"field": "continent",\n  "classes": [\n' >"$work/broken.json"
refuse_as "no data" 1 "no such file" "$kyfsl" map "$work/nosuch.shp" --default -o "$work/x.png"
refuse_as "no layer" 1 "has no layer 'roads'" "$kyfsl" map "$data:roads" --default -o "$work/x.png"
refuse_as "no field" 1 "has no field 'kind'" "$kyfsl" map "$data" --default --by kind -o "$work/x.png"
refuse_as "points" 1 "not polygons" "$kyfsl" map "$work/points.geojson" --default -o "$work/x.png"
refuse_as "bad colour" 1 "classes.Africa.fore: colour 'red'" "$kyfsl" map "$data" --default --styles "$work/badcolour.json" -o "$work/x.png"
refuse_as "style not in library" 1 "style 5000 is not in the library" "$kyfsl" map "$data" --default --styles "$work/nostyle.json" -o "$work/x.png"
refuse_as "broken json" 1 "line 3" "$kyfsl" map "$data" --default --styles "$work/broken.json" -o "$work/x.png"
refuse_as "no styles file" 1 "nosuch.json" "$kyfsl" map "$data" --default --styles "$work/nosuch.json" -o "$work/x.png"
refuse_as "too large" 1 "past the bound" "$kyfsl" map "$data" --default --paper A0 --dpi 1200 -o "$work/x.png"
refuse_as "flat extent" 2 "has no area" "$kyfsl" map "$data" --default --extent 0,0,0,10 -o "$work/x.png"
refuse_as "bad extent" 2 "is not minx,miny,maxx,maxy" "$kyfsl" map "$data" --default --extent 0,0,10 -o "$work/x.png"
for size in 0x0 10x x10 10x0 -5x10 10x10x 1e3x10; do
  refuse_as "size $size" 2 "^kyfsl: --size '$size' must be WxH of positive numbers$" \
    "$kyfsl" map "$data" --default --size "$size" -o "$work/x.png"
done
refuse_as "huge size" 1 "past the bound" "$kyfsl" map "$data" --default --size 99999999999999999999x10 -o "$work/x.png"
refuse_as "nan extent" 2 "^kyfsl: --extent 'nan,0,10,10': 'nan' is not a number$" \
  "$kyfsl" map "$data" --default --extent nan,0,10,10 -o "$work/x.png"
refuse_as "infinite extent" 2 "^kyfsl: --extent '0,0,inf,10': 'inf' is not a finite number$" \
  "$kyfsl" map "$data" --default --extent 0,0,inf,10 -o "$work/x.png"
# At the lowest resolutions every class's style still draws (its tile is
# the smallest the device shows).
for dpi in 10 20; do
  check "a map by continent at $dpi dpi" "$kyfsl" map "$data" --default --by continent --dpi $dpi --legend --quiet \
    -o "$work/low$dpi.png"
done
check "paper words in any case" "$kyfsl" map "$data" --default --paper a6,LANDSCAPE --dpi 72 --quiet -o "$work/case.png"
expect "a6 landscape at 72 dpi" "$(python3 -c "import struct,sys; d=open(sys.argv[1],'rb').read(); print(struct.unpack('>II', d[16:24]))" "$work/case.png")" "(420, 298)"
refuse_as "bad crs" 1 "is not understood" "$kyfsl" map "$data" --default --crs EPSG:0 -o "$work/x.png"
refuse_as "bad align" 2 "--align" "$kyfsl" map "$data" --default --align grid -o "$work/x.png"
refuse_as "bad paper" 1 "unknown paper" "$kyfsl" map "$data" --default --paper A9 -o "$work/x.png"
refuse_as "both classings" 2 "either --by or --styles" "$kyfsl" map "$data" --default --by continent --styles "$work/styles.json" -o "$work/x.png"
refuse_as "print and dpi" 2 "leave out --dpi" "$kyfsl" map "$data" --default --print --dpi 300 -o "$work/x.png"
refuse_as "output kind" 2 ".png or .bmp" "$kyfsl" map "$data" --default -o "$work/x.gif"
refuse_as "bad antialias" 2 "--antialias must be on or off" "$kyfsl" map "$data" --default --antialias maybe -o "$work/x.png"
refuse_as "bad format" 2 "--format must be" "$kyfsl" map "$data" --default --format gif -o "$work/x.png"
refuse_as "unwritable pdf" 1 "cannot write" "$kyfsl" map "$data" --default --size 100x50 -o "$work/nodir/x.pdf"
mkdir "$work/dir.svg"
refuse_as "svg onto a folder" 1 "cannot write" "$kyfsl" map "$data" --default --size 100x50 -o "$work/dir.svg"
refuse_as "unwritable" 1 "cannot write" "$kyfsl" map "$data" --default --size 100x50 -o "$work/nodir/x.png"
# A write that fails keeps the old picture whole and leaves no temporary file.
mkdir "$work/lim"
printf 'the old file' >"$work/lim/keep.png"
(ulimit -f 2; exec "$kyfsl" map "$data" --default --size 400x200 --quiet -o "$work/lim/keep.png") 2>&1 >/dev/null |
  cat >"$work/err"
rc=${PIPESTATUS[0]}
[ $rc -ne 0 ] && [ $rc -lt 128 ]; expect "limited map fails cleanly ($rc)" $? 0
expect "limited map says why" "$(grep -c 'cannot write' "$work/err")" 1
expect "limited map keeps the old file" "$(cat "$work/lim/keep.png")" "the old file"
expect "limited map leaves no temporary" "$(ls -A "$work/lim" | wc -l)" 1
printf 'the old file' >"$work/lim/keep.pdf"
(ulimit -f 2; exec "$kyfsl" map "$data" --default --by continent --paper A4 --dpi 300 --quiet -o "$work/lim/keep.pdf") 2>&1 >/dev/null |
  cat >"$work/err"
rc=${PIPESTATUS[0]}
[ $rc -ne 0 ] && [ $rc -lt 128 ]; expect "limited pdf fails cleanly ($rc)" $? 0
expect "limited pdf says why" "$(grep -c 'cannot write' "$work/err")" 1
expect "limited pdf keeps the old file" "$(cat "$work/lim/keep.pdf")" "the old file"
expect "limited pdf leaves no temporary" "$(ls -A "$work/lim" | wc -l)" 2
printf 'the old file' >"$work/lim/keep.svg"
(ulimit -f 2; exec "$kyfsl" map "$data" --default --by continent --paper A4 --dpi 300 --quiet -o "$work/lim/keep.svg") 2>&1 >/dev/null |
  cat >"$work/err"
rc=${PIPESTATUS[0]}
[ $rc -ne 0 ] && [ $rc -lt 128 ]; expect "limited svg fails cleanly ($rc)" $? 0
expect "limited svg says why" "$(grep -c 'cannot write' "$work/err")" 1
expect "limited svg keeps the old file" "$(cat "$work/lim/keep.svg")" "the old file"
expect "limited svg leaves no temporary" "$(ls -A "$work/lim" | wc -l)" 3
# A PDF or SVG onto a link is written through it (the link stays); onto a
# fifo, a device or a loop of links it is refused with the reason, and the
# node stays.
printf 'the old file' >"$work/real.pdf"
ln -s real.pdf "$work/link.pdf"
check "pdf onto a link" "$kyfsl" map "$data" --default --size 100x50 --quiet -o "$work/link.pdf"
[ -L "$work/link.pdf" ]; expect "the link stays" $? 0
expect "the link's target is the pdf" "$(head -c 5 "$work/real.pdf")" "%PDF-"
mkdir "$work/sp"
mkfifo "$work/sp/fifo.pdf" "$work/sp/fifo.svg"
ln -s loop.svg "$work/sp/loop.svg"
targets=("$work/sp/fifo.pdf" "$work/sp/fifo.svg" "$work/sp/loop.svg")
# A full disk's device (a copy of /dev/full, where the process may make one).
mknod "$work/sp/full.pdf" c 1 7 2>/dev/null && targets+=("$work/sp/full.pdf")
for target in "${targets[@]}"; do
  timeout 60 "$kyfsl" map "$data" --default --size 100x50 --quiet -o "$target" >"$work/out" 2>"$work/err"
  rc=$?
  [ $rc -eq 1 ] && grep -q "^kyfsl: cannot write '$target': " "$work/err"
  expect "$(basename "$target") refused with the reason ($rc: $(cat "$work/err"))" $? 0
done
expect "the fifos stay fifos" "$(find "$work/sp" -type p | wc -l)" 2
expect "the loop stays a link" "$(find "$work/sp" -type l | wc -l)" 1
[ ! -e "$work/x.png" ] && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL: a refused map wrote a file"; }

echo -n "kyfsl map: "
finish
