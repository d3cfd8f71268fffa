#!/usr/bin/env bash
# Drawing: the built-in fills take the options a library style takes, and
# the gallery draws every style it is asked for, on pages when needed.
set -u
kyfsl=$1
. "$(dirname "$0")/cli_helpers.sh"
# pixel FILE X Y: "R,G,B" of a 24-bit .bmp (rows bottom-up)
pixel() {
  python3 - "$@" <<'PY'
import struct, sys
d = open(sys.argv[1], 'rb').read()
off, w, h = struct.unpack_from('<I', d, 10)[0], *struct.unpack_from('<ii', d, 18)
x, y = int(sys.argv[2]), int(sys.argv[3])
stride = (w * 3 + 3) // 4 * 4
b, g, r = d[off + (h - 1 - y) * stride + 3 * x: off + (h - 1 - y) * stride + 3 * x + 3]
print(f"{r},{g},{b}")
PY
}
# colours FILE: the distinct colours of a 24-bit .bmp, sorted
colours() {
  python3 - "$1" <<'PY'
import struct, sys
d = open(sys.argv[1], 'rb').read()
off, w, h = struct.unpack_from('<I', d, 10)[0], *struct.unpack_from('<ii', d, 18)
stride = (w * 3 + 3) // 4 * 4
seen = set()
for y in range(h):
    row = d[off + y * stride: off + y * stride + 3 * w]
    for x in range(w):
        b, g, r = row[3 * x: 3 * x + 3]
        seen.add(f"{r},{g},{b}")
print(' '.join(sorted(seen)))
PY
}

# crop FILE W H: a digest of the top-left W x H pixels of a 24-bit .bmp
crop() {
  python3 - "$@" <<'PY'
import hashlib, struct, sys
d = open(sys.argv[1], 'rb').read()
off, w, h = struct.unpack_from('<I', d, 10)[0], *struct.unpack_from('<ii', d, 18)
cw, ch = int(sys.argv[2]), int(sys.argv[3])
stride = (w * 3 + 3) // 4 * 4
print(hashlib.sha1(b''.join(d[off + (h - 1 - y) * stride: off + (h - 1 - y) * stride + 3 * cw] for y in range(ch))).hexdigest())
PY
}

# A pattern has its physical size whatever the canvas's size: the same
# pixels on a small canvas and a large one (the small one used to be a
# few per cent off 96 dpi, its width rounded to whole millimetres), and a
# tile larger than the canvas is drawn, not refused.
for size in 100x100 1000x1000; do
  check "style 88 on $size" "$kyfsl" render --default --style 88 --canvas $size --rect 0,0,100,100 -o "$work/t$size.bmp"
done
expect "style 88 the same on both" "$(crop "$work/t100x100.bmp" 100 100)" "$(crop "$work/t1000x1000.bmp" 100 100)"
check "style 88 larger than its canvas" "$kyfsl" render --default --style 88 --canvas 40x30 --rect 0,0,40,30 -o "$work/t.bmp"
expect "style 88 on 40x30" "$(crop "$work/t.bmp" 40 30)" "$(crop "$work/t1000x1000.bmp" 40 30)"

# The solid fill at rate 50 mixes with the paper.
check "solid at 50" "$kyfsl" render --style 0 --fore '#FF0000' --rate 50 --canvas 40x40 --rect -5,-5,50,50 -o "$work/s.bmp"
# The blend rounds down: 255 mixed with 255 at 50 gives 254.
expect "solid at 50 is half red" "$(pixel "$work/s.bmp" 20 20)" "254,127,127"
check "solid at 100" "$kyfsl" render --style 0 --fore '#FF0000' --canvas 40x40 --rect -5,-5,50,50 -o "$work/s.bmp"
expect "solid at 100 is red" "$(pixel "$work/s.bmp" 20 20)" "255,0,0"
# A hatch, opaque, on the background colour; transparent, on the paper.
check "hatch opaque" "$kyfsl" render --style 6 --fore '#0000FF' --back '#00FF00' --canvas 32x32 --rect -5,-5,40,40 -o "$work/h.bmp"
expect "hatch on its background" "$(colours "$work/h.bmp")" "0,0,255 0,255,0"
check "hatch transparent" "$kyfsl" render --style 6 --fore '#0000FF' --back '#00FF00' --transparent --paper '#FFFFFF' --canvas 32x32 --rect -5,-5,40,40 -o "$work/h.bmp"
expect "hatch on the paper" "$(colours "$work/h.bmp")" "0,0,255 255,255,255"
check "hatch at 50" "$kyfsl" render --style 6 --fore '#0000FF' --transparent --rate 50 --canvas 32x32 --rect -5,-5,40,40 -o "$work/h.bmp"
expect "hatch mixed at 50" "$(colours "$work/h.bmp")" "127,127,254 254,254,254"
# A poly-polygon's hole stays open, for the solid fill and a hatch.
for s in 0 5; do
  check "hole, style $s" "$kyfsl" render --style $s --fore '#000000' --canvas 60x60 \
    --polygon "5,5 55,5 55,55 5,55" --polygon "20,20 40,20 40,40 20,40" -o "$work/p.bmp"
  expect "hole of style $s is paper" "$(pixel "$work/p.bmp" 30 30)" "255,255,255"
done
check "solid outside the hole" "$kyfsl" render --style 0 --fore '#000000' --canvas 60x60 \
  --polygon "5,5 55,5 55,55 5,55" --polygon "20,20 40,20 40,40 20,40" -o "$work/p.bmp"
expect "ring is filled" "$(pixel "$work/p.bmp" 10 10)" "0,0,0"

# The gallery: every style, on pages when one picture cannot hold them.
check "default" "$kyfsl" default -o "$work/d.bru"
check "184 styles" "$kyfsl" merge "$work/d.bru" "$work/d.bru" --renumber -o "$work/big.bru"
check "gallery on pages" "$kyfsl" gallery "$work/big.bru" --columns 1 -o "$work/g.png"
[ -e "$work/g-1.png" ] && [ -e "$work/g-2.png" ] && [ ! -e "$work/g-3.png" ] && [ ! -e "$work/g.png" ]
expect "two pages" $? 0
expect "pages said" "$(tail -1 "$work/out")" \
  "184 styles on 2 pages of at most 170 (a picture is at most 16384 pixels high)"
check "gallery of one group's ids" "$kyfsl" gallery "$work/d.bru" --ids 8-11,20 --columns 5 -o "$work/ids.png"
expect "one page" "$(python3 -c "import struct,sys; d=open(sys.argv[1],'rb').read(); print(struct.unpack('>II', d[16:24]))" "$work/ids.png")" "(616, 112)"
check "gallery of a group" "$kyfsl" gallery "$work/d.bru" --group "" --columns 4 -o "$work/grp.png"
refuse "a missing group" "$kyfsl" gallery "$work/d.bru" --group "nothing/here" -o "$work/x.png"
refuse "ids that match nothing" "$kyfsl" gallery "$work/d.bru" --ids 5000 -o "$work/x.png"
refuse "bad ids" "$kyfsl" gallery "$work/d.bru" --ids 9-8 -o "$work/x.png"

finish
