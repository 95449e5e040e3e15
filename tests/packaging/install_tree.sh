#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR under an unusual prefix and checks
# the file list, that the programs are stripped, and that both answer
# --version and --help there without any display.
# usage: install_tree.sh BUILD_DIR EXPECTED_FILES VERSION
set -euo pipefail
build=$1 expected=$2 version=$3
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
prefix=/opt/tarsel-relocated
DESTDIR=$dest cmake --install "$build" --prefix "$prefix" --strip >/dev/null
root=$dest$prefix

(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$dest/actual"
LC_ALL=C sort "$expected" | diff -u - "$dest/actual"

for program in tarsel tarsel-report; do
    sections=$(readelf -S "$root/bin/$program")
    if grep -q '\.symtab' <<<"$sections"; then
        echo "bin/$program is not stripped" >&2
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
