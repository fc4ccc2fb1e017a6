#!/usr/bin/env bash
# Sets up a Debian 12 machine for Ardentix, builds it and starts it or runs every test.
#   ./ardentix.sh run    install what is missing, build, start the program
#   ./ardentix.sh test   install what is missing, build with sanitizers, run every test
# CI (.ci/run) adds an optimised build after the tests.
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    cmake ninja-build g++ clang-format clang libclang-rt-14-dev
    qt6-base-dev libqt6opengl6-dev qt6-multimedia-dev qt6-svg-dev libqt6sql6-sqlite
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool imagemagick espeak-ng sox python3-aiosmtpd poppler-utils
    libqt6sql6-psql postgresql-15
)
# The xAPI tests run the validation package of the npm registry under Node. A machine that has
# node and npm from elsewhere keeps them: Debian's would replace them.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    packages+=(nodejs npm)
fi

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {  # build DIR [cmake options...]
    local dir=$1
    shift
    [ -f "$dir/CMakeCache.txt" ] || cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir"
}

case "${1:-}" in
    run)
        install_missing
        build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        # The program directory holds the pictures and sounds, and receives settings and reports.
        mkdir -p run
        cp -u build/media/* run/
        cd run
        exec ../build/ardentix
        ;;
    test)
        install_missing
        build build-test -DCMAKE_BUILD_TYPE=Debug -DARDENTIX_SANITIZE=ON -DARDENTIX_TESTS=ON
        export QT_QPA_PLATFORM=offscreen
        export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
        chmod 0700 "$XDG_RUNTIME_DIR"
        cd build-test
        exec ctest --output-on-failure -j2
        ;;
    *)
        echo "usage: $0 run|test" >&2
        exit 2
        ;;
esac
