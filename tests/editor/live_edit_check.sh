#!/usr/bin/env bash
# Runs `kyfsl edit` on a new library file in a real SDL window (under Xvfb on
# display :96 when there is no display), and uses it as a person would with
# xdotool: a double click on the NEW cell makes a 32 x 32 style, the pen draws
# two lines on the canvas, the name is typed and Enter saves the style, the
# command bar's Save writes the file, Escape closes the editor. Then
# `kyfsl info` and `kyfsl list` read the file back.
# Usage: live_edit_check.sh BUILD_DIR OUT_DIR. Exits non-zero on failure.
set -euo pipefail
build=$1
out=${2:-live-edit}
mkdir -p "$out"
kyfsl="$build/tools/kyfsl/kyfsl"
lib="$out/live.bru"
rm -f "$lib"
# shellcheck source=../support/live_x.sh
. "$(dirname "$0")/../support/live_x.sh"
live_x_start 96 800x600x24
"$kyfsl" edit "$lib" --after 30000 >"$out/edit.log" 2>&1 &
pid=$!
wid=$(live_x_window "kyfsl edit") || { echo "live_edit_check: no window"; exit 1; }
sleep 0.5
# Points are in the window, which is the size of the editor dialog.
at() { xdotool mousemove --window "$wid" "$1" "$2"; }
# The NEW cell of the empty root group.
at 37 135; xdotool click --repeat 2 --delay 80 1
sleep 0.3
# Two lines with the pen: canvas cells are 6 pixels from (210, 106).
for row in 4 10; do
  y=$((106 + row * 6 + 3))
  at 225 "$y"; xdotool mousedown 1
  for col in $(seq 2 25); do at $((210 + col * 6 + 3)) "$y"; sleep 0.01; done
  xdotool mouseup 1
done
# The style's name, then Enter in the name edit saves it into its cell.
at 554 70; xdotool click 1
xdotool key ctrl+Home ctrl+shift+End
xdotool type --delay 20 "Stripes"
xdotool key Return
sleep 0.3
xwd -id "$wid" -silent >"$out/live.xwd"
# The command bar's Save writes the library to the file it was opened on.
at 69 35; xdotool click 1
sleep 0.5
xdotool key Escape
wait "$pid"
[ -s "$lib" ] || { echo "live_edit_check: $lib was not written"; cat "$out/edit.log"; exit 1; }
"$kyfsl" info "$lib" | tee "$out/info.txt"
"$kyfsl" list "$lib" | tee "$out/list.txt"
grep -q "Stripes" "$out/list.txt" || { echo "live_edit_check: the style is not in the file"; exit 1; }
echo "live_edit_check: ok"
