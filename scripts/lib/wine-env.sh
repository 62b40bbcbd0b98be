# shellcheck shell=bash
# Sourced by the test scripts: private Xvfb displays and fresh wine prefixes for one test run.
#
#   wine_env_start            one display and one prefix, exported as DISPLAY and WINEPREFIX
#   wine_env_start_prefix     exports WINEPREFIX (a new temp folder, initialised), WINEDEBUG, ...
#   wine_env_start_display    starts Xvfb on a free display number and exports DISPLAY
#   wine_env_start_workers N  N workers, each a display and a prefix of its own, for tests that run
#                             side by side; writes a CTest resource file (ZOR_WINE_RESOURCES) whose
#                             "wine" resources are the workers
#   wine_env_use_worker       inside a test that CTest gave a "wine" worker: DISPLAY and WINEPREFIX
#                             become that worker's
#   wine_env_stop             stops and removes only what the start functions created
#
# After any start function ZOR_WINE64 is the wine64 loader and ZOR_WINE32 the 32-bit one (Debian
# keeps both off PATH); ZOR_WINE32 is empty when wine32 is not installed.

# Whatever runs under wine from these scripts (tests, bench, demo) reaches nothing but this
# machine: the plug-in's transport refuses every other server while this is set, whatever a
# plugin.ini names, the default server included.
export ZORLYRICS_LOOPBACK_ONLY=1

wine_env_find_loader() {
    local candidate
    ZOR_WINE32=
    for candidate in "${ZOR_WINE32_LOADER:-}" /usr/lib/wine/wine \
        "$(dpkg -L wine32 2>/dev/null | grep -m1 '/wine$')"; do
        if [ -n "$candidate" ] && [ -x "$candidate" ]; then
            ZOR_WINE32=$candidate
            break
        fi
    done
    export ZOR_WINE32
    for candidate in "${ZOR_WINE64:-}" /usr/lib/wine/wine64 \
        "$(dpkg -L wine64 2>/dev/null | grep -m1 '/wine64$')" "$(command -v wine64)"; do
        if [ -n "$candidate" ] && [ -x "$candidate" ]; then
            ZOR_WINE64=$candidate
            ZOR_WINESERVER=$(dirname "$candidate")/wineserver
            [ -x "$ZOR_WINESERVER" ] || ZOR_WINESERVER=$(command -v wineserver || true)
            export ZOR_WINE64 ZOR_WINESERVER
            return 0
        fi
    done
    echo "wine-env: no wine64 loader found (install the wine64 package)" >&2
    return 1
}

# A prefix made by wine64 holds both the 64-bit and the 32-bit system, so either loader runs in it.
wine_env_start_prefix() {
    wine_env_find_loader || return 1
    WINEPREFIX=$(mktemp -d /tmp/zorwine.XXXXXX) || return 1
    ZOR_WINE_ENV_PREFIXES="${ZOR_WINE_ENV_PREFIXES:-} $WINEPREFIX"
    # Quiet, and no offers to install Mono or Gecko, which would wait for a click.
    export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
    if ! "$ZOR_WINE64" wineboot -i >"$WINEPREFIX/wineboot.log" 2>&1; then
        echo "wine-env: wineboot failed in $WINEPREFIX:" >&2
        tail -n 20 "$WINEPREFIX/wineboot.log" >&2
        return 1
    fi
    [ -z "${ZOR_WINESERVER:-}" ] || "$ZOR_WINESERVER" -w
}

wine_env_start_display() {
    local numberFile attempt
    numberFile=$(mktemp /tmp/zorxvfb.XXXXXX) || return 1
    # -displayfd lets the server take the first free display number itself, race-free.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" \
        >"$numberFile.log" 2>&1 &
    ZOR_XVFB_PIDS="${ZOR_XVFB_PIDS:-} $!"
    for attempt in $(seq 100); do
        if [ -s "$numberFile" ]; then
            DISPLAY=:$(tr -d '[:space:]' <"$numberFile")
            export DISPLAY
            rm -f "$numberFile" "$numberFile.log"
            return 0
        fi
        kill -0 "$!" 2>/dev/null || break
        sleep 0.1
    done
    echo "wine-env: Xvfb did not start (attempts: $attempt):" >&2
    cat "$numberFile.log" >&2
    rm -f "$numberFile" "$numberFile.log"
    return 1
}

