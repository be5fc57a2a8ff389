# shellcheck shell=bash
# Shared by the packaging tests.

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# A fresh temporary folder, removed when the test ends.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# check_delivered_database <file>: a SQLite database holding the administrator.
check_delivered_database() {
    [ -f "$1" ] && [ ! -L "$1" ] || fail "$1 is not a regular file"
    if command -v sqlite3 >/dev/null; then
        local administrators
        administrators=$(sqlite3 -readonly "$1" "SELECT count(*) FROM 用户 WHERE 用户 = '管理员'") \
            || fail "$1 is not a database holding the table 用户"
        [ "$administrators" = 1 ] || fail "$1 holds $administrators administrators"
    else
        [ "$(head -c 15 "$1")" = "SQLite format 3" ] || fail "$1 is not a SQLite database"
    fi
}

# check_desktop_entry <file> <program name> <icon name>
check_desktop_entry() {
    grep -qx "Exec=$2" "$1" || fail "$1 does not start $2"
    grep -qx "Icon=$3" "$1" || fail "$1 does not show the icon $3"
    grep -qx "Name\[zh_CN\]=Veltrano 餐饮前台" "$1" || fail "$1 has no Chinese name"
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$1" || fail "$1 is not a valid desktop entry"
    fi
}
