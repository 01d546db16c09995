#!/usr/bin/env bash
# Takes the README's screenshots again after a change: builds the screenshot program and runs it under a
# virtual display of a clerk's laptop (1366x768), or of the size given: scripts/screenshots.sh 1920x1080 DIR
set -euo pipefail
cd "$(dirname "$0")/.."
size="${1:-1366x768}"
out="${2:-docs/screenshots}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2 --target screenshots app_folder
mkdir -p "$out"
XDG_RUNTIME_DIR="$(pwd)/build/xdg-runtime" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 ${size}x24" build/tests/screenshots "$out"
ls -l "$out"
