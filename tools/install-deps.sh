#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Ponderix need.
# Idempotent and silent when everything is already present.
set -euo pipefail

packages=(
    cmake g++ make googletest libbenchmark-dev clang libclang-rt-14-dev   # host build, tests, fuzzing
    clang-format                                                          # the formatting check
    g++-mingw-w64-x86-64-posix                                            # the Windows build
    wine wine64 xvfb                                                      # running it on Linux
    locales fonts-wqy-microhei fonts-wqy-zenhei                           # Chinese text under Wine
    liblhasa-dev                                                          # LZHUF oracle in tests
    chromium python3                                                      # takeoff HTML report check
    imagemagick                                                           # tools/screenshots.sh
    python3-fonttools                                                     # the fitted Chinese face
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

# npm fetches the SQLite amalgamation; a machine may carry its own Node.js with npm inside.
command -v npm >/dev/null || missing+=(npm)

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

"$(dirname "$0")/ensure-locale.sh"
