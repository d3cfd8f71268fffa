#!/usr/bin/env bash
# The picker in a real SDL window (under Xvfb on display :95 when there is no
# display). The window tells the window manager that it may be resized (no
# maximum size in its size hints); made twice as large, it draws the dialog
# scaled to the window and scales the mouse back, so a click on the second
# style of the second row and then on OK, both at twice their place in the
# dialog, choose that style.
# Usage: live_resize_check.sh BUILD_DIR OUT_DIR. Exits non-zero on failure.
set -euo pipefail
build=$1
out=${2:-live-resize}
mkdir -p "$out"
kyfsl="$build/tools/kyfsl/kyfsl"
# shellcheck source=../support/live_x.sh
. "$(dirname "$0")/../support/live_x.sh"
live_x_start 95 1400x1100x24
timeout 30 "$kyfsl" pick --default --json >"$out/pick.json" 2>"$out/pick.log" &
pid=$!
wid=$(live_x_window "kyfsl") || { echo "live_resize_check: no window"; exit 1; }
sleep 0.5
if xprop -id "$wid" WM_NORMAL_HINTS | grep -q "maximum size"; then
  echo "live_resize_check: the window cannot be resized:"; xprop -id "$wid" WM_NORMAL_HINTS; exit 1
fi
xdotool windowmove "$wid" 0 0
xdotool windowsize "$wid" 1252 992
sleep 0.5
size=$(xwininfo -id "$wid" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$size" = "1252x992" ] || { echo "live_resize_check: the window is $size, not 1252x992"; exit 1; }
# In the dialog the cell is at (166, 230) and OK at (533, 470).
xdotool mousemove --window "$wid" 332 460 click 1
sleep 0.3
xdotool mousemove --window "$wid" 1066 940 click 1
wait "$pid" || { echo "live_resize_check: kyfsl pick failed"; cat "$out/pick.log"; exit 1; }
chosen=$(/usr/bin/python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["fill_style"])' "$out/pick.json")
[ "$chosen" = "4" ] || { echo "live_resize_check: style $chosen was chosen, not 4"; exit 1; }
echo "live_resize_check: a 1252x992 window chose style 4"
