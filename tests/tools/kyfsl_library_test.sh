#!/usr/bin/env bash
# Changing libraries as a whole: merge with its summary and --renumber,
# set-id with the library's checks, and salvage of a damaged file.
set -u
kyfsl=$1
. "$(dirname "$0")/cli_helpers.sh"

check "default" "$kyfsl" default -o "$work/d.bru"
check "base: ids 8..99 less 8" "$kyfsl" remove "$work/d.bru" 8 -o "$work/base.bru"
check "other: 8..99 renamed 10" "$kyfsl" rename "$work/d.bru" 10 "theirs" -o "$work/other.bru"

# Without an option BASE's style is kept and OTHER's dropped, each said.
check "merge" "$kyfsl" merge "$work/base.bru" "$work/other.bru" -o "$work/m.bru"
expect "clash lines" "$(grep -c '^kept ' "$work/out")" 91
expect "id 10 kept, theirs dropped" "$(grep -c "^kept       10  '010'; dropped 'theirs'" "$work/out")" 1
expect "summary" "$(tail -1 "$work/out")" \
  "merged: 92 styles (91 before, 1 added); 91 ids in both: 91 kept, 0 replaced, 91 dropped, 0 renumbered"
check "merge --overwrite" "$kyfsl" merge "$work/base.bru" "$work/other.bru" --overwrite -o "$work/m.bru"
expect "id 10 replaced" "$(grep -c "^replaced   10  '010' by 'theirs'" "$work/out")" 1
check "list overwritten" "$kyfsl" list "$work/m.bru" --json
expect "OTHER's style is in" "$(json "$work/out" "[2]['name']")" theirs

# --renumber keeps both: OTHER's clashing styles get ids after the largest.
check "merge --renumber" "$kyfsl" merge "$work/base.bru" "$work/other.bru" --renumber -o "$work/r.bru"
expect "first renumbered" "$(grep -c "^renumbered 9 -> 100 " "$work/out")" 1
expect "last renumbered" "$(grep -c "^renumbered 99 -> 190 " "$work/out")" 1
check "info renumbered" "$kyfsl" info "$work/r.bru" --json
expect "all kept" "$(json "$work/out" "['styles']")" 183
expect "largest id" "$(json "$work/out" "['max_id']")" 190
check "list renumbered" "$kyfsl" list "$work/r.bru" --json
expect "theirs now 101" "$(python3 -c "import json,sys; print([s['name'] for s in json.load(open(sys.argv[1])) if s['id'] == 101][0])" "$work/out")" theirs
refuse "--overwrite with --renumber" "$kyfsl" merge "$work/base.bru" "$work/other.bru" --renumber --overwrite -o "$work/x.bru"

# set-id: the library's checks, each with its reason.
check "set-id" "$kyfsl" set-id "$work/d.bru" 10 500 -o "$work/s.bru"
check "list set-id" "$kyfsl" list "$work/s.bru" --json
expect "id changed" "$(json "$work/out" "[-1]['id']")" 500
expect "group follows" "$(json "$work/out" "[-1]['group']")" "默认"
refuse "set-id of a missing id" "$kyfsl" set-id "$work/d.bru" 5000 600 -o "$work/x.bru"
refuse "set-id to a built-in id" "$kyfsl" set-id "$work/d.bru" 10 7 -o "$work/x.bru"
refuse "set-id to a used id" "$kyfsl" set-id "$work/d.bru" 10 11 -o "$work/x.bru"
expect "used id names its style" "$(grep -c "used by '011'" "$work/err")" 1
cp "$work/d.bru" "$work/inplace.bru"
check "set-id in place" "$kyfsl" set-id "$work/inplace.bru" 99 1000
check "list in place" "$kyfsl" list "$work/inplace.bru" --json
expect "in place" "$(json "$work/out" "[-1]['id']")" 1000

# salvage: a library cut in the middle of a record.
check "convert" "$kyfsl" convert "$work/d.bru" -o "$work/c.bru"
head -c 5000 "$work/c.bru" >"$work/cut.bru"
cp "$work/cut.bru" "$work/cut.orig"
status "convert refuses it, naming salvage" 3 "$kyfsl" convert "$work/cut.bru" -o "$work/x.bru"
expect "salvage named" "$(grep -c 'kyfsl salvage' "$work/err")" 1
check "salvage" "$kyfsl" salvage "$work/cut.bru" -o "$work/saved.bru"
cmp -s "$work/cut.bru" "$work/cut.orig"; expect "the damaged file is unchanged" $? 0
expect "kept line" "$(grep -c '^kept:   [0-9]* styles' "$work/out")" 1
expect "lost records" "$(grep -c '^lost:   the records from byte' "$work/out")" 1
expect "lost ids" "$(grep -c 'ids in groups whose styles were not read' "$work/out")" 1
kept=$(sed -n 's/^kept:   \([0-9]*\) styles.*/\1/p' "$work/out")
check "saved reads whole" "$kyfsl" info "$work/saved.bru" --json
expect "saved styles" "$(json "$work/out" "['styles']")" "$kept"
expect "saved not damaged" "$(json "$work/out" "['damaged']")" False
check "salvage of a whole file" "$kyfsl" salvage "$work/c.bru" -o "$work/whole.bru"
expect "nothing lost" "$(grep -c '^lost:   nothing' "$work/out")" 1
status "salvage onto itself" 2 "$kyfsl" salvage "$work/cut.bru" -o "$work/cut.bru"
head -c 30 "$work/c.bru" >"$work/stub.bru"
status "nothing readable" 3 "$kyfsl" salvage "$work/stub.bru" -o "$work/x.bru"
[ ! -e "$work/x.bru" ]; expect "nothing written" $? 0

finish
