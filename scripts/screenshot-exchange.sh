#!/usr/bin/env bash
# Pictures of the exchange dialogs (site update, order download, automatic
# import) as their tests drive them, on a virtual X server, written as PNGs
# into the given folder (default /tmp/exchange-dialogs). Build first.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/exchange-dialogs}
mkdir -p "$out"
QTR_SCREENSHOT_DIR=$(cd "$out" && pwd) QT_QPA_PLATFORM=xcb xvfb-run -a build/bin/tindaexchange_tests >/dev/null
ls "$out"/*.png
