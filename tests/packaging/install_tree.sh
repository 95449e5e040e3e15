#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR under an unusual prefix and checks
# the file list, that the programs and the elevation-data module are stripped,
# that both programs answer --version and --help there without any display,
# and that tarsel-report finds its module there.
# usage: install_tree.sh BUILD_DIR EXPECTED_FILES VERSION LIBDIR
# (EXPECTED_FILES writes the configured CMAKE_INSTALL_LIBDIR as @LIBDIR@)
set -euo pipefail
build=$1 expected=$2 version=$3 libdir=$4
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
prefix=/opt/tarsel-relocated
DESTDIR=$dest cmake --install "$build" --prefix "$prefix" --strip >/dev/null
root=$dest$prefix

(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$dest/actual"
sed "s|@LIBDIR@|$libdir|" "$expected" | LC_ALL=C sort | diff -u - "$dest/actual"

for file in bin/tarsel bin/tarsel-report "$libdir/tarsel/tarsel-dem.so"; do
    sections=$(readelf -S "$root/$file")
    if grep -q '\.symtab' <<<"$sections"; then
        echo "$file is not stripped" >&2
        exit 1
    fi
done

headless() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }
test "$(headless "$root/bin/tarsel" --version)" = "Tarsel $version"
test "$(headless "$root/bin/tarsel-report" --version)" = "tarsel-report $version"
# Captured first: grep -q would close the pipe early under pipefail.
help=$(headless "$root/bin/tarsel" --help)
grep -q -- '--screenshot' <<<"$help"
report=$(headless "$root/bin/tarsel-report" --defaults)
test "${report%%$'\n'*}" = "Movrane Version $version"
# The module is found relative to the program: the data's own fault, not its absence.
status=0
dem=$(headless "$root/bin/tarsel-report" --defaults --dem "$dest/none" --from 0,0 --to 0,1 2>&1) ||
    status=$?
test "$status" = 2
test "$dem" = "tarsel-report: --dem: $dest/none: no such file or folder"
