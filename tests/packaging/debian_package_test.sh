#!/usr/bin/env bash
# The Debian package: the program in its own folder under /usr/lib, the restaurant's data under
# /var/lib, made from a template by postinst only when it is not there yet.
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
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libsqlite3-0 qt6-qpa-plugins \
    fonts-noto-cjk; do
    [[ ", $depends," =~ ,\ $needed[\ ,] ]] || fail "Depends lacks $needed: $depends"
done

# The maintainer scripts, run against a folder of the test's own instead of /var/lib/veltrano.
dpkg-deb -e "$package" "$work/control"
[ -x "$work/control/postinst" ] || fail "postinst is not executable"
data=$work/var/lib/veltrano
for script in postinst postrm; do
    sed -e "s|'/var/lib/veltrano'|'$data'|" \
        -e "s|'/usr/share/veltrano/cysj.db'|'$work/root/usr/share/veltrano/cysj.db'|" \
        "$work/control/$script" >"$work/$script"
    if grep -qE "'/(var|usr)/" "$work/$script"; then fail "$script names a path not rewritten"; fi
done

sh "$work/postinst" configure >/dev/null || fail "postinst failed on a first install"
cmp -s "$work/root/usr/share/veltrano/cysj.db" "$data/cysj.db" || fail "postinst made no database"
[ "$(stat -c %a "$data")" = 777 ] || fail "staff cannot write $data"
[ "$(stat -c %a "$data/cysj.db")" = 666 ] || fail "staff cannot write the database"

# An upgrade over the restaurant's data, on a machine whose owner restricted it to a group.
printf 'a row of the restaurant' >>"$data/cysj.db"
chmod 0770 "$data"
chmod 0660 "$data/cysj.db"
cp "$data/cysj.db" "$work/kept.db"
sh "$work/postinst" configure 1.0 >/dev/null || fail "postinst failed on an upgrade"
cmp -s "$work/kept.db" "$data/cysj.db" || fail "postinst replaced the restaurant's database"
[ "$(stat -c %a "$data"):$(stat -c %a "$data/cysj.db")" = 770:660 ] \
    || fail "postinst changed the modes the owner chose"

sh "$work/postrm" purge >/dev/null || fail "postrm failed on purge"
cmp -s "$work/kept.db" "$data/cysj.db" || fail "purging removed the restaurant's database"
echo "debian package: passed"
