#!/usr/bin/env bash
# kyfsl map on the shipped countries converted as a user converts them
# (ogr2ogr: GeoPackage, GeoJSON, shapefile; reprojected, filtered,
# segmentized): every country drawn in every projection; numbers classed and
# their breaks checked against a reference written here; damaged, empty and
# remote sources refused with the reason.
set -u
kyfsl=$1
data=$2/naturalearth/naturalearth_lowres.shp
. "$(dirname "$0")/cli_helpers.sh"

drawn_all() {  # drawn_all NAME WANT ARGS...: a map of every feature, none skipped
  local name=$1 want=$2; shift 2
  check "$name" "$kyfsl" map "$@" --default --by continent --size 800x400 --json -o "$work/c.png"
  expect "$name: drawn" "$(json "$work/out" "['features']['drawn']")" "$want"
  expect "$name: skipped" "$(json "$work/out" "['features']['skipped']")" 0
}

ogr2ogr -f GPKG -nlt MULTIPOLYGON "$work/w.gpkg" "$data"
ogr2ogr -f GeoJSON "$work/w.geojson" "$data"
ogr2ogr -f GPKG -nlt MULTIPOLYGON -t_srs EPSG:3035 -where "continent='Africa'" "$work/africa.gpkg" "$data"
ogr2ogr -f GPKG -nlt MULTIPOLYGON -t_srs EPSG:3035 -where "continent='Africa'" -segmentize 0.001 "$work/africa-seg.gpkg" "$data"
ogr2ogr -f GeoJSON -segmentize 0.01 "$work/seg01.geojson" "$data"
drawn_all "geopackage" 177 "$work/w.gpkg"
drawn_all "geojson" 177 "$work/w.geojson"
drawn_all "africa in 3035" 51 "$work/africa.gpkg"
drawn_all "africa in 3035, segmentized 0.001" 51 "$work/africa-seg.gpkg"
for crs in EPSG:3035 EPSG:3857 ESRI:54030 "+proj=robin +lon_0=150"; do
  drawn_all "world in $crs" 177 "$work/w.gpkg" --crs "$crs"
  drawn_all "segmentized world in $crs" 177 "$work/seg01.geojson" --crs "$crs"
done
# Web Mercator's world is its square: no margin past +-20037508 m.
check "mercator extent" "$kyfsl" map "$data" --default --crs EPSG:3857 --size 800x800 --json -o "$work/m.png"
expect "mercator extent" "$(json "$work/out" "['asked_extent']" | python3 -c "import sys, ast; print(all(abs(v) <= 20037508.35 for v in ast.literal_eval(sys.stdin.read())))")" True

# A bow-tie is drawn repaired and named, with its FID and name.
cat >"$work/bowtie.geojson" <<'JSON'
{"type": "FeatureCollection", "features": [
 {"type": "Feature", "properties": {"name": "Knot"}, "geometry": {"type": "Polygon", "coordinates": [[[0, 0], [10, 10], [10, 0], [0, 10], [0, 0]]]}},
 {"type": "Feature", "properties": {"name": "Dot"}, "geometry": {"type": "Polygon", "coordinates": [[[5, 5]]]}}]}
JSON
check "bow-tie" "$kyfsl" map "$work/bowtie.geojson" --default --size 100x100 --json -o "$work/b.png"
expect "bow-tie repaired" "$(json "$work/out" "['features']['repaired']")" 1
expect "bow-tie named" "$(json "$work/out" "['features']['notes'][0]['name']")" Knot
expect "bow-tie fault" "$(json "$work/out" "['features']['notes'][0]['detail']")" "Self-intersection[5 5]"
expect "dot named" "$(json "$work/out" "['features']['notes'][1]['name']")" Dot
expect "dot skipped" "$(json "$work/out" "['features']['notes'][1]['what']")" "invalid geometry"
check "summary" "$kyfsl" map "$work/bowtie.geojson" --default --size 100x100 -o "$work/b.png"
expect "summary counts" "$(head -1 "$work/out" | sed 's/.*png: //; s/;.*//')" "2 features read, 1 drawn (1 repaired), 1 skipped"
expect "summary names" "$(grep -c 'repaired: feature 0 (Knot): Self-intersection' "$work/out")" 1

# Numbers: a class keyed "140" matches 140 read back from a shapefile as
# 140.000000000000000, and labels carry no trailing zeros.
# (The shipped shapefile's pop_est is such a field.)
printf '{"field": "pop_est", "classes": {"140": {"style": 0, "fore": "#FF0000"}}}' >"$work/p.json"
for src in "$data" "$work/w.gpkg" "$work/w.geojson"; do
  check "numeric key in $(basename "$src")" "$kyfsl" map "$src" --default --styles "$work/p.json" --size 400x200 --json -o "$work/p.png"
  expect "140 matched in $(basename "$src")" "$(json "$work/out" "['classes'][0]['features']")" 1
  expect "140 labelled in $(basename "$src")" "$(json "$work/out" "['classes'][0]['label']")" 140
done
refuse_as() {  # refuse_as NAME STATUS PATTERN COMMAND...
  local name=$1 want=$2 pattern=$3; shift 3
  "$@" >"$work/out" 2>"$work/err"
  local rc=$?
  if [ $rc -eq "$want" ] && grep -q -- "$pattern" "$work/err"; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL: $name (status $rc, want $want, /$pattern/)"; cat "$work/err"; fi
}
refuse_as "a class per number" 1 "177 distinct numbers.*--classes" "$kyfsl" map "$data" --default --by pop_est -o "$work/x.png"
refuse_as "classes of text" 1 "--classes needs a numeric field" "$kyfsl" map "$data" --default --by continent --classes 5 -o "$work/x.png"
refuse_as "bad method" 2 "--method must be" "$kyfsl" map "$data" --default --by pop_est --classes 5 --method median -o "$work/x.png"

