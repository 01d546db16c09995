#!/usr/bin/env bash
# Installs what is missing, builds, lays out the application folder and starts the application on the
# bundled demo tender.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)"
app_folder="$(pwd)/build/app"
echo "Application folder: $app_folder"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: Quillbid is a desktop application."
    echo "Run it from a desktop session with:   $app_folder/quillbid"
    exit 0
fi
exec "$app_folder/quillbid"
