#!/usr/bin/env bash
# Pictures of the catalogue's dialogs and views (text import, bulk price
# update, index ordering, price table, categories, discounts, the product
# card's image, colours and sizes pages, size tables) on a sample project, taken on a
# virtual X server. Writes PNGs into the given folder (default
# /tmp/catalogue-screenshots) and lists them.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/catalogue-screenshots}
bash scripts/run-shots.sh "${CATALOGUE_SHOTS_BIN:-build/bin/catalogue_screenshots}" "$out"
