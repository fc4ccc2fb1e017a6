#!/usr/bin/env bash
# A throwaway PostgreSQL 15 cluster for the centre server's tests, on loopback and a free port.
#   cluster.sh start STATE   initdb in a fresh temporary folder, start the server, write
#                            STATE/cluster.env (PORT, DIR) and STATE/pgpass
#   cluster.sh stop STATE    stop the server of STATE/cluster.env and delete its folder
#   cluster.sh pause STATE   stop the server, keeping its folder; resume starts it again
# The server refuses to run as root: as root the cluster belongs to the user postgres (made here
# when the machine has none). Connections over TCP need a password (scram-sha-256): the tests find
# theirs in STATE/pgpass, as a station finds its own in ~/.pgpass.
set -eu

BIN=${PG_BIN:-/usr/lib/postgresql/15/bin}
ADMIN=ardentix_admin
STATION=station
ADMIN_PASSWORD=admin-secret-1
STATION_PASSWORD=station-secret-2

action=$1
state=$2
mkdir -p "$state"
env_file=$state/cluster.env

stop_cluster() {
    [ -f "$env_file" ] || return 0
    . "$env_file"
    $AS "$BIN/pg_ctl" -D "$DIR/data" -m fast -w stop >/dev/null 2>&1 || true
    rm -rf "$DIR"
    rm -f "$env_file"
}

AS=""
if [ "$(id -u)" -eq 0 ]; then
    owner=postgres
    if ! id "$owner" >/dev/null 2>&1; then
        owner=ardentix-pg
        id "$owner" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$owner"
    fi
    AS="runuser -u $owner --"
fi

server_options() {
    echo "-p $PORT -k $DIR -c listen_addresses=127.0.0.1 -c fsync=off"
}

case "$action" in
stop)
    stop_cluster
    exit 0
    ;;
pause)
    . "$env_file"
    exec $AS "$BIN/pg_ctl" -D "$DIR/data" -m fast -w stop
    ;;
resume)
    . "$env_file"
    exec $AS "$BIN/pg_ctl" -D "$DIR/data" -l "$DIR/server.log" -w -t 30 -o "$(server_options)" start
    ;;
start) ;;
*)
    echo "usage: $0 start|stop STATE" >&2
    exit 2
    ;;
esac

# A cluster left by a run that was killed before its clean-up goes first.
stop_cluster

if [ ! -x "$BIN/initdb" ]; then
    echo "PostgreSQL 15 is not installed ($BIN/initdb): Debian package postgresql-15" >&2
    exit 1
fi

dir=$(mktemp -d /tmp/ardentix-pg.XXXXXX)
chmod 0755 "$dir"
[ -n "$AS" ] && chown "$owner" "$dir"
printf '%s\n' "$ADMIN_PASSWORD" >"$dir/pwfile"
[ -n "$AS" ] && chown "$owner" "$dir/pwfile"
$AS "$BIN/initdb" -D "$dir/data" -U "$ADMIN" --pwfile="$dir/pwfile" -E UTF8 --no-locale \
    --auth-local=trust --auth-host=scram-sha-256 >"$dir/initdb.log" 2>&1 || {
    cat "$dir/initdb.log" >&2
    exit 1
}

# A port nobody listens on; another program may take it first, so a failed start tries again.
started=""
for attempt in 1 2 3 4 5 6 7 8; do
    port=$((20000 + $(od -An -N2 -tu2 /dev/urandom | tr -d ' ') % 30000))
    if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then continue; fi
    PORT=$port DIR=$dir
    if $AS "$BIN/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 -o "$(server_options)" \
        start >/dev/null 2>&1; then
        started=yes
        break
    fi
done
if [ -z "$started" ]; then
    echo "the test cluster did not start:" >&2
    cat "$dir/server.log" >&2
    rm -rf "$dir"
    exit 1
fi

printf 'PORT=%s\nDIR=%s\n' "$port" "$dir" >"$env_file"
$AS "$BIN/psql" -h "$dir" -p "$port" -U "$ADMIN" -d postgres -q -v ON_ERROR_STOP=1 \
    -c "CREATE ROLE $STATION LOGIN PASSWORD '$STATION_PASSWORD'"
umask 077
printf '127.0.0.1:%s:*:%s:%s\n127.0.0.1:%s:*:%s:%s\n' "$port" "$ADMIN" "$ADMIN_PASSWORD" \
    "$port" "$STATION" "$STATION_PASSWORD" >"$state/pgpass"
echo "PostgreSQL on 127.0.0.1:$port in $dir"
