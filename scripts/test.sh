#!/usr/bin/env bash
# The test command: installs what is missing, builds, and runs the whole suite headless.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VORTIGA_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
cd "$build"
ctest --output-on-failure -j"$(nproc)"
