#!/usr/bin/env bash
# Installs what the tests need, builds, starts the print queues and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh

# Real print queues for the printing tests (root only; the tests skip without them).
if [ -x tests/cups/start-cups.sh ]; then
  tests/cups/start-cups.sh || echo "Print queues unavailable: the printing tests will skip."
fi

cd build
ctest --output-on-failure -j2 --timeout 600
