#!/bin/sh
# Gives the Wine prefix of a build folder two empty drives, M: and N:, for
# the file system's contract: test_drives.sh BUILD
set -eu
build=$(cd "$1" && pwd)
prefix=${WINEPREFIX:-$build/wineprefix}
for drive in m n; do
    rm -rf "$build/test-drives/$drive"
    mkdir -p "$build/test-drives/$drive"
    ln -sfn "$build/test-drives/$drive" "$prefix/dosdevices/$drive:"
done
