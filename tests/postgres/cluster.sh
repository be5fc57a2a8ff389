#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests: `start <folder>` makes a cluster in the folder
# (removing whatever was there) and starts it listening only on a Unix socket in that folder;
# `stop <folder>` stops it and removes the folder. `pause` and `resume` stop and start it again
# with its data, as a server that goes away and comes back. Run as root, the server runs as the system's
# unprivileged postgres user, as the server refuses to run as root.
set -euo pipefail

usage() {
    echo "usage: cluster.sh start|stop|pause|resume <folder>" >&2
    exit 2
}
[ $# -eq 2 ] || usage
folder="$2"
bin="$(find /usr/lib/postgresql -maxdepth 2 -name bin -type d 2>/dev/null | sort -V | tail -n 1)"
if [ -z "$bin" ]; then
    echo "cluster.sh: no PostgreSQL server installed (Debian package postgresql)" >&2
    exit 1
fi

as_server=()
if [ "$(id -u)" -eq 0 ]; then as_server=(runuser -u postgres --); fi

case "$1" in
start | resume)
    if [ "$1" = resume ]; then
        "${as_server[@]}" "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 \
            -o "-k $folder -c listen_addresses= -c fsync=off" start >/dev/null
        exit 0
    fi
    if [ -f "$folder/data/postmaster.pid" ]; then
        "${as_server[@]}" "$bin/pg_ctl" -D "$folder/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$folder"
    mkdir -p "$folder"
    chmod 700 "$folder"
    if [ "$(id -u)" -eq 0 ]; then chown postgres "$folder"; fi
    "${as_server[@]}" "$bin/initdb" -D "$folder/data" -U veltrano --auth=trust -E UTF8 \
        --locale=C.UTF-8 >"$folder/initdb.log" 2>&1 ||
        { cat "$folder/initdb.log" >&2; exit 1; }
    "${as_server[@]}" "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 \
        -o "-k $folder -c listen_addresses= -c fsync=off" start >/dev/null ||
        { cat "$folder/server.log" >&2; exit 1; }
    ;;
pause)
    "${as_server[@]}" "$bin/pg_ctl" -D "$folder/data" -m fast -w stop >/dev/null
    ;;
stop)
    if [ -d "$folder/data" ]; then
        "${as_server[@]}" "$bin/pg_ctl" -D "$folder/data" -m fast -w stop >/dev/null || true
    fi
    rm -rf "$folder"
    ;;
*)
    usage
    ;;
esac
