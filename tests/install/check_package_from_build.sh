#!/usr/bin/env bash
# Builds the Debian package of a build tree with CPack into a scratch folder and checks it with
# check_package.sh (scripts/package does the same from a Release build).
#   check_package_from_build.sh BUILD_DIR VERSION SCRATCH_DIR
set -euo pipefail
build=$1 version=$2 scratch=$3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$scratch"
mkdir -p "$scratch"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; echo "FAULT: cpack -G DEB failed" >&2; exit 1; }
deb=$(ls "$scratch"/vededa_*.deb)
"$here/check_package.sh" "$deb" "$version"
rm -rf "$scratch"
