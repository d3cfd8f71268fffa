#!/usr/bin/env bash
# Installs a build into a fresh prefix, builds a C program against it with
# pkg-config and a C++ program with find_package, and runs them and the
# installed kyfsl; the prefix is moved first to show nothing points back into
# the build tree.
set -euo pipefail
build=$(realpath "$1")
src=$(dirname "$(realpath "$0")")
work=$build/install-check
rm -rf "$work" && mkdir -p "$work"
cmake --install "$build" --prefix "$work/prefix" >"$work/install.log"
mv "$work/prefix" "$work/moved"
export PKG_CONFIG_PATH=$work/moved/lib/pkgconfig
# shellcheck disable=SC2046
cc -std=c99 -Wall -Wextra -Werror "$src/consumer.c" $(pkg-config --cflags --libs kyfsl) -o "$work/consumer"
"$work/consumer"
"$work/moved/bin/kyfsl" --version
cmake -S "$src/cxx" -B "$work/cxx" -G Ninja -DCMAKE_PREFIX_PATH="$work/moved" >"$work/cxx-configure.log"
cmake --build "$work/cxx" >"$work/cxx-build.log"
"$work/cxx/consumer++"
