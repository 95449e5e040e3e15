#!/usr/bin/env bash
# Builds the .deb from the build tree into a temporary folder and checks its
# name, version, files and dependencies with dpkg-deb.
# usage: deb_package.sh BUILD_DIR EXPECTED_FILES VERSION LIBDIR
# (EXPECTED_FILES writes the configured CMAKE_INSTALL_LIBDIR as @LIBDIR@)
set -euo pipefail
build=$1 expected=$2 version=$3 libdir=$4
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is not installed (scripts/setup installs dpkg-dev): check skipped"
        exit 77
    fi
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/log" 2>&1 || {
    cat "$out/log" >&2
    exit 1
}
deb=$(echo "$out"/tarsel_"$version"_*.deb)
test -f "$deb"

test "$(dpkg-deb -f "$deb" Package)" = tarsel
test "$(dpkg-deb -f "$deb" Version)" = "$version"
depends=$(dpkg-deb -f "$deb" Depends)
names=$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 \
    libqcustomplot2.1-qt6 qt6-qpa-plugins fonts-liberation libgdal32 libgeographiclib23; do
    if ! grep -qxF "$package" <<<"$names"; then
        echo "Depends lacks $package: $depends" >&2
        exit 1
    fi
done

if grep -qx 'libqt6charts6' <<<"$names"; then
    echo "Depends still names Qt Charts: $depends" >&2
    exit 1
fi

dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./usr/||' |
    LC_ALL=C sort >"$out/actual"
sed "s|@LIBDIR@|$libdir|" "$expected" | LC_ALL=C sort | diff -u - "$out/actual"
