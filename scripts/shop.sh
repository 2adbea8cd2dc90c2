#!/usr/bin/env bash
# Builds the shop server and the demo shop, then serves the shop at
# http://127.0.0.1:8080 until Ctrl+C. Installs what is missing first
# (through scripts/build.sh), so it works on a fresh Debian 12 machine.
#   bash scripts/shop.sh [port]
set -euo pipefail
cd "$(dirname "$0")/.."
port="${1:-8080}"

bash scripts/build.sh

if [ ! -x build/bin/qtr50d ]; then
  echo "build/bin/qtr50d is missing: the shop server is not part of this build" >&2
  exit 1
fi

# The demo shop is made afresh each time from the data file.
build/bin/qtr_make_demoshop build/demo-shop

mkdir -p build/demo-logs
config="$PWD/build/demo-shop.ini"
cat > "$config" <<INI
[server]
listen=127.0.0.1
port=$port
threads=0
debug=false

[shop]
folder=$PWD/build/demo-shop
locale=it_IT

[logs]
access=$PWD/build/demo-logs/access.log
error=$PWD/build/demo-logs/error.log
INI

echo "The demo shop: open http://127.0.0.1:$port/ (Ctrl+C stops it; logs in build/demo-logs)"
exec build/bin/qtr50d --config "$config"
