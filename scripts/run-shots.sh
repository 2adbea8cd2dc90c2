#!/usr/bin/env bash
# The one way the desks' screenshot programs run: BIN writes its PNGs into
# OUT on a virtual X server, with a throw-away home so the pictures never
# depend on (or touch) the settings of whoever runs it.
# Usage: run-shots.sh BIN OUT
set -euo pipefail
bin=$1
out=$2
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
