# Shared by the load scripts: starts and stops one nimbora-services on a free
# loopback port with the offline provider. Sourced, not run.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
server=${NIMBORA_SERVICES_BIN:-$root/build/services/nimbora-services}
load=${NIMBORA_SERVICES_LOAD:-$root/build/services/bench/nimbora-services-load}
[ -x "$server" ] || { echo "build the release flavour first: scripts/build" >&2; exit 1; }
[ -x "$load" ] || { echo "missing $load: scripts/build" >&2; exit 1; }
command -v wrk >/dev/null || { echo "wrk is missing: scripts/setup --extra" >&2; exit 1; }
work=$(mktemp -d)
chmod 755 "$work"
server_pid=
cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

cat > "$work/bench.ini" <<INI
[data]
gazetteer = $root/third_party/gazetteer/US.txt
packs = $work/packs
catalogue = $root/services/catalogue.ini
web = $root/services/web
pings = $work/pings.sqlite
INI
mkdir -p "$work/packs"

# Waits (bounded) until the address answers; every wait here is for a condition.
wait_for_answer() {
    for _ in $(seq 300); do
        curl -sf -o /dev/null "$1" && return 0
        sleep 0.1
    done
    echo "$1 did not answer" >&2
    exit 1
}

start_server() {
    port=$("$load" freeport)
    "$server" --port "$port" --config "$work/bench.ini" 2>>"$work/server.log" &
    server_pid=$!
    wait_for_answer "http://127.0.0.1:$port/"
    base="http://127.0.0.1:$port"
    obs="$base/wxdata/obs/US10001.xml?key=nimbora-cycle-1"
    curl -sf -o /dev/null "$obs" # warm the cache
}

stop_server() {
    kill "$server_pid"
    wait "$server_pid" 2>/dev/null || true
    server_pid=
}

# Resident memory of the server now and at its peak, in MiB.
server_memory() {
    awk '/^VmRSS|^VmHWM/ { printf "%s %.1f MiB  ", $1, $2 / 1024 } END { print "" }' \
        "/proc/$server_pid/status"
}
