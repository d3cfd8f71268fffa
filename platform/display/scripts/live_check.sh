#!/usr/bin/env bash
# Runs the demo dialog in a real SDL window (under Xvfb when there is no
# display), types and clicks in it with xdotool, takes an X screenshot of the
# window with xwd and compares it with the screen the window system composed.
# Usage: live_check.sh BUILD_DIR OUT_DIR. Exits non-zero when the pictures differ.
set -euo pipefail
build=$1
out=${2:-live-check}
mkdir -p "$out"
demo="$build/platform/display/kydialogdemo"
started=""
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:93
  Xvfb "$DISPLAY" -screen 0 800x600x24 >/dev/null 2>&1 &
  started=$!
  sleep 1
fi
cleanup() { [ -n "$started" ] && kill "$started" 2>/dev/null || true; }
trap cleanup EXIT
"$demo" --live --png "$out/internal.png" --after 4000 >"$out/demo.log" 2>&1 &
demo_pid=$!
for _ in $(seq 50); do
  wid=$(xdotool search --name kydialogdemo 2>/dev/null | head -1 || true)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { echo "live_check: no window"; exit 1; }
sleep 0.5
xdotool mousemove --window "$wid" 190 73 click 1
xdotool key --window "$wid" ctrl+Home ctrl+shift+End
xdotool type --window "$wid" "Bricks"
xdotool mousemove --window "$wid" 100 230 click 1
sleep 0.5
xwd -id "$wid" -silent >"$out/live.xwd"
wait "$demo_pid"
python3 - "$out/live.xwd" "$out/internal.png" <<'PY'
import struct, sys, zlib
def xwd(p):
    d = open(p, 'rb').read()
    h = struct.unpack('>25I', d[:100])
    size, w, hgt, order, bpl, ncol = h[0], h[4], h[5], h[7], h[12], h[19]
    off = size + ncol * 12
    fmt = '<I' if order == 0 else '>I'
    return w, hgt, [[struct.unpack(fmt, d[off + y * bpl + x * 4: off + y * bpl + x * 4 + 4])[0] & 0xFFFFFF
                     for x in range(w)] for y in range(hgt)]
def png(p):
    d = open(p, 'rb').read(); pos = 8; data = b''
    while pos < len(d):
        n = struct.unpack('>I', d[pos:pos + 4])[0]; t = d[pos + 4:pos + 8]; b = d[pos + 8:pos + 8 + n]; pos += 12 + n
        if t == b'IHDR': w, h = struct.unpack('>II', b[:8])
        if t == b'IDAT': data += b
    raw = zlib.decompress(data); s = w * 3; rows = []; prev = bytearray(s); i = 0
    for _ in range(h):
        f = raw[i]; i += 1; r = bytearray(raw[i:i + s]); i += s
        for x in range(s):
            a = r[x - 3] if x >= 3 else 0; b = prev[x]; c = prev[x - 3] if x >= 3 else 0
            if f == 1: r[x] = (r[x] + a) & 255
            elif f == 2: r[x] = (r[x] + b) & 255
            elif f == 3: r[x] = (r[x] + (a + b) // 2) & 255
            elif f == 4:
                q = a + b - c; pa, pb, pc = abs(q - a), abs(q - b), abs(q - c)
                r[x] = (r[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([(r[3 * x] << 16) | (r[3 * x + 1] << 8) | r[3 * x + 2] for x in range(w)]); prev = r
    return w, h, rows
w1, h1, a = xwd(sys.argv[1]); w2, h2, b = png(sys.argv[2])
diff = sum(1 for y in range(min(h1, h2)) for x in range(min(w1, w2)) if a[y][x] != b[y][x])
print(f"live_check: {w1}x{h1} window, {w2}x{h2} screen, {diff} pixels differ")
sys.exit(0 if (w1, h1) == (w2, h2) and diff == 0 else 1)
PY
