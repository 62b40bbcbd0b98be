# shellcheck shell=bash
# Sourced by the test scripts: a fresh wine64 prefix and a private Xvfb display for one test run.
#
#   wine_env_start          both of the below
#   wine_env_start_prefix   exports WINEPREFIX (a new temp folder, initialised), WINEDEBUG, ...
#   wine_env_start_display  starts Xvfb on a free display number and exports DISPLAY
#   wine_env_stop           stops and removes only what the start functions created
#
# After any start function, ZOR_WINE64 is the wine64 loader (Debian keeps it off PATH).

wine_env_find_loader() {
    local candidate
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

wine_env_start_prefix() {
    wine_env_find_loader || return 1
    WINEPREFIX=$(mktemp -d /tmp/zorwine.XXXXXX) || return 1
    ZOR_WINE_ENV_PREFIX=$WINEPREFIX
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
    ZOR_XVFB_PID=$!
    for attempt in $(seq 100); do
        if [ -s "$numberFile" ]; then
            DISPLAY=:$(tr -d '[:space:]' <"$numberFile")
            export DISPLAY
            rm -f "$numberFile" "$numberFile.log"
            return 0
        fi
        kill -0 "$ZOR_XVFB_PID" 2>/dev/null || break
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

wine_env_stop() {
    if [ -n "${ZOR_WINE_ENV_PREFIX:-}" ]; then
        [ -z "${ZOR_WINESERVER:-}" ] || WINEPREFIX=$ZOR_WINE_ENV_PREFIX "$ZOR_WINESERVER" -k 2>/dev/null
        rm -rf "$ZOR_WINE_ENV_PREFIX"
        ZOR_WINE_ENV_PREFIX=
    fi
    if [ -n "${ZOR_XVFB_PID:-}" ]; then
        kill "$ZOR_XVFB_PID" 2>/dev/null
        wait "$ZOR_XVFB_PID" 2>/dev/null
        ZOR_XVFB_PID=
    fi
    return 0
}
