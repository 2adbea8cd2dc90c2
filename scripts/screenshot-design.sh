#!/usr/bin/env bash
# Takes pictures of the graphic template editor (the block tree of a small
# graphic project beside the preview, and its menus) on a virtual X server,
# and writes them to a folder (default /tmp/tinda-design).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/tinda-design}
# The preview is a web view: no sandbox inside the virtual server.
export QTWEBENGINE_DISABLE_SANDBOX=1
bash scripts/run-shots.sh "${DESIGN_SHOTS_BIN:-build/bin/tinda_design_shots}" "$out"
