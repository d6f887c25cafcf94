#!/usr/bin/env bash
# A throwaway PostgreSQL server on a free loopback port, for the tests.
#   pg-test-server.sh start DIR   prints the port; DIR holds the cluster
#   pg-test-server.sh stop DIR
#   pg-test-server.sh crash DIR   stops it at once, as a power cut would
#   pg-test-server.sh revive DIR  starts a crashed server again on its port
# The login kzv / kzv owns the catalog "Tessaly" and may create others.
set -euo pipefail
cmd=$1
dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)

as_owner() {
    if [[ $(id -u) -eq 0 ]]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

case "$cmd" in
start)
    mkdir -p "$dir"
    if [[ $(id -u) -eq 0 ]]; then chown postgres "$dir"; fi
    port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    as_owner "$bin/initdb" -D "$dir/data" -A trust -U postgres >"$dir/initdb.log" 2>&1
    echo "$port" >"$dir/port"
    as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/log" -w \
        -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200" start >/dev/null
    psql -q -h 127.0.0.1 -p "$port" -U postgres -d postgres \
        -c "create role kzv login createdb password 'kzv'" \
        -c 'create database "Tessaly" owner kzv' >/dev/null
    echo "$port"
    ;;
crash)
    as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null
    ;;
revive)
    port=$(cat "$dir/port")
    as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/log" -w \
        -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200" start >/dev/null
    ;;
stop)
    if [[ -d "$dir/data" ]]; then
        as_owner "$bin/pg_ctl" -D "$dir/data" -m fast stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    ;;
*)
    echo "usage: $0 start|stop|crash|revive DIR" >&2
    exit 2
    ;;
esac
