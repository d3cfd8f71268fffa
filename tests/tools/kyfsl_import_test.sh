#!/usr/bin/env bash
# import takes only images the pattern reader can read, and says why it
# refuses the others; top-down patterns are listed with their real height.
set -u
kyfsl=$1
. "$(dirname "$0")/cli_helpers.sh"

check "default" "$kyfsl" default -o "$work/d.bru"
# Bad files in the manner of the public BMP test suite's "bad" set, each made
# from a good 1-bit 8 x 8 image by one fault.
python3 - "$work" <<'PY'
import struct, sys
out = sys.argv[1]
def bmp(width=8, height=8, bits=1, planes=1, header=40, size=None, offset=None, compression=0, rows=None,
        colours=2):
    stride = (width * bits + 31) // 32 * 4
    rows = rows if rows is not None else b''.join(bytes([0x55 if y % 2 else 0xAA]) + b'\0' * (stride - 1)
                                                  for y in range(abs(height)))
    table = b'\0\0\0\0\xff\xff\xff\0'[:4 * colours] if bits <= 8 else b''
    info = struct.pack('<IiiHHIIiiII', header, width, height, planes, bits, compression, len(rows), 0, 0,
                       colours if bits <= 8 else 0, 0)
    info = info[:header] if header < 40 else info + b'\0' * (header - 40)
    off = offset if offset is not None else 14 + len(info) + len(table)
    total = size if size is not None else 14 + len(info) + len(table) + len(rows)
    return b'BM' + struct.pack('<IHHI', total, 0, 0, off) + info + table + rows
cases = {
    'good': bmp(),
    'topdown': bmp(width=17, height=-16),
    'badbitcount': bmp(bits=7),
    'badplanes': bmp(planes=2),
    'badheadersize': bmp(header=41),
    'badfilesize': bmp(size=99999),
    'badoffset': bmp(offset=5000),
    'reallybig': bmp(width=3000000, height=2000000, rows=b'\0' * 64),
    'badwidth': bmp(width=-127, height=64, rows=b'\0' * 256),
    'shortfile': bmp()[:70],
    'badrle': bmp(bits=8, compression=1, colours=2, rows=b'\x05\x01\x00\x02\xff\xff\x00\x01'),
}
for name, data in cases.items():
    open(f'{out}/{name}.bmp', 'wb').write(data)
PY

for bad in badbitcount badplanes badheadersize badfilesize badoffset reallybig badwidth shortfile badrle; do
  refuse "import $bad" "$kyfsl" import "$work/d.bru" "$work/$bad.bmp" -o "$work/x.bru"
  expect "$bad: one line with the file's name" "$(grep -c "'$work/$bad.bmp' .*nothing was imported" "$work/err")" 1
done
[ ! -e "$work/x.bru" ]; expect "nothing written for a bad image" $? 0
expect "planes named" "$(grep -c 'colour planes' <("$kyfsl" import "$work/d.bru" "$work/badplanes.bmp" -o "$work/x.bru" 2>&1))" 1
expect "bit count named" "$(grep -c 'bits per pixel' <("$kyfsl" import "$work/d.bru" "$work/badbitcount.bmp" -o "$work/x.bru" 2>&1))" 1
expect "header size named" "$(grep -c 'info header of 41 bytes' <("$kyfsl" import "$work/d.bru" "$work/badheadersize.bmp" -o "$work/x.bru" 2>&1))" 1

check "import good and top-down" "$kyfsl" import "$work/d.bru" "$work/good.bmp" "$work/topdown.bmp" -o "$work/i.bru"
check "list" "$kyfsl" list "$work/i.bru" --json
expect "top-down listed by its height" "$(json "$work/out" "[-1]['height']")" 16
expect "top-down width" "$(json "$work/out" "[-1]['width']")" 17
check "list text" "$kyfsl" list "$work/i.bru"
expect "top-down as 17x16" "$(grep -c ' 17x16 ' "$work/out")" 1
check "render the top-down pattern" "$kyfsl" render "$work/i.bru" --style 101 --canvas 40x40 -o "$work/t.png"
check "gallery of the imported" "$kyfsl" gallery "$work/i.bru" --ids 100-101 -o "$work/g.png"

finish
