#!/usr/bin/env bash
# The Debian package: the program in its own folder under /usr/lib, the restaurant's data under
# /var/lib, made from a template by postinst only when it is not there yet and shared by the group
# veltrano. postinst runs as root in a folder the staff can write, so most of what follows plants
# links there and checks that root never wrote through one.
# Usage: debian_package_test.sh <build folder> <version> <the program's icon in the sources>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
build=$1 version=$2 icon=$3

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "cpack failed"; }
package=$work/out/veltrano_${version}_$(dpkg --print-architecture).deb
[ -f "$package" ] || fail "no $(basename "$package") among: $(ls "$work/out")"

# The listing: program, links, template, desktop entry and icon, and no database under /usr/lib.
dpkg-deb -c "$package" | awk '{ $2 = $3 = $4 = $5 = ""; print }' | tr -s ' ' >"$work/contents"
expect() {
    grep -qxF -- "$1" "$work/contents" || { cat "$work/contents"; fail "the package lacks: $1"; }
}
expect "-rwxr-xr-x ./usr/lib/veltrano/veltrano"
expect "lrwxrwxrwx ./usr/bin/veltrano -> ../lib/veltrano/veltrano"
expect "lrwxrwxrwx ./usr/lib/veltrano/cysj.db -> /var/lib/veltrano/cysj.db"
expect "-rw-r--r-- ./usr/share/veltrano/cysj.db"
expect "-rw-r--r-- ./usr/share/applications/veltrano.desktop"
expect "-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/veltrano.svg"
if grep -q ' \./var/' "$work/contents"; then fail "the package ships something under /var"; fi

dpkg-deb -x "$package" "$work/root"
check_delivered_database "$work/root/usr/share/veltrano/cysj.db"
check_desktop_entry "$work/root/usr/share/applications/veltrano.desktop" veltrano veltrano
cmp -s "$icon" "$work/root/usr/share/icons/hicolor/scalable/apps/veltrano.svg" \
    || fail "the icon is not the program's"

depends=$(dpkg-deb -f "$package" Depends)
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libqt6printsupport6 libqt6charts6 \
    libsqlite3-0 libpq5 qt6-qpa-plugins fonts-noto-cjk adduser; do
    [[ ", $depends," =~ ,\ ${needed}[\ ,] ]] || fail "Depends lacks $needed: $depends"
done
[ "$(dpkg-deb -f "$package" Suggests)" = postgresql ] || fail "the package does not suggest postgresql"
[ -x "$work/root/usr/bin/veltrano-db" ] || fail "the package has no veltrano-db"

# The maintainer scripts, run against a folder of the test's own instead of /var/lib/veltrano.
# They set owners and groups, and postinst makes the system group veltrano when it is missing (as
# it does on a counter computer; a second run finds it there): that takes root.
if [ "$(id -u)" != 0 ]; then
    echo "debian package: the maintainer scripts were not run: they need root"
    exit 77
fi
dpkg-deb -e "$package" "$work/control"
[ -x "$work/control/postinst" ] || fail "postinst is not executable"
template=$work/root/usr/share/veltrano/cysj.db
data=$work/var/lib/veltrano
database=$data/cysj.db
for script in postinst postrm; do
    sed -e "s|'/var/lib/veltrano'|'$data'|" \
        -e "s|'/usr/share/veltrano/cysj.db'|'$template'|" \
        "$work/control/$script" >"$work/$script"
    if grep -qE "'/(var|usr)/" "$work/$script"; then fail "$script names a path not rewritten"; fi
done

# postinst configure [<version upgraded from>], its messages kept in $work/postinst.err.
postinst() {
    sh "$work/postinst" configure "$@" >/dev/null 2>"$work/postinst.err"
}

# modes <path>: owner, group and mode, the path itself and not what a link leads to.
modes() {
    stat -c %U:%G:%a -- "$1"
}

# The shared layout, and the bytes the database must hold.
expect_layout() {
    [ "$(modes "$data")" = root:veltrano:2770 ] || fail "the data folder is $(modes "$data")"
    if [ ! -f "$database" ] || [ -L "$database" ]; then fail "the database is not a file"; fi
    [ "$(modes "$database")" = root:veltrano:660 ] || fail "the database is $(modes "$database")"
    cmp -s "$1" "$database" || fail "the database does not hold $(basename "$1")"
}

# The restaurant's data on an install made by an earlier version: the template and a row.
old_install() {
    mkdir -p "$data"
    chmod "$1" "$data"
    cp "$template" "$database"
    printf 'a row of the restaurant' >>"$database"
    chmod "$2" "$database"
    cp "$database" "$work/kept.db"
}

