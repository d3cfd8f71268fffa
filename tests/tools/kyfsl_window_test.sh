#!/usr/bin/env bash
# The subcommands that open a window: without a desktop they say so and end
# with status 2 instead of waiting for ever.
set -u
kyfsl=$1
. "$(dirname "$0")/cli_helpers.sh"

# A display number nothing listens on.
dead=:$((190 + RANDOM % 50))
while [ -e "/tmp/.X11-unix/X${dead#:}" ]; do dead=:$((${dead#:} + 1)); done
for cmd in "pick --default" "edit --default" "canvas"; do
  # shellcheck disable=SC2086
  DISPLAY=$dead WAYLAND_DISPLAY= timeout 60 "$kyfsl" $cmd >"$work/out" 2>"$work/err"
  rc=$?
  expect "'$cmd' on a dead display ends with 2" $rc 2
  expect "'$cmd' says the display cannot be opened" "$(grep -c 'display cannot be opened' "$work/err")" 1
  # shellcheck disable=SC2086
  env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 "$kyfsl" $cmd >"$work/out" 2>"$work/err"
  expect "'$cmd' without a display ends with 2" $? 2
done

finish
