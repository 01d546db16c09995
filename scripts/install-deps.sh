#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the tests and the application need and this machine lacks.
# Safe to run again: when everything is present it only asks dpkg, and changes nothing.
#   --fuzz   also the compiler and runtime of the fuzz targets (fuzz/run.sh passes it)
#
# SQLCipher must be version 4 or later. The system's own archive is used when it carries that
# (Debian 13, Ubuntu 24.04 and later); Debian 12 carries 3.x and gets 4 from its backports suite; on
# any other system the script stops and names what to install, rather than mix in another
# distribution's packages.
set -euo pipefail

base_packages=(cmake g++ make pkg-config qt6-base-dev libgmp-dev xvfb xauth fonts-dejavu-core poppler-utils
               libxlsxwriter-dev libzip-dev unzip libssl-dev libp11-kit-dev libp11-dev softhsm2)
sqlcipher_packages=(libsqlcipher-dev sqlcipher)
fuzz=false
for arg in "$@"; do
    case "$arg" in
        --fuzz) fuzz=true ;;
        *) echo "install-deps: unknown option $arg" >&2; exit 2 ;;
    esac
done

# Installed versions, from one dpkg query (the check that all is present must stay fast).
declare -A installed=()
read_installed() {
    installed=()
    local name status version
    while IFS='|' read -r name status version; do
        [ "$status" = "install ok installed" ] && installed[$name]=$version
    done < <(dpkg-query -W -f='${Package}|${Status}|${Version}\n' "$@" 2>/dev/null || true)
}
at_least_4() { [ -n "$1" ] && dpkg --compare-versions "$1" ge 4~; }
sqlcipher_ok() {
    local p
    for p in "${sqlcipher_packages[@]}"; do at_least_4 "${installed[$p]:-}" || return 1; done
}
# The fuzz targets need clang and the sanitizer runtimes of the same major version.
fuzz_packages() {
    local major=""
    if command -v clang >/dev/null 2>&1; then major=$(clang -dumpversion | cut -d. -f1); fi
    echo clang ${major:+libclang-rt-$major-dev}
}
missing_of() {  # the arguments that read_installed did not find
    local p
    for p in "$@"; do [ -n "${installed[$p]:-}" ] || echo "$p"; done
}

wanted=("${base_packages[@]}")
if $fuzz; then read -r -a extra <<<"$(fuzz_packages)"; wanted+=("${extra[@]}"); fi
read_installed "${wanted[@]}" "${sqlcipher_packages[@]}"
mapfile -t missing < <(missing_of "${wanted[@]}")
if [ ${#missing[@]} -eq 0 ] && sqlcipher_ok; then
    exit 0
fi

if ! command -v apt-get >/dev/null 2>&1; then
    {
        echo "install-deps: this system has no apt-get. Install these (SQLCipher version 4 or later), then run this again:"
        echo "    ${missing[*]} ${sqlcipher_packages[*]}"
    } >&2
    exit 1
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

# Which system this is, from os-release, read in a subshell so that its names stay out of this one.
os_release=/etc/os-release
[ -r "$os_release" ] || os_release=/usr/lib/os-release
os_id="" os_version="" os_name="this system"
if [ -r "$os_release" ]; then
    # shellcheck disable=SC1090
    IFS='|' read -r os_id os_version os_name < <(. "$os_release" && echo "${ID:-}|${VERSION_ID:-}|${PRETTY_NAME:-this system}")
fi

$SUDO apt-get update
if [ ${#missing[@]} -gt 0 ]; then
    $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
if $fuzz; then  # clang's version is known only now, and with it the runtime's package name
    read -r -a extra <<<"$(fuzz_packages)"
    read_installed "${extra[@]}"
    mapfile -t missing < <(missing_of "${extra[@]}")
    [ ${#missing[@]} -eq 0 ] || $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
read_installed "${sqlcipher_packages[@]}"
sqlcipher_ok && exit 0

# The lowest version the system's archive offers of the packages (empty when it lacks one).
candidate=""
for p in "${sqlcipher_packages[@]}"; do
    v=$(apt-cache policy "$p" 2>/dev/null | awk '$1 == "Candidate:" && $2 != "(none)" {print $2}')
    if [ -z "$v" ]; then candidate=""; break; fi
    if [ -z "$candidate" ] || dpkg --compare-versions "$v" lt "$candidate"; then candidate=$v; fi
done
if at_least_4 "$candidate"; then
    $SUDO apt-get install -y --no-install-recommends "${sqlcipher_packages[@]}"
elif [ "$os_id" = debian ] && [ "$os_version" = 12 ]; then
    # Backports: unless the machine already lists the suite, a second source that copies the first
    # stanza of its own Debian source with the suite changed, so no package host is named here.
    if ! apt-cache policy | grep -q 'a=bookworm-backports\|n=bookworm-backports'; then
        backports_file=/etc/apt/sources.list.d/quillbid-backports.sources
        src=/etc/apt/sources.list.d/debian.sources
        if [ -f "$src" ]; then
            awk 'BEGIN{RS="";ORS="\n"} NR==1{print; exit}' "$src" \
                | sed -E 's/^Suites:.*/Suites: bookworm-backports/' | $SUDO tee "$backports_file" >/dev/null
        elif [ -f /etc/apt/sources.list ] \
            && uri=$(awk '$1 == "deb" {for (i = 2; i <= NF; i++) if ($i ~ /:\/\//) {print $i; exit}}' /etc/apt/sources.list) \
            && [ -n "$uri" ]; then
            printf 'Types: deb\nURIs: %s\nSuites: bookworm-backports\nComponents: main\n' "$uri" \
                | $SUDO tee "$backports_file" >/dev/null
        else
            echo "install-deps: no Debian apt source found to copy for bookworm-backports" >&2
            exit 1
        fi
        $SUDO apt-get update
    fi
    $SUDO apt-get install -y --no-install-recommends -t bookworm-backports "${sqlcipher_packages[@]}"
else
    {
        echo "install-deps: the archive of $os_name offers no SQLCipher 4 or later (it offers ${candidate:-none})."
        echo "Install these packages, version 4 or later, from a source you trust, then run this again:"
        echo "    ${sqlcipher_packages[*]}"
    } >&2
    exit 1
fi
read_installed "${sqlcipher_packages[@]}"
sqlcipher_ok || { echo "install-deps: SQLCipher 4 or later is still not installed" >&2; exit 1; }