# A root-only file outside the data folder, such as /etc/shadow, that a planted link leads to.
victim() {
    mkdir -p "$work/victims"
    printf 'root only: %s\n' "$1" >"$work/victims/$1"
    chmod 0600 "$work/victims/$1"
}
expect_victims_untouched() {
    local file
    for file in "$work"/victims/*; do
        [ "$(modes "$file")" = root:root:600 ] || fail "$file was made $(modes "$file")"
        [ "$(cat "$file")" = "root only: $(basename "$file")" ] || fail "$file was written"
    done
}

# The refused folder must be as it was: the listing of what it leads to, with modes and bytes.
snapshot() {
    find "$1/" -printf '%p %u:%g %m %s\n' | sort
    find "$1/" -type f -exec cat {} + | md5sum
}

case_first_install() {
    postinst || fail "postinst failed on a first install: $(cat "$work/postinst.err")"
    expect_layout "$template"
    [ "$(ls -A "$data")" = cysj.db ] || fail "postinst left more than the database: $(ls -A "$data")"

    printf 'a row of the restaurant' >>"$database"
    cp "$database" "$work/kept.db"
    postinst 1.0 || fail "postinst failed on a reinstall"
    expect_layout "$work/kept.db"

    sh "$work/postrm" purge >/dev/null || fail "postrm failed on purge"
    cmp -s "$work/kept.db" "$database" || fail "purging removed the restaurant's database"
}

# A folder left from an earlier install, writable by everyone, with no database in it: the names
# the old postinst wrote through lead outside, to root's files.
case_links_planted_before_a_first_install() {
    mkdir -p "$data"
    chmod 0777 "$data"
    victim new
    ln -s "$work/victims/new" "$data/cysj.db.new"
    postinst || fail "postinst failed: $(cat "$work/postinst.err")"
    expect_victims_untouched
    expect_layout "$template"

    rm "$database"
    victim database
    ln -s "$work/victims/database" "$database"
    postinst || fail "postinst failed over a linked database: $(cat "$work/postinst.err")"
    expect_victims_untouched
    [ -L "$database" ] || fail "postinst replaced the linked database"

    # A link to nowhere: following it would make a file of root's wherever it points.
    rm "$database"
    ln -s "$work/victims/made-by-root" "$database"
    postinst || fail "postinst failed over a dangling link: $(cat "$work/postinst.err")"
    [ ! -e "$work/victims/made-by-root" ] || fail "postinst wrote through a dangling link"
}

case_links_planted_before_an_upgrade() {
    old_install 0777 0666
    victim new
    ln -s "$work/victims/new" "$data/cysj.db.new"
    postinst 1.0 || fail "postinst failed: $(cat "$work/postinst.err")"
    expect_victims_untouched
    expect_layout "$work/kept.db"

    # The database itself swapped for a link, or a second name, to a root's file.
    local swap
    for swap in "ln -s" ln; do
        rm -rf "$data" "$work/victims"
        old_install 0777 0666
        victim database
        rm "$database"
        $swap "$work/victims/database" "$database"
        postinst 1.0 || fail "postinst failed over '$swap': $(cat "$work/postinst.err")"
        expect_victims_untouched
        grep -q "$database" "$work/postinst.err" || fail "postinst kept quiet about '$swap'"
        [ "$(modes "$data")" = root:veltrano:2770 ] || fail "the data folder is $(modes "$data")"
    done
}

case_folders_refused() {
    mkdir -p "$work/elsewhere" "${data%/*}"
    ln -s "$work/elsewhere" "$data"
    local before
    before=$(snapshot "$work/elsewhere")
    if postinst; then fail "postinst wrote through a linked data folder"; fi
    grep -q "$data is a link" "$work/postinst.err" || fail "postinst said: $(cat "$work/postinst.err")"
    [ "$(snapshot "$work/elsewhere")" = "$before" ] || fail "postinst changed the linked folder"

    rm "$data"
    old_install 0777 0666
    chown -R 65534:65534 "$data"
    before=$(snapshot "$data")
    if postinst 1.0; then fail "postinst worked in a folder of another account"; fi
    grep -q "$data is not owned by root" "$work/postinst.err" \
        || fail "postinst said: $(cat "$work/postinst.err")"
    [ "$(snapshot "$data")" = "$before" ] || fail "postinst changed a folder of another account"

    rm -r "$data"
    printf 'not a folder' >"$data"
    if postinst; then fail "postinst took a file for the data folder"; fi
    [ "$(cat "$data")" = 'not a folder' ] || fail "postinst wrote into the file"
}

case_upgrades_from_earlier_modes() {
    old_install 0777 0666
    printf 'a journal from anyone' >"$data/cysj.db-journal"
    chown 65534:65534 "$data/cysj.db-journal"
    postinst 1.0 || fail "postinst failed from 0777/0666: $(cat "$work/postinst.err")"
    expect_layout "$work/kept.db"
    grep -q 'cysj.db-journal' "$work/postinst.err" || fail "postinst kept quiet about the journal"
    # A journal left by a crash holds changes not yet in the data: only the owner may drop it.
    [ "$(cat "$data/cysj.db-journal")" = 'a journal from anyone' ] \
        || fail "postinst touched the journal"

    # An owner who had restricted the data to a group of their own.
    rm -r "$data"
    old_install 0770 0660
    chgrp -R users "$data"
    postinst 1.0 || fail "postinst failed from 0770/0660: $(cat "$work/postinst.err")"
    expect_layout "$work/kept.db"
}

# Each case on a fresh folder, in a subshell so that a failing case ends only itself.
failed=0
for check in case_first_install case_links_planted_before_a_first_install \
    case_links_planted_before_an_upgrade case_folders_refused case_upgrades_from_earlier_modes; do
    rm -rf "${work:?}/var" "$work/victims" "$work/elsewhere" "$work/kept.db"
    set +e
    (
        set -e
        "$check"
    )
    status=$?
    set -e
    if [ "$status" != 0 ]; then
        echo "  in $check" >&2
        failed=$((failed + 1))
    fi
done
[ "$failed" = 0 ] || fail "$failed of the maintainer scripts' cases"
echo "debian package: passed"
