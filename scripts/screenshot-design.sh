#!/usr/bin/env bash
# Takes pictures of the graphic template editor (the block tree of a small
# graphic project beside the preview, and its menus) on a virtual X server,
# and writes them to a folder (default /tmp/tinda-design).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/tinda-design}
bin=${DESIGN_SHOTS_BIN:-build/bin/tinda_design_shots}
if [ ! -x "$bin" ]; then
  echo "$bin is missing: build it first (cmake --build build --target tinda_design_shots)" >&2
  exit 1
fi
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_RUNTIME_DIR=$work/run QTWEBENGINE_DISABLE_SANDBOX=1
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
xvfb-run -a -s "-screen 0 1280x800x24" "$bin" "$out"
