#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
build=${QUILLBID_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=${QUILLBID_BUILD_TYPE:-Release} ${QUILLBID_CMAKE_ARGS:-}
cmake --build "$build" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR" 2>/dev/null || true
cd "$build"
ctest --output-on-failure -j "$(nproc)"
