#!/usr/bin/env bash
# Runs a Windows program under the wine loader of its build (ZOR_WINE_LOADER, set by CMake per
# test) on the display and in the prefix of the wine worker CTest gave the test; outside a worker
# it uses DISPLAY and WINEPREFIX as they are.
#
#   wine-run.sh PROGRAM [ARGUMENT]...
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
wine_env_use_worker || exit 1
loader=${ZOR_WINE_LOADER:-}
if [ -z "$loader" ]; then
    wine_env_find_loader || exit 1
    loader=$ZOR_WINE64
fi
if [ ! -x "$loader" ]; then
    echo "wine-run: the wine loader $loader is not installed (scripts/setup installs it)" >&2
    exit 1
fi
export WINEDEBUG=${WINEDEBUG:--all}
exec "$loader" "$@"
