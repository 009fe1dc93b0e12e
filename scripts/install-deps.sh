#!/usr/bin/env bash
# Installs everything the build, the tests, the fuzzers and the benchmarks need on Debian 12.
# Non-interactive and idempotent: packages already present are skipped without a network call.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache
    clang libclang-rt-dev
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    gpsd-clients xvfb xauth poppler-utils groff-base
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all packages present"
    exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
