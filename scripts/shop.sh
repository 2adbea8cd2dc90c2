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
# Beside the shop: a mail catcher (every order mail lands as a .eml file in
# build/demo-mail) and the stand-in card bank of the tests, both on
# loopback and stopped with the shop.
rm -rf build/demo-mail
services_out="$PWD/build/demo-logs/services.txt"
rm -f "$services_out"
/usr/bin/python3 scripts/demo_services.py --shop "$PWD/build/demo-shop" --mail "$PWD/build/demo-mail" \
  --shop-url "http://127.0.0.1:$port" > "$services_out" 2> "$PWD/build/demo-logs/services.log" &
services_pid=$!
trap 'kill "$services_pid" 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
  [ -s "$services_out" ] && break
  kill -0 "$services_pid" 2>/dev/null || { cat build/demo-logs/services.log >&2; exit 1; }
  sleep 0.1
done
read -r services < "$services_out"
mail_port="${services#mail=}"; mail_port="${mail_port%% *}"
bank="${services#* bank=}"

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

[mail]
server=127.0.0.1
port=$mail_port
queue=$PWD/build/demo-logs/mail-queue

[payment]
bank=$bank

[logs]
access=$PWD/build/demo-logs/access.log
error=$PWD/build/demo-logs/error.log
INI

echo "The demo shop: open http://127.0.0.1:$port/ (Ctrl+C stops it; logs in build/demo-logs)"
echo "Order mails land in build/demo-mail; card payments go to the stand-in bank at $bank"
build/bin/qtr50d --config "$config"
