#!/usr/bin/env bash
# Runs a command beside the stand-in of the lyrics service, inside a network namespace of its own
# (run-hostsim-test.sh starts it with `unshare -n`): the loopback interface is the only one there,
# so whatever the plug-in asks can reach nothing but the stand-in.
#
#   with-standin.sh TEST_DIR [STANDIN_OPTIONS...] -- COMMAND...
#
# The stand-in answers from tools/lrclib-standin/records.json on a free port of 127.0.0.1 and
# logs every request to TEST_DIR/requests.log. @PORT@ in TEST_DIR's scripts (*.hs) and in its
# expected.txt becomes its port before COMMAND runs. With --https the stand-in answers over HTTPS with a
# certificate for localhost from a test authority made in TEST_DIR/certs (ca.pem), and COMMAND
# runs in a wine prefix of its own, made here, in which trustca.exe (beside COMMAND's program in
# TEST_DIR) has made that authority trusted; the machine's trust and the other tests' prefixes
# never see it. COMMAND's first word is the wine loader.
# The stand-in is stopped when COMMAND ends; COMMAND's status is this script's.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dir=${1:?usage: with-standin.sh TEST_DIR [OPTIONS...] -- COMMAND...}
shift
options=()
https=0
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    if [ "$1" = "--https" ]; then
        https=1
    else
        options+=("$1")
    fi
    shift
done
shift || true
standin=$here/../../tools/lrclib-standin/standin.py

# Refuse to go on anywhere but in a namespace of our own: the namespace is the guarantee.
if ip -o link show | grep -vq ': lo:'; then
    echo "with-standin.sh: more than the loopback interface is here; run it under unshare -n" >&2
    exit 1
fi
ip link set lo up || exit 1

# Wine opens its sockets in the prefix's wineserver. One left running by the test before (it
# lingers a few seconds) lives outside this namespace, so the plug-in's requests would go out
# from there: end it, so that COMMAND starts a server of its own in here.
# shellcheck source=../../scripts/lib/wine-env.sh
source "$here/../../scripts/lib/wine-env.sh"
if wine_env_find_loader && [ -n "${ZOR_WINESERVER:-}" ]; then
    "$ZOR_WINESERVER" -k 2>/dev/null
    "$ZOR_WINESERVER" -w
fi

cleanups=()
if [ "$https" -eq 1 ]; then
    python3 "$standin" --make-certs "$dir/certs" || exit 1
    options+=(--cert "$dir/certs/localhost.pem" --key "$dir/certs/localhost.key")
    openssl x509 -in "$dir/certs/ca.pem" -outform der -out "$dir/certs/ca.der" || exit 1
    wine_env_start_prefix || exit 1
    cleanups+=(wine_env_stop)
    if ! (cd "$dir" && "$1" ./trustca.exe "Z:${dir//\//\\}\\certs\\ca.der"); then
        echo "with-standin.sh: the test authority could not be trusted" >&2
        wine_env_stop
        exit 1
    fi
fi
python3 -u "$standin" --records "$here/../../tools/lrclib-standin/records.json" \
    --log "$dir/requests.log" "${options[@]}" >"$dir/standin.out" 2>"$dir/standin.err" &
standinPid=$!
stopStandin() {
    kill "$standinPid" 2>/dev/null
    wait "$standinPid" 2>/dev/null
    for cleanup in "${cleanups[@]}"; do
        "$cleanup"
    done
}
trap stopStandin EXIT
port=
for _ in $(seq 100); do
    port=$(sed -n 's/^port \([0-9]*\)$/\1/p' "$dir/standin.out")
    [ -n "$port" ] && break
    kill -0 "$standinPid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$port" ]; then
    echo "with-standin.sh: the stand-in did not start:" >&2
    cat "$dir/standin.err" >&2
    exit 1
fi
: >"$dir/requests.log"
for file in "$dir"/*.hs "$dir/expected.txt"; do
    [ -f "$file" ] && sed -i "s/@PORT@/$port/g" "$file"
done
"$@"
