#!/usr/bin/env bash
# A picture of the graphic template upload's dialog as its test drives it,
# on a virtual X server, written as a PNG into the given folder (default
# /tmp/template-upload). Build first.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/template-upload}
mkdir -p "$out"
QTR_SCREENSHOT_DIR=$(cd "$out" && pwd) QT_QPA_PLATFORM=xcb xvfb-run -a build/bin/tindatemplateupload_tests \
  --gtest_filter='TemplateUploadDialog.*' >/dev/null
ls "$out"/*.png
