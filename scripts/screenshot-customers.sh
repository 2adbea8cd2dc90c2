#!/usr/bin/env bash
# Pictures of the customers desk (customers, groups, rights, interests,
# shipping costs, mailing) on a
# sample project, taken on a virtual X server. Writes PNGs into the given
# folder (default /tmp/customers-screenshots) and lists them.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/customers-screenshots}
bin=${CUSTOMERS_SHOTS_BIN:-build/bin/customers_screenshots}
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
ls "$out"
