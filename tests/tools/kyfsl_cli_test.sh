#!/usr/bin/env bash
# The kyfsl command line end to end: the built-in library, conversion,
# editing commands, and broken input that must fail cleanly (a one-line
# reason and a non-zero status, never a signal).
set -u
kyfsl=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() {  # check NAME COMMAND...: the command must succeed
  local name=$1; shift
  if "$@" >"$work/out" 2>"$work/err"; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL: $name"; cat "$work/err"; fi
}
refuse() {  # refuse NAME COMMAND...: the command must fail with a message, not a crash
  local name=$1; shift
  "$@" >"$work/out" 2>"$work/err"
  local rc=$?
  if [ $rc -ne 0 ] && [ $rc -lt 128 ] && [ "$(wc -l <"$work/err")" -ge 1 ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL: $name (status $rc)"; cat "$work/err"; fi
}
expect() {  # expect NAME ACTUAL WANTED
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL: $1: got '$2', want '$3'"; fi
}
json() { python3 -c "import json,sys; print(json.load(open(sys.argv[1]))$2)" "$1"; }

check "default" "$kyfsl" default -o "$work/d.bru"
expect "default size" "$(stat -c %s "$work/d.bru")" 21608
check "info default" "$kyfsl" info "$work/d.bru" --json
cp "$work/out" "$work/info.json"
expect "magic" "$(json "$work/info.json" "['magic']")" 20010521
expect "bitmap styles" "$(json "$work/info.json" "['bitmap_styles']")" 92
expect "min id" "$(json "$work/info.json" "['min_id']")" 8
expect "max id" "$(json "$work/info.json" "['max_id']")" 99
check "info --default" "$kyfsl" info --default --json
expect "built-in agrees" "$(json "$work/out" "['styles']")" 92
expect "built-in root shown from GB2312" "$(json "$work/out" "['root']")" "默认"

check "convert" "$kyfsl" convert "$work/d.bru" -o "$work/c.bru"
check "info converted" "$kyfsl" info "$work/c.bru" --json
expect "converted magic" "$(json "$work/out" "['magic']")" 20031121
expect "converted styles" "$(json "$work/out" "['bitmap_styles']")" 92
expect "converted max id" "$(json "$work/out" "['max_id']")" 99

check "list" "$kyfsl" list "$work/c.bru" --json
expect "first listed" "$(json "$work/out" "[0]['name']")" 008
expect "listed count" "$(json "$work/out" ".__len__()")" 92

check "remove" "$kyfsl" remove "$work/c.bru" 8 99 -o "$work/r.bru"
check "info removed" "$kyfsl" info "$work/r.bru" --json
expect "after remove" "$(json "$work/out" "['styles']")" 90
refuse "remove unknown id" "$kyfsl" remove "$work/c.bru" 5000 -o "$work/x.bru"
[ ! -e "$work/x.bru" ]; expect "nothing written on error" $? 0

check "rename" "$kyfsl" rename "$work/c.bru" 10 "Sand, fine" -o "$work/n.bru"
check "list renamed" "$kyfsl" list "$work/n.bru" --json
expect "renamed" "$(json "$work/out" "[2]['name']")" "Sand, fine"

# A 1-bit 8x8 bitmap to import.
python3 - "$work/p.bmp" <<'PY'
import struct, sys
rows = b''.join(struct.pack('<I', 0xAA000000 if y % 2 else 0x55000000) for y in range(8))
head = b'BM' + struct.pack('<IHHI', 62 + len(rows), 0, 0, 62)
info = struct.pack('<IiiHHIIiiII', 40, 8, 8, 1, 1, 0, len(rows), 0, 0, 2, 0)
open(sys.argv[1], 'wb').write(head + info + b'\0\0\0\0\xff\xff\xff\0' + rows)
PY
check "import" "$kyfsl" import "$work/c.bru" "$work/p.bmp" --group "Imported/Fine" --resolution 254 -o "$work/i.bru"
check "list imported" "$kyfsl" --codepage 936 list "$work/i.bru" --json
expect "imported id" "$(json "$work/out" "[-1]['id']")" 100
# The built-in library's root keeps its stored GB2312 name, shown as UTF-8.
expect "imported group" "$(json "$work/out" "[-1]['group']")" "默认/Imported/Fine"
expect "imported resolution" "$(json "$work/out" "[-1]['resolution']")" 254
check "tree" "$kyfsl" tree "$work/i.bru"
expect "tree lines" "$(wc -l <"$work/out")" 3
refuse "import bad resolution" "$kyfsl" import "$work/c.bru" "$work/p.bmp" --resolution 100 -o "$work/x.bru"
printf 'XMxxxx' >"$work/bad.bmp"
refuse "import non-bmp" "$kyfsl" import "$work/c.bru" "$work/bad.bmp" -o "$work/x.bru"

check "merge" "$kyfsl" merge "$work/r.bru" "$work/c.bru" -o "$work/m.bru"
check "info merged" "$kyfsl" info "$work/m.bru" --json
expect "merged styles" "$(json "$work/out" "['styles']")" 92

# Drawing: a style on a simulated screen and printer, the gallery, export.
check "render" "$kyfsl" render --default --style 30 --canvas 120x80 --bpp 16 --fore '#FF0000' --rect 10,10,110,70 -o "$work/r.png"
expect "render wrote a png" "$(head -c 4 "$work/r.png" | od -An -c | tr -d ' ')" '211PNG'
check "render polygon, transparent, 50%" "$kyfsl" render --default --style 68 --transparent --rate 50 --polygon "10,10 100,20 50,70" --canvas 120x80 -o "$work/p.bmp"
expect "render wrote a bmp" "$(head -c 2 "$work/p.bmp")" BM
check "render print" "$kyfsl" render --default --style 20 --print --canvas 300x200 -o "$work/print.png"
check "render gradient" "$kyfsl" render --gradient radial --hoffset 20 --canvas 100x100 -o "$work/g.png"
check "render built-in hatch" "$kyfsl" render --style 4 --canvas 50x50 -o "$work/h.png"
refuse "render unknown style" "$kyfsl" render --default --style 5000 -o "$work/x.png"
refuse "render bad colour" "$kyfsl" render --default --fore red -o "$work/x.png"
refuse "render bad depth" "$kyfsl" render --default --bpp 7 -o "$work/x.png"
refuse "render bad polygon" "$kyfsl" render --default --polygon "1,2 3" -o "$work/x.png"
check "gallery" "$kyfsl" gallery --default --columns 10 -o "$work/gallery.png"
check "export-bmp" "$kyfsl" export-bmp "$work/c.bru" 8 --fore '#0000FF' -o "$work/e.bmp"
expect "export size" "$(stat -c %s "$work/e.bmp")" 94
check "demo" "$kyfsl" demo -o "$work/demo.png"

# Broken input: every command refuses it with a reason.
refuse "missing file" "$kyfsl" info "$work/none.bru"
: >"$work/empty.bru"
refuse "empty file" "$kyfsl" info "$work/empty.bru"
printf 'garbage!' >"$work/garbage.bru"
refuse "unknown layout" "$kyfsl" list "$work/garbage.bru"
head -c 5000 "$work/c.bru" >"$work/cut.bru"
refuse "damaged convert" "$kyfsl" convert "$work/cut.bru" -o "$work/x.bru"
refuse "damaged info" "$kyfsl" info "$work/cut.bru"
refuse "no source" "$kyfsl" info
refuse "unknown command" "$kyfsl" frobnicate
[ ! -e "$work/x.bru" ]; expect "nothing written for refused input" $? 0
for n in 1 3 4 7 8 100 409 2000 9999; do
  head -c $n "$work/c.bru" >"$work/t.bru"
  "$kyfsl" list "$work/t.bru" >/dev/null 2>&1
  rc=$?
  [ $rc -lt 128 ]; expect "truncated at $n does not crash" $? 0
done

# kyfsl export: every format, and bad input that leaves nothing behind.
check "export svg" "$kyfsl" export --default --format svg -o "$work/svg"
expect "svg files" "$(ls "$work/svg" | wc -l)" 93
check "export qgis" "$kyfsl" export --default --format qgis -o "$work/q.xml" --ids 8-10,20
expect "qgis symbols" "$(grep -c '<symbol alpha=.*type="fill"' "$work/q.xml")" 8
check "export sld" "$kyfsl" export --default --format sld -o "$work/sld" --rate 50 --transparent
check "export mapnik" "$kyfsl" export --default --format mapnik -o "$work/mapnik" --ids 12
expect "mapnik files" "$(ls "$work/mapnik" | tr '\n' ' ')" "12-012.svg mapnik.xml "
refuse "export unknown format" "$kyfsl" export --default --format png -o "$work/x"
refuse "export folder over a file" "$kyfsl" export --default --format svg -o "$work/q.xml"
refuse "export file over a folder" "$kyfsl" export --default --format qgis -o "$work/svg"
refuse "export missing ids" "$kyfsl" export --default --format svg --ids 5,8,999 -o "$work/ids"
expect "missing ids named at once" "$(cat "$work/err")" "kyfsl: the library has no styles 5, 999"
expect "nothing left behind" "$(ls -d "$work/ids" 2>/dev/null)" ""
refuse "export into no folder" "$kyfsl" export --default --format svg -o "$work/no/such/dir"
refuse "export bad ids" "$kyfsl" export --default --format svg --ids 9-3 -o "$work/ids"
# Many ranges stay ranges, and the message names the first stretches only.
ids=$(python3 -c "print(','.join(f'{k * 1000}-{k * 1000 + 500}' for k in range(200)))")
refuse "export 200 ranges of ids" "$kyfsl" export --default --format svg --ids "$ids" -o "$work/ids"
expect "200 ranges, a short message" "$(cat "$work/err")" "kyfsl: the library has no styles 0-7, 100-500, \
1000-1500, 2000-2500, 3000-3500, 4000-4500, 5000-5500, 6000-6500, 7000-7500, 8000-8500 and 95691 more"
check "export the whole id range of a library" "$kyfsl" export --default --format qgis --ids 8-99 -o "$work/all.xml"
"$kyfsl" export --default --format qgis -o "$work/q" >"$work/out" 2>"$work/err"
expect "qgis needs .xml, status" $? 2
expect "qgis needs .xml, says so" "$(cat "$work/err")" "kyfsl: '$work/q': the QGIS style must be named .xml"
[ ! -e "$work/q" ]; expect "no file without .xml" $? 0
check "qgis .XML in capitals" "$kyfsl" export --default --format qgis --ids 8 -o "$work/q.XML"
# Re-exporting into a folder whose last file's name is taken by a folder:
# nothing in it changes, index.html included, and no hidden file stays.
printf 'old index' >"$work/svg/index.html"
last=$(ls "$work/svg" | grep '\.svg$' | tail -1)
rm "$work/svg/$last" && mkdir "$work/svg/$last"
refuse "re-export with a name taken" "$kyfsl" export --default --format svg -o "$work/svg" --fore '#FF0000'
expect "a taken name is named" "$(cat "$work/err")" \
  "kyfsl: cannot write '$work/svg/$last': a folder has that name (nothing was changed)"
expect "index.html unchanged" "$(cat "$work/svg/index.html")" "old index"
expect "no hidden file left" "$(ls -A "$work/svg" | grep -c '^\.')" 0
# A link inside the folder is replaced; what it points at stays.
rmdir "$work/svg/$last"
printf 'precious' >"$work/victim.txt"
rm "$work/svg/index.html" && ln -s ../victim.txt "$work/svg/index.html"
check "re-export over a link" "$kyfsl" export --default --format svg -o "$work/svg"
expect "the link's target untouched" "$(cat "$work/victim.txt")" "precious"
[ ! -L "$work/svg/index.html" ] && grep -q '<html' "$work/svg/index.html"; expect "index.html is a new file" $? 0
# Libraries of the oldest layout (magic, then id, name, pattern per record)
# with one name that is not GB2312 text and one with a control byte.
for bad in "ff fe" "41 07 42"; do
  python3 - "$work/bad.bru" "$bad" <<'PY'
import struct, sys
name = bytes.fromhex(sys.argv[2])
bmp = b"BM" + struct.pack("<IHHI", 94, 0, 0, 62) + struct.pack("<IiiHHIIiiII", 40, 8, 8, 1, 1, 0, 32, 0, 0, 2, 0)
bmp += struct.pack("<II", 0, 0xFFFFFF) + bytes(range(32))
open(sys.argv[1], "wb").write(struct.pack("<iii", 20010510, 8, len(name)) + name + struct.pack("<i", len(bmp)) + bmp)
PY
  refuse "export bad name $bad" "$kyfsl" export "$work/bad.bru" --codepage 936 --format svg -o "$work/bad"
  expect "bad name $bad: nothing written" "$(ls -d "$work/bad" 2>/dev/null)" ""
done

echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
