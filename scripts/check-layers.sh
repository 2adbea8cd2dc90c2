#!/usr/bin/env bash
# Fails when a file includes a header of a layer above its own:
# platform <- recordset <- exchange, server <- desktop, and server and
# desktop never include each other. It reads the includes only.
set -euo pipefail
cd "$(dirname "$0")/.."

# layer folder -> the folders its files must not include from
declare -A forbidden=(
  [platform]="recordset exchange server desktop"
  [recordset]="exchange server desktop"
  [exchange]="server desktop"
  [server]="exchange desktop"
)

found=0
for layer in "${!forbidden[@]}"; do
  [ -d "$layer" ] || continue
  for above in ${forbidden[$layer]}; do
    hits=$(grep -rnE --include='*.h' --include='*.cpp' --include='*.def' \
             "^[[:space:]]*#[[:space:]]*include[[:space:]]+[\"<]${above}/" "$layer" || true)
    if [ -n "$hits" ]; then
      echo "$layer must not include from $above/:"
      echo "$hits"
      found=1
    fi
  done
done

if [ "$found" -ne 0 ]; then
  echo "layer check: includes reach upward or across"
  exit 1
fi
echo "layer check: every include points downward"
