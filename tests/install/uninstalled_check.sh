#!/usr/bin/env bash
# Builds the C program of consumer_check.sh against the build tree itself,
# through pkg-config's uninstalled convention: every include and library
# folder it names must exist, and the program must run.
set -euo pipefail
build=$(realpath "$1")
src=$(dirname "$(realpath "$0")")
work=$build/uninstalled-check
rm -rf "$work" && mkdir -p "$work"
unset PKG_CONFIG_DISABLE_UNINSTALLED
export PKG_CONFIG_PATH=$build
[ "$(pkg-config --variable=pcfiledir kyfsl)" = "$build" ] || { echo "kyfsl not found in $build"; exit 1; }
pkg-config --exists kyfsl-uninstalled || { echo "kyfsl-uninstalled.pc is missing"; exit 1; }
for flag in $(pkg-config --cflags-only-I --libs-only-L kyfsl); do
  dir=${flag#-[IL]}
  [ -d "$dir" ] || { echo "pkg-config names $flag, which does not exist"; exit 1; }
done
# shellcheck disable=SC2046
cc -std=c99 -Wall -Wextra -Werror "$src/consumer.c" $(pkg-config --cflags --libs kyfsl) -o "$work/consumer"
"$work/consumer"
