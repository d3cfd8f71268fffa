#!/usr/bin/env bash
# Every file kyfsl writes goes through one writer: a failed write leaves the
# old file whole, a link is written through, permissions are kept, and a
# picture's name must say .png or .bmp.
set -u
kyfsl=$1
. "$(dirname "$0")/cli_helpers.sh"

check "default" "$kyfsl" default -o "$work/d.bru"

# Under a file-size limit each writer fails with a reason and the old file
# stays as it was, with no temporary file left beside it.
mkdir "$work/lim"
for cmd in "render --default --style 30 --canvas 400x400 -o KEEP.bmp" \
           "render --default --style 30 --canvas 2000x2000 -o KEEP.png" \
           "gallery --default -o KEEP.png" \
           "demo -o KEEP.bmp" \
           "convert $work/d.bru -o KEEP.bru" \
           "export-bmp $work/d.bru 80 -o KEEP.bmp"; do
  printf 'the old file' >"$work/lim/KEEP${cmd##*KEEP}"
  target="$work/lim/KEEP${cmd##*KEEP}"
  # A pattern's .bmp is smaller than the 2 KiB the others may write (a
  # pattern's PNG, a palette of few colours, needs a large canvas for that).
  limit=2; case $cmd in export-bmp*) limit=0 ;; esac
  # The message goes through a pipe: the limit holds for every file the
  # program writes, its own error output included.
  # shellcheck disable=SC2086
  (ulimit -f $limit; exec "$kyfsl" ${cmd/KEEP/$work/lim/KEEP}) 2>&1 >/dev/null | cat >"$work/err"
  rc=${PIPESTATUS[0]}
  [ $rc -ne 0 ] && [ $rc -lt 128 ]; expect "limited '$cmd' fails cleanly ($rc)" $? 0
  expect "limited '$cmd' says why" "$(grep -c 'cannot write' "$work/err")" 1
  expect "limited '$cmd' keeps the old file" "$(cat "$target")" "the old file"
  expect "limited '$cmd' leaves no temporary" "$(ls -A "$work/lim" | wc -l)" 1
  rm -f "$target"
done

# A symbolic link is written through; the link stays a link.
cp "$work/d.bru" "$work/real.bru"
ln -s real.bru "$work/link.bru"
check "convert onto a link" "$kyfsl" convert "$work/d.bru" -o "$work/link.bru"
[ -L "$work/link.bru" ]; expect "the link stays" $? 0
expect "the link's target was written" "$(head -c 4 "$work/real.bru" | od -An -tu4 | tr -d ' ')" 20031121

# Permissions are kept.
cp "$work/d.bru" "$work/p.bru"
chmod 640 "$work/p.bru"
check "convert onto a 640 file" "$kyfsl" convert "$work/d.bru" -o "$work/p.bru"
expect "640 kept" "$(stat -c %a "$work/p.bru")" 640
printf 'x' >"$work/p.png"
chmod 600 "$work/p.png"
check "render onto a 600 picture" "$kyfsl" render --style 0 --canvas 10x10 -o "$work/p.png"
expect "600 kept" "$(stat -c %a "$work/p.png")" 600

# A picture's name says its kind.
for name in x.gif x noext. x.PNG.txt; do
  status "render -o $name refused" 2 "$kyfsl" render --style 0 --canvas 10x10 -o "$work/$name"
  [ ! -e "$work/$name" ]; expect "nothing written for $name" $? 0
done
check "upper-case .BMP" "$kyfsl" render --style 0 --canvas 10x10 -o "$work/u.BMP"
expect "upper-case .BMP is a bmp" "$(head -c 2 "$work/u.BMP")" BM
status "gallery -o x.jpg refused" 2 "$kyfsl" gallery --default -o "$work/x.jpg"
status "demo -o x.tif refused" 2 "$kyfsl" demo -o "$work/x.tif"

# Special files keep their node: every writer refuses a fifo, a device (a
# copy of /dev/null, where the process may make one) and a loop of links,
# with the reason, and reading one as a library fails at once instead of
# waiting for a writer.
mkdir "$work/sp"
for kind in fifo loop dev; do
  for ext in bru png bmp xml; do
    case $kind in
      fifo) mkfifo "$work/sp/$kind.$ext" ;;
      loop) ln -s "$kind.$ext" "$work/sp/$kind.$ext" ;;
      dev) mknod "$work/sp/$kind.$ext" c 1 3 2>/dev/null ;;
    esac
  done
done
for kind in fifo loop dev; do
  [ -L "$work/sp/$kind.bru" ] || [ -e "$work/sp/$kind.bru" ] || continue
  reason="it is not a regular file (a fifo, device or socket)"
  [ $kind = loop ] && reason="the name is a loop of symbolic links"
  for cmd in "default -o X.bru" "render --style 0 --canvas 10x10 -o X.png" "render --style 0 --canvas 10x10 -o X.bmp" \
             "gallery --default -o X.png" "export --default --format qgis -o X.xml"; do
    target=$work/sp/$kind.${cmd##*.}
    # shellcheck disable=SC2086
    timeout 60 "$kyfsl" ${cmd/X/$work/sp/$kind} >"$work/out" 2>"$work/err"
    expect "'$cmd' onto a $kind fails" $? 1
    expect "'$cmd' onto a $kind says why" "$(cat "$work/err")" \
      "kyfsl: cannot write '$target': $reason (nothing was changed)"
  done
  [ $kind = loop ] && continue
  timeout 60 "$kyfsl" list "$work/sp/$kind.bru" >"$work/out" 2>"$work/err"
  expect "list a $kind fails" $? 1
  expect "list a $kind says why" "$(cat "$work/err")" \
    "kyfsl: cannot open $work/sp/$kind.bru: it is not a regular file (a fifo, device or socket)"
done
expect "the fifos stay fifos" "$(find "$work/sp" -type p | wc -l)" 4
expect "the loops stay links" "$(find "$work/sp" -type l | wc -l)" 4
expect "no file took a node's place" "$(find "$work/sp" -type f | wc -l)" 0

# PNG and BMP writers give the same reason for each failure.
mkdir "$work/taken.png" "$work/taken.bmp"
for ext in png bmp; do
  refuse "a $ext in a missing folder" "$kyfsl" render --style 0 --canvas 10x10 -o "$work/nodir/x.$ext"
  expect "a $ext in a missing folder says why" "$(cat "$work/err")" \
    "kyfsl: cannot write '$work/nodir/x.$ext': the path is invalid (nothing was changed)"
  refuse "a $ext onto a folder" "$kyfsl" render --style 0 --canvas 10x10 -o "$work/taken.$ext"
  expect "a $ext onto a folder says why" "$(cat "$work/err")" \
    "kyfsl: cannot write '$work/taken.$ext': access was denied (nothing was changed)"
done

# Small ones: a folder is not a library; dialogs makes its folder; the
# headless canvas needs a picture to draw into.
refuse "list a folder" "$kyfsl" list "$work"
expect "a folder is named as one" "$(grep -c 'is a folder' "$work/err")" 1
check "dialogs into a new folder" "$kyfsl" dialogs --out "$work/new/dlgs" --lang en
[ -d "$work/new/dlgs" ] && [ "$(ls "$work/new/dlgs" | wc -l)" -gt 3 ]; expect "dialogs made the folder" $? 0
status "canvas --headless without --png" 2 "$kyfsl" canvas --headless

finish
