#!/bin/sh
# Builds the Debian package from a release build and checks it as Debian and software
# centres do: lintian must report no error and no warning, appstreamcli no error.
#   packaging/check-package.sh [BUILD_DIR]      (default: build-release)
# Needs: dpkg-dev, lintian, appstream (apt-get install them first).
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build-release}
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target tessaly4 question_bank package_documents
(cd "$BUILD_DIR" && rm -f tessaly4_*.deb && cpack -G DEB > cpack.log)
DEB=$(ls "$BUILD_DIR"/tessaly4_*.deb)
echo "Package: $DEB"

status=0
echo "== lintian"
# Root may run lintian here: the package is only read, never installed.
if ! lintian --allow-root --fail-on error,warning --tag-display-limit 0 "$DEB"; then
    status=1
fi
echo "== appstreamcli validate"
if ! appstreamcli validate --no-net --explain "$BUILD_DIR/invalid.tessaly.Tessaly4.metainfo.xml"; then
    status=1
fi
[ "$status" -eq 0 ] && echo "The package passes both checks."
exit "$status"
