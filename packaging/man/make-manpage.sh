#!/bin/sh
# Writes a manual page from a hand-written TEMPLATE in which a line
# "@HELP name@" stands for that part of PROGRAM --help: a list ("Options:",
# "Commands:") or a one-line field ("Usage: ...", "Exit codes: ..."). So the
# page lists exactly what the program says it takes. @VERSION@ and @DATE@ are
# replaced too.
# Usage: make-manpage.sh PROGRAM TEMPLATE OUTPUT VERSION DATE
set -eu
[ $# -eq 5 ] || { echo "usage: $0 PROGRAM TEMPLATE OUTPUT VERSION DATE" >&2; exit 2; }
program=$1 template=$2 output=$3 version=$4 date=$5
here=$(cd "$(dirname "$0")" && pwd)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The programs print their help without a display, and must not touch the
# configuration of whoever builds them.
env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 HOME="$scratch" XDG_RUNTIME_DIR="$scratch" \
  MOUSECFG_CONFIG_DIR="$scratch/Configs" "$program" --help > "$scratch/help"
awk -v version="$version" -v date="$date" -f "$here/help-to-man.awk" "$scratch/help" "$template" > "$scratch/page"
mv "$scratch/page" "$output"
