#!/usr/bin/env bash
# kyfsl tiles from PostGIS: a throwaway cluster (initdb in a temporary
# folder, an unprivileged user, a Unix socket, stopped at the end) holding
# the shipped countries loaded with ogr2ogr; its tiles equal, byte for byte,
# those from the shapefile, drawn by two processes with no more than two
# connections; sessions ended by the server in the middle of a run, a table
# that is not there and a server that is not there fail cleanly.
set -u
kyfsl=$1
data=$2/naturalearth/naturalearth_lowres.shp
. "$(dirname "$0")/cli_helpers.sh"
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
if [ -z "$bin" ] || ! command -v ogr2ogr >/dev/null; then
  echo "PostgreSQL or ogr2ogr is not installed (scripts/setup installs them)"; exit 1
fi
# PostgreSQL refuses to run as root: the cluster belongs to nobody then.
as_owner=()
if [ "$(id -u)" -eq 0 ]; then as_owner=(runuser -u nobody --); fi
cluster=$work/cluster
mkdir -p "$cluster/data" "$cluster/socket"
chmod 755 "$work"
[ "$(id -u)" -eq 0 ] && chown -R nobody "$cluster"
stop_cluster() { "${as_owner[@]}" "$bin/pg_ctl" -D "$cluster/data" -m immediate stop >/dev/null 2>&1; }
trap 'stop_cluster; if [ -n "${KEEP:-}" ]; then echo "kept $work"; else rm -rf "$work"; fi' EXIT
"${as_owner[@]}" "$bin/initdb" -D "$cluster/data" -U kyfsl --auth=trust -E UTF8 >"$work/initdb.log" 2>&1 ||
  { cat "$work/initdb.log"; exit 1; }
# No TCP at all; at most three sessions, so that a run that opened more
# connections than --jobs would fail.
"${as_owner[@]}" "$bin/pg_ctl" -D "$cluster/data" -w -l "$cluster/log" \
  -o "-c listen_addresses='' -c unix_socket_directories=$cluster/socket -c max_connections=3 -c superuser_reserved_connections=0" \
  start >/dev/null || { cat "$cluster/log"; exit 1; }
"$bin/createdb" -h "$cluster/socket" -U kyfsl tiles
"$bin/psql" -q -h "$cluster/socket" -U kyfsl -d tiles -c "CREATE EXTENSION postgis" >/dev/null
pg="PG:dbname=tiles host=$cluster/socket user=kyfsl"
check "load" ogr2ogr -f PostgreSQL "$pg" "$data" -nln countries -nlt PROMOTE_TO_MULTI -lco GEOMETRY_NAME=geom -lco PRECISION=NO

check "from the shapefile" "$kyfsl" tiles "$data" --default --by continent --zoom 0-3 --metatile 2 --jobs 2 --quiet \
  -o "$work/shp"
check "from PostGIS" "$kyfsl" tiles "$pg:countries" --default --by continent --zoom 0-3 --metatile 2 --jobs 2 --json \
  -o "$work/pg"
expect "tiles written" "$(json "$work/out" "['tiles']['written']")" "$(find "$work/shp" -name '*.png' -path '*/[0-9]*/*' | wc -l)"
expect "same bytes" "$(cd "$work/shp" && for t in $(find . -name '*.png' -path './[0-9]*'); do cmp -s "$t" "$work/pg/$t" || echo "$t"; done)" ""
# A connection broken in the middle of a run: the server ends the workers'
# sessions while they draw. The run stops with the metatile and the reason,
# the tiles stored before stay whole, and --resume finishes the pyramid with
# the shapefile's tiles.
check "cut: reference" "$kyfsl" tiles "$data" --default --by continent --zoom 0-5 --metatile 2 --jobs 2 --quiet \
  -o "$work/shp5"
"$kyfsl" tiles "$pg:countries" --default --by continent --zoom 0-5 --metatile 2 --jobs 2 --quiet -o "$work/cut" \
  >"$work/cut.out" 2>"$work/cut.err" &
run=$!
for _ in $(seq 1200); do
  [ "$(cat "$work/cut/.kyfsl-tiles" 2>/dev/null | wc -l)" -ge 30 ] && break
  sleep 0.02
done
"$bin/psql" -h "$cluster/socket" -U kyfsl -d postgres -At -c \
  "SELECT count(pg_terminate_backend(pid)) FROM pg_stat_activity WHERE datname = 'tiles'" >"$work/ended"
wait $run
expect "cut: the run fails" "$?" 1
expect "cut: sessions ended" "$(test "$(cat "$work/ended")" -ge 1 && echo yes)" yes
expect "cut: the metatile and the reason" "$(grep -c "metatile [0-9]/[0-9]*/[0-9]*: .*countries" "$work/cut.err")" 1
expect "cut: no parts" "$(find "$work/cut" -name '*.part' | wc -l)" 0
same_as_shp5() { (cd "$work/cut" && for t in $(find . -name '*.png' -path './[0-9]*'); do cmp -s "$t" "$work/shp5/$t" || echo "$t"; done); }
expect "cut: the tiles stored are whole" "$(same_as_shp5)" ""
expect "cut: zooms 0-3 stored" "$(cd "$work/shp" && for t in $(find . -name '*.png' -path './[0-9]*'); do cmp -s "$t" "$work/cut/$t" || echo "$t"; done)" ""
check "cut: resumed" "$kyfsl" tiles "$pg:countries" --default --by continent --zoom 0-5 --metatile 2 --jobs 2 --resume --json \
  -o "$work/cut"
expect "cut: kept" "$(test "$(json "$work/out" "['metatiles']['kept']")" -ge 30 && echo yes)" yes
expect "cut: all drawn" "$(json "$work/out" "['metatiles']['kept'] + $(json "$work/out" "['metatiles']['drawn']")")" 342
expect "cut: resumed tiles" "$(same_as_shp5; find "$work/cut" -name '*.png' -path '*/[0-9]*/*' | wc -l)" \
  "$(find "$work/shp5" -name '*.png' -path '*/[0-9]*/*' | wc -l)"
refuse "no such table" "$kyfsl" tiles "$pg:rivers" --default --zoom 0 -o "$work/x"
expect "names the table" "$(grep -c "no layer 'rivers'" "$work/err")" 1
refuse "no server" "$kyfsl" tiles "PG:dbname=tiles host=$work/nowhere user=kyfsl:countries" --default --zoom 0 -o "$work/y"
finish
