#!/usr/bin/env bash
# Installs what the tests need, builds everything and the Debian package, and
# runs every test. ctest starts and stops the printing tests' own CUPS
# scheduler (tests/cups) itself.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
scripts/package.sh

cd build
ctest --output-on-failure -j2 --timeout 600
