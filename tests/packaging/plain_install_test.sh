#!/usr/bin/env bash
# A plain `cmake --install` puts the program in its own folder with the delivered database beside
# it, and installing again keeps a database that is already there.
# Usage: plain_install_test.sh <build folder> <libdir> <bindir> <datadir>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
build=$1 libdir=$2 bindir=$3 datadir=$4

# install_twice <folder the prefix lands in> <cmake --install arguments...>
install_twice() {
    local root=$1
    shift
    cmake --install "$build" "$@" >"$work/install.log" || fail "install failed: $*"

    local program_directory=$root/$libdir/veltrano
    [ -x "$program_directory/veltrano" ] || fail "no program in $program_directory"
    [ "$(readlink -f "$root/$bindir/veltrano")" = "$(readlink -f "$program_directory/veltrano")" ] \
        || fail "$root/$bindir/veltrano does not lead to the program"
    check_delivered_database "$program_directory/cysj.db"
    check_desktop_entry "$root/$datadir/applications/veltrano.desktop" veltrano veltrano
    [ -f "$root/$datadir/icons/hicolor/scalable/apps/veltrano.svg" ] || fail "no icon in $root"
    [ ! -e "$root/$datadir/veltrano" ] || fail "the package's database template came along"

    # The restaurant's data since the first install: the second install must leave it as it is.
    printf 'a row of the restaurant' >>"$program_directory/cysj.db"
    cp "$program_directory/cysj.db" "$work/kept.db"
    cmake --install "$build" "$@" >"$work/install.log" || fail "second install failed: $*"
    cmp -s "$work/kept.db" "$program_directory/cysj.db" || fail "the second install replaced the database"
}

install_twice "$work/prefix" --prefix "$work/prefix"
DESTDIR="$work/staged" install_twice "$work/staged/opt/veltrano" --prefix /opt/veltrano
echo "plain install: passed"