wine_env_start() {
    wine_env_start_display && wine_env_start_prefix
}

wine_env_start_workers() {
    local count=$1 worker pids=() failed=0
    wine_env_find_loader || return 1
    for worker in $(seq 0 $((count - 1))); do
        wine_env_start_display || return 1
        export "ZOR_WINE_WORKER_${worker}_DISPLAY=$DISPLAY"
        WINEPREFIX=$(mktemp -d /tmp/zorwine.XXXXXX) || return 1
        ZOR_WINE_ENV_PREFIXES="${ZOR_WINE_ENV_PREFIXES:-} $WINEPREFIX"
        export "ZOR_WINE_WORKER_${worker}_PREFIX=$WINEPREFIX"
    done
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
    # The prefixes are made side by side: each takes about 20 s, mostly waiting.
    for worker in $(seq 0 $((count - 1))); do
        (
            prefix_var=ZOR_WINE_WORKER_${worker}_PREFIX
            display_var=ZOR_WINE_WORKER_${worker}_DISPLAY
            export WINEPREFIX=${!prefix_var} DISPLAY=${!display_var}
            "$ZOR_WINE64" wineboot -i >"$WINEPREFIX/wineboot.log" 2>&1 &&
                { [ -z "${ZOR_WINESERVER:-}" ] || "$ZOR_WINESERVER" -w; }
        ) &
        pids+=($!)
    done
    for worker in "${!pids[@]}"; do
        if ! wait "${pids[$worker]}"; then
            local prefix_var=ZOR_WINE_WORKER_${worker}_PREFIX
            echo "wine-env: wineboot failed in ${!prefix_var}:" >&2
            tail -n 20 "${!prefix_var}/wineboot.log" >&2
            failed=1
        fi
    done
    [ "$failed" -eq 0 ] || return 1
    # The first worker is also the default for anything run outside CTest.
    DISPLAY=$ZOR_WINE_WORKER_0_DISPLAY
    WINEPREFIX=$ZOR_WINE_WORKER_0_PREFIX
    export DISPLAY WINEPREFIX
    ZOR_WINE_RESOURCES=$(mktemp /tmp/zorwine-resources.XXXXXX.json) || return 1
    {
        printf '{"version": {"major": 1, "minor": 0}, "local": [{"wine": ['
        for worker in $(seq 0 $((count - 1))); do
            [ "$worker" -eq 0 ] || printf ', '
            printf '{"id": "%s", "slots": 1}' "$worker"
        done
        printf ']}]}\n'
    } >"$ZOR_WINE_RESOURCES"
    export ZOR_WINE_RESOURCES
    # Not exported: only the shell that made the file removes it.
    ZOR_WINE_ENV_RESOURCES=$ZOR_WINE_RESOURCES
}

# CTest names the worker it gave a test as CTEST_RESOURCE_GROUP_0_WINE=id:N,slots:1.
wine_env_use_worker() {
    local given=${CTEST_RESOURCE_GROUP_0_WINE:-} id display_var prefix_var
    [ -n "$given" ] || return 0
    id=$(sed -n 's/^id:\([0-9]*\),.*/\1/p' <<<"$given")
    display_var=ZOR_WINE_WORKER_${id}_DISPLAY
    prefix_var=ZOR_WINE_WORKER_${id}_PREFIX
    if [ -z "$id" ] || [ -z "${!display_var:-}" ] || [ -z "${!prefix_var:-}" ]; then
        echo "wine-env: CTest gave worker '$given', which this run did not start" >&2
        return 1
    fi
    DISPLAY=${!display_var}
    WINEPREFIX=${!prefix_var}
    export DISPLAY WINEPREFIX
}

wine_env_stop() {
    local prefix pid
    for prefix in ${ZOR_WINE_ENV_PREFIXES:-}; do
        [ -z "${ZOR_WINESERVER:-}" ] || WINEPREFIX=$prefix "$ZOR_WINESERVER" -k 2>/dev/null
        rm -rf "$prefix"
    done
    ZOR_WINE_ENV_PREFIXES=
    for pid in ${ZOR_XVFB_PIDS:-}; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    ZOR_XVFB_PIDS=
    if [ -n "${ZOR_WINE_ENV_RESOURCES:-}" ]; then
        rm -f "$ZOR_WINE_ENV_RESOURCES"
        ZOR_WINE_ENV_RESOURCES=
    fi
    return 0
}
