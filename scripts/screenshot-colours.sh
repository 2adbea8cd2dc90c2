#!/usr/bin/env bash
# Pictures of "Modifica colori" in its two modes on a sample project, taken
# on a virtual X server the way the content editors' are. Writes PNGs into
# the given folder (default /tmp/colour-screenshots) and lists them.
set -euo pipefail
cd "$(dirname "$0")/.."
CONTENT_SHOTS_BIN=${COLOUR_SHOTS_BIN:-build/bin/design_colour_shots} \
  exec bash scripts/screenshot-content.sh "${1:-/tmp/colour-screenshots}"
