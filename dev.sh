#!/bin/sh
# Sets up a Debian 12 machine for Tessaly 4, builds it, and runs it or its tests.
#   ./dev.sh run    install what is missing, build, start the program
#   ./dev.sh test   install what is missing, build, run every test
# Both steps are idempotent: a second run installs nothing and rebuilds only what changed.
set -eu
cd "$(dirname "$0")"

PACKAGES="cmake g++ make qt6-base-dev libqt6sql6-sqlite
qt6-svg-dev libsqlite3-dev fonts-dejavu-core fonts-liberation poppler-utils xvfb xauth
clang libclang-rt-14-dev pkg-config"
BUILD_DIR=${TESSALY_BUILD_DIR:-build}
BUILD_TYPE=${TESSALY_BUILD_TYPE:-RelWithDebInfo}
# Extra CMake options for a new build folder, e.g. -DTESSALY_SANITIZE=ON.
CMAKE_ARGS=${TESSALY_CMAKE_ARGS:-}

install_missing() {
    missing=""
    for package in $PACKAGES; do
        status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
        case "$status" in
            "install ok installed") ;;
            *) missing="$missing $package" ;;
        esac
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
    $SUDO apt-get update -q
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $missing
}

build() {
    if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
        # shellcheck disable=SC2086
        cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE="$BUILD_TYPE" $CMAKE_ARGS
    fi
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}

case "${1:-}" in
    run)
        install_missing
        build
        exec "$BUILD_DIR/bin/tessaly4"
        ;;
    test)
        install_missing
        build
        cd "$BUILD_DIR"
        exec ctest --output-on-failure --parallel "$(nproc)"
        ;;
    *)
        echo "usage: $0 run|test" >&2
        exit 2
        ;;
esac
