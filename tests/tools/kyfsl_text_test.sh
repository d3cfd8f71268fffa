#!/usr/bin/env bash
# Names as the user reads them: any code page the system converts, detected
# when not given, always valid UTF-8 and on one line, whatever the bytes.
set -u
kyfsl=$1
. "$(dirname "$0")/cli_helpers.sh"
valid_json() { python3 -c "import json,sys; json.load(open(sys.argv[1], encoding='utf-8', errors='strict'))" "$1"; }

check "default" "$kyfsl" default -o "$work/d.bru"

# The built-in library's GB2312 root read as UTF-8: replacement characters,
# valid JSON, no abort.
for cmd in info list; do
  status "$cmd as 65001" 0 "$kyfsl" --codepage 65001 "$cmd" "$work/d.bru" --json
  valid_json "$work/out"; expect "$cmd as 65001 is valid UTF-8 JSON" $? 0
done
"$kyfsl" --codepage 65001 info "$work/d.bru" --json >"$work/u.json"
# C4 AC happens to be UTF-8 (U+012C); C8 CF is not.
expect "undecodable bytes become U+FFFD" "$(json "$work/u.json" "['root']")" "Ĭ��"
status "tree as 65001" 0 "$kyfsl" --codepage 65001 tree "$work/d.bru"
python3 -c "open('$work/out', encoding='utf-8', errors='strict').read()"; expect "tree as 65001 is valid UTF-8" $? 0

# Without --codepage the page is detected, for the file as for --default.
check "info detected" "$kyfsl" info "$work/d.bru" --json
expect "file root detected as GB2312" "$(json "$work/out" "['root']")" "默认"
expect "detected page" "$(json "$work/out" "['codepage']")" 936
expect "said to be detected" "$(json "$work/out" "['codepage_detected']")" True
check "info text" "$kyfsl" info "$work/d.bru"
expect "info names the page" "$(grep -c '^names: *code page 936 (detected)' "$work/out")" 1
expect "older layout wording" "$(grep -c 'older layout, converted on save' "$work/out")" 1
check "list detected" "$kyfsl" list "$work/d.bru" --json
expect "group shown from GB2312" "$(json "$work/out" "[0]['group']")" "默认"

# --codepage anywhere on the line; pages iconv knows are taken, others refused.
check "codepage after the subcommand" "$kyfsl" info "$work/d.bru" --json --codepage 1252
expect "1252 given" "$(json "$work/out" "['root']")" "Ä¬ÈÏ"
expect "given, not detected" "$(json "$work/out" "['codepage_detected']")" False
for page in 932 949 950 54936 1250 437; do
  check "code page $page accepted" "$kyfsl" --codepage $page info "$work/d.bru" --json
  expect "code page $page used" "$(json "$work/out" "['codepage']")" $page
done
for page in 12345 0 -5 abc; do
  refuse "code page $page refused" "$kyfsl" --codepage $page info "$work/d.bru"
done
# Japanese names stored and read back in 932.
check "rename in 932" "$kyfsl" rename "$work/d.bru" 10 "テスト" -o "$work/j.bru" --codepage 932
expect "stored as Shift-JIS" "$(python3 -c "import sys; d=open(sys.argv[1],'rb').read(); print(d.count('テスト'.encode('cp932')))" "$work/j.bru")" 1
check "list in 932" "$kyfsl" --codepage 932 list "$work/j.bru" --json
expect "read back in 932" "$(json "$work/out" "[2]['name']")" "テスト"
refuse "a name 1252 cannot hold" "$kyfsl" rename "$work/d.bru" 10 "默认" --codepage 1252 -o "$work/x.bru"

# A name with a newline keeps list to one line per style.
check "rename with a newline" "$kyfsl" rename "$work/d.bru" 10 $'two\nlines' -o "$work/n.bru"
check "list it" "$kyfsl" list "$work/n.bru"
expect "one line per style" "$(wc -l <"$work/out")" 93
expect "newline shown escaped" "$(grep -c 'two\\nlines' "$work/out")" 1
check "list it as JSON" "$kyfsl" list "$work/n.bru" --json
expect "JSON keeps the newline" "$(json "$work/out" "[2]['name'].count(chr(10))")" 1

finish