# The breaks of pop_est against a reference: Weibull quantiles (numpy),
# equal intervals, and Fisher's exact natural breaks written out here.
for method in quantile equal jenks; do
  check "breaks by $method" "$kyfsl" map "$data" --default --by pop_est --classes 5 --method $method --size 400x200 \
    --json -o "$work/q.png"
  cp "$work/out" "$work/$method.json"
done
/usr/bin/python3 - "$data" "$work" >"$work/ref" 2>&1 <<'PY'
import json, subprocess, sys
import numpy as np
data, work = sys.argv[1], sys.argv[2]
out = subprocess.run(["ogrinfo", "-q", "-ro", "-al", "-geom=NO", data], capture_output=True, text=True).stdout
pops = sorted(float(l.split("=")[1]) for l in out.splitlines() if l.strip().startswith("pop_est (Real)"))
def got(method):
    classes = [c for c in json.load(open(f"{work}/{method}.json"))["classes"] if "min" in c]
    return [classes[0]["min"]] + [c["max"] for c in classes]
def jenks(v, k):
    n = len(v)
    def ssd(i, j):
        part = v[i:j]
        m = sum(part) / len(part)
        return sum((x - m) ** 2 for x in part)
    cost = [[float("inf")] * (n + 1) for _ in range(k)]
    back = [[0] * (n + 1) for _ in range(k)]
    for j in range(1, n + 1):
        cost[0][j] = ssd(0, j)
    for c in range(1, k):
        for j in range(c + 1, n + 1):
            for i in range(c, j):
                if v[i - 1] == v[i]:
                    continue
                t = cost[c - 1][i] + ssd(i, j)
                if t < cost[c][j]:
                    cost[c][j], back[c][j] = t, i
    cuts, j = [], n
    for c in range(k - 1, 0, -1):
        j = back[c][j]
        cuts.append(v[j - 1])
    return [v[0]] + cuts[::-1] + [v[-1]]
lo, hi = pops[0], pops[-1]
ref = {
    "quantile": [lo] + list(np.quantile(pops, [0.2, 0.4, 0.6, 0.8], method="weibull")) + [hi],
    "equal": [lo + (hi - lo) * i / 5 for i in range(5)] + [hi],
    "jenks": jenks(pops, 5),
}
for method, want in ref.items():
    have = got(method)
    same = len(have) == len(want) and all(abs(a - b) <= 1e-9 * max(1.0, abs(b)) for a, b in zip(have, want))
    print(method, "same" if same else f"differ: {have} vs {want}")
PY
for method in quantile equal jenks; do
  expect "$method breaks equal the reference" "$(grep "^$method " "$work/ref")" "$method same"
done
expect "range label" "$(json "$work/quantile.json" "['classes'][0]['label']" | grep -c '^140 – [0-9,]*[0-9]\(\.[0-9]*\)\?$')" 1

# The legend: beside the map by default; too many entries for the picture
# are said, and written as a picture of their own.
check "legend beside" "$kyfsl" map "$data" --default --by continent --paper A4,landscape --dpi 96 --legend --json -o "$work/l.png"
expect "legend placed" "$(json "$work/out" "['legend']['place']")" below
check "legend too large" "$kyfsl" map "$data" --default --by name --size 800x400 --legend --legend-file "$work/legend.png" --quiet -o "$work/l.png"
expect "legend too large said" "$(grep -c 'the legend of 177 entries does not fit beside the map; it is in' "$work/err")" 1
expect "legend file written" "$(head -c 4 "$work/legend.png" | tail -c 3)" PNG

# Blank maps, damaged and remote sources.
printf '{"type": "FeatureCollection", "features": [{"type": "Feature", "properties": {}, "geometry": {"type": "Point", "coordinates": [1, 2]}}, {"type": "Feature", "properties": {}, "geometry": {"type": "LineString", "coordinates": [[1, 2], [3, 4]]}}]}' >"$work/mixed.geojson"
refuse_as "no polygons" 1 "has no polygons to draw" "$kyfsl" map "$work/mixed.geojson" --default -o "$work/x.png"
refuse_as "nothing in the extent" 1 "lies inside the extent" "$kyfsl" map "$data" --default --extent 1000,1000,2000,2000 -o "$work/x.png"
check "allowed blank" "$kyfsl" map "$data" --default --extent 1000,1000,2000,2000 --allow-empty --quiet -o "$work/blank.png"
mkdir "$work/cut"
for ext in shp shx prj; do cp "${data%.shp}.$ext" "$work/cut/w.$ext"; done
head -c 11838 "${data%.shp}.dbf" >"$work/cut/w.dbf"
refuse_as "damaged dbf" 1 "stopped after 41 features of 177" "$kyfsl" map "$work/cut/w.shp" --default -o "$work/x.png"
check "damaged dbf, going on" "$kyfsl" map "$work/cut/w.shp" --default --keep-going --json -o "$work/x.png"
expect "unreadable counted" "$(json "$work/out" "['features']['skipped_by_cause']['unreadable']")" 136
refuse_as "network" 1 "--allow-network" "$kyfsl" map /vsicurl/http://127.0.0.1:9/w.geojson --default -o "$work/x.png"

echo -n "kyfsl map data: "
finish
