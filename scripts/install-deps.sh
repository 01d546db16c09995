#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the tests and the application need and this machine lacks.
# Safe to run again: it does nothing when everything is present.
set -euo pipefail

base_packages=(cmake g++ make pkg-config qt6-base-dev libgmp-dev xvfb xauth fonts-dejavu-core poppler-utils
               libxlsxwriter-dev unzip)
backports_packages=(libsqlcipher-dev sqlcipher)

missing=()
for p in "${base_packages[@]}" "${backports_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# SQLCipher must be version 4 (the distribution's own release is 3.x): check the installed version too.
sqlcipher_ok() {
    local v
    v=$(dpkg-query -W -f='${Version}' libsqlcipher-dev 2>/dev/null || true)
    [[ "$v" =~ ^4\. ]]
}
if [ ${#missing[@]} -eq 0 ] && sqlcipher_ok; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

# Backports: a second source that copies the first stanza of the machine's own Debian source,
# with the suite changed, so no package host is named here.
backports_file=/etc/apt/sources.list.d/quillbid-backports.sources
if [ ! -f "$backports_file" ]; then
    src=/etc/apt/sources.list.d/debian.sources
    if [ -f "$src" ]; then
        awk 'BEGIN{RS="";ORS="\n"} NR==1{print; exit}' "$src" \
            | sed -E 's/^Suites:.*/Suites: bookworm-backports/' | $SUDO tee "$backports_file" >/dev/null
    elif [ -f /etc/apt/sources.list ]; then
        line=$(grep -E '^deb ' /etc/apt/sources.list | head -n 1)
        uri=$(echo "$line" | awk '{print $2}')
        printf 'Types: deb\nURIs: %s\nSuites: bookworm-backports\nComponents: main\n' "$uri" | $SUDO tee "$backports_file" >/dev/null
    else
        echo "install-deps: no Debian apt source found to copy for backports" >&2
        exit 1
    fi
fi

$SUDO apt-get update
base_missing=()
for p in "${base_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || base_missing+=("$p")
done
if [ ${#base_missing[@]} -gt 0 ]; then
    $SUDO apt-get install -y --no-install-recommends "${base_missing[@]}"
fi
if ! sqlcipher_ok || ! dpkg-query -W -f='${Status}' sqlcipher 2>/dev/null | grep -q "install ok installed"; then
    $SUDO apt-get install -y --no-install-recommends -t bookworm-backports "${backports_packages[@]}"
fi
