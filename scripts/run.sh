#!/usr/bin/env bash
# Builds everything and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -x build/bin/tinda ]; then
  exec build/bin/tinda "$@"
fi
echo "Built everything into build/bin; the desktop program is not part of this build yet:"
ls build/bin
