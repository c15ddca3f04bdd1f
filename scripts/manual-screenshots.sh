#!/usr/bin/env bash
# Takes the pictures of the user manual (docs/manual/images/) from the real
# program, offscreen, so they show the windows as they are now.
#   scripts/manual-screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target manual_screenshots
QT_QPA_PLATFORM=offscreen "$build/docs/manual/manual_screenshots" docs/manual/images
