#!/usr/bin/env bash
# Pictures of the content editors (articles, sections, topics, forms,
# moderation, dictionary, company page, banners) on a
# sample project, taken on a virtual X server. Writes PNGs into the given
# folder (default /tmp/content-screenshots) and lists them.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/content-screenshots}
bash scripts/run-shots.sh "${CONTENT_SHOTS_BIN:-build/bin/content_screenshots}" "$out"
ls "$out"
