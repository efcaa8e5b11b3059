#!/usr/bin/env bash
# A Debian package of Vededa, unpacked into a scratch root (dpkg -x) and checked: its control data
# names the Qt 6 runtime libraries, and its programs, examples, desktop files and manual work from
# where the package puts them.
#   check_package.sh PACKAGE.deb [VERSION]
set -euo pipefail
deb=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAULT: $*" >&2; exit 1; }
version=${2:-$(dpkg-deb -f "$deb" Version)}
[ "$(dpkg-deb -f "$deb" Package)" = vededa ] || fail "package name is not vededa"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version), want $version"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libstdc++6 libc6; do
    grep -q "\b$lib\b" <<<"$depends" || fail "package does not depend on $lib: $depends"
done
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
source "$here/check_tree.sh"
check_tree "$root/usr" "$version"
echo "package: 1 passed, 0 failed"
