#!/usr/bin/env bash
# Pictures of the orders desk on a sample project with orders, taken on a
# virtual X server the way the catalogue's are. Writes PNGs into the given
# folder (default /tmp/orders-screenshots) and lists them.
set -euo pipefail
cd "$(dirname "$0")/.."
CATALOGUE_SHOTS_BIN=${ORDERS_SHOTS_BIN:-build/bin/orders_screenshots} \
  exec bash scripts/screenshot-catalogue.sh "${1:-/tmp/orders-screenshots}"
