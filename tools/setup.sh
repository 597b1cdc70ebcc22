#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need, when
# any of them is missing, then configures the build folder.
# Sourced by tools/demo.sh and tools/test.sh; safe to run again.
set -euo pipefail

BC_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BC_BUILD="${BC_BUILD:-$BC_ROOT/build}"

BC_PACKAGES=(
    g++ cmake ninja-build pkg-config
    juce-modules-source
    libgtest-dev libgmock-dev libbenchmark-dev
    libfreetype-dev libfontconfig1-dev
    libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxext-dev libxcomposite-dev
    libasound2-dev
    libpng-dev libjpeg-dev zlib1g-dev
    libsamplerate0-dev
    xvfb xauth x11-apps x11-utils imagemagick
    python3
    fonts-urw-base35
)

bc_install_packages()
{
    local missing=()
    local p
    for p in "${BC_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "setup: installing ${missing[*]}" >&2
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

bc_configure()
{
    if [ ! -f "$BC_BUILD/build.ninja" ]; then
        cmake -S "$BC_ROOT" -B "$BC_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
    fi
}

bc_build()
{
    cmake --build "$BC_BUILD" --parallel "$(nproc)" "$@"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    bc_install_packages
    bc_configure "$@"
fi
