#!/usr/bin/env bash
# Takes a picture of each settings view on a virtual X server, on a copy of
# the installation's reference database, and writes them to a folder
# (default /tmp/tinda-views).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/tinda-views}
bash scripts/run-shots.sh "${VIEW_SHOTS_BIN:-build/bin/tinda_view_shots}" "$out"
