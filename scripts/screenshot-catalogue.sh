#!/usr/bin/env bash
# Pictures of the catalogue's dialogs and views (text import, bulk price
# update, index ordering, price table, categories, discounts, the product
# card's image, colours and sizes pages, size tables) on a sample project, taken on a
# virtual X server. Writes PNGs into the given folder (default
# /tmp/catalogue-screenshots) and lists them.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/catalogue-screenshots}
bin=${CATALOGUE_SHOTS_BIN:-build/bin/catalogue_screenshots}
if [ ! -x "$bin" ]; then
  echo "$bin is missing: build it first (bash scripts/build.sh)" >&2
  exit 1
fi
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
xvfb-run -a -s "-screen 0 1280x800x24" env QT_QPA_PLATFORM=xcb "$bin" "$out"
