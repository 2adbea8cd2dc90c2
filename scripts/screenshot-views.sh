#!/usr/bin/env bash
# Takes a picture of each settings view on a virtual X server, on a copy of
# the installation's reference database, and writes them to a folder
# (default /tmp/tinda-views).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/tinda-views}
bin=${VIEW_SHOTS_BIN:-build/bin/tinda_view_shots}
if [ ! -x "$bin" ]; then
  echo "$bin is missing: build it first (cmake --build build --target tinda_view_shots)" >&2
  exit 1
fi
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
xvfb-run -a -s "-screen 0 1280x800x24" "$bin" "$out"
