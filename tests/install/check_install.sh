#!/usr/bin/env bash
# `cmake --install` of a build tree into a scratch root (DESTDIR), then the installed tree checked as
# a user's desktop and shell use it.
#   check_install.sh BUILD_DIR VERSION SCRATCH_DIR
set -euo pipefail
build=$1 version=$2 scratch=$3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$scratch"
mkdir -p "$scratch"
DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >"$scratch/install.log" ||
    { cat "$scratch/install.log"; echo "FAULT: cmake --install failed" >&2; exit 1; }
# Nothing outside the prefix.
outside=$(cd "$scratch/root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$outside" ] || { echo "FAULT: installed outside /usr: $outside" >&2; exit 1; }
source "$here/check_tree.sh"
check_tree "$scratch/root/usr" "$version"
rm -rf "$scratch"
echo "installed tree: 1 passed, 0 failed"
