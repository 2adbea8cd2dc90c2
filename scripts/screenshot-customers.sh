#!/usr/bin/env bash
# Pictures of the customers desk (customers, groups, rights, interests,
# shipping costs, mailing) on a
# sample project, taken on a virtual X server. Writes PNGs into the given
# folder (default /tmp/customers-screenshots) and lists them.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/customers-screenshots}
bash scripts/run-shots.sh "${CUSTOMERS_SHOTS_BIN:-build/bin/customers_screenshots}" "$out"
ls "$out"
