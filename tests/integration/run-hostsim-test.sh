#!/usr/bin/env bash
# Runs one hostsim script under wine64 with the plug-in in a fresh folder and compares what
# hostsim prints with the expected output, exactly.
#
#   run-hostsim-test.sh HOSTSIM_EXE PLUGIN_DLL SCRIPT EXPECTED
#
# Uses WINEPREFIX and DISPLAY from the environment (scripts/test sets them up once per run);
# whichever is missing is set up here for this test alone, so that ctest runs on its own.
# In SCRIPT and EXPECTED, @DIR@ stands for the test folder as a Windows path; files of the
# fixtures/ folder beside this script are copied into the test folder.
set -uo pipefail
hostsim=${1:?usage: run-hostsim-test.sh HOSTSIM_EXE PLUGIN_DLL SCRIPT EXPECTED}
plugin=${2:?missing PLUGIN_DLL}
script=${3:?missing SCRIPT}
expected=${4:?missing EXPECTED}
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=../../scripts/lib/wine-env.sh
source "$here/../../scripts/lib/wine-env.sh"
trap wine_env_stop EXIT
wine_env_find_loader || exit 1
if [ -z "${DISPLAY:-}" ]; then
    wine_env_start_display || exit 1
fi
if [ -z "${WINEPREFIX:-}" ]; then
    wine_env_start_prefix || exit 1
fi
export WINEDEBUG=${WINEDEBUG:--all}

dir=$(mktemp -d /tmp/zorhostsim.XXXXXX) || exit 1
name=$(basename "$script")
# The plug-in sits alone beside hostsim, so plugin.ini and log.txt start absent.
cp "$hostsim" "$dir/hostsim.exe" && cp "$plugin" "$dir/vis_zorlyrics.dll" || exit 1
if [ -d "$here/fixtures" ]; then
    cp -R "$here/fixtures/." "$dir/" || exit 1
fi
windowsDir="Z:${dir//\//\\}"
substitute() { ZOR_DIR=$windowsDir perl -pe 's/\@DIR\@/$ENV{ZOR_DIR}/g' "$1"; }
substitute "$script" >"$dir/$name"
substitute "$expected" >"$dir/expected.txt"

(cd "$dir" && "$ZOR_WINE64" ./hostsim.exe "$name" >"$dir/stdout.txt" 2>"$dir/stderr.txt")
status=$?

failed=0
if [ "$status" -ne 0 ]; then
    echo "hostsim exited with status $status"
    failed=1
fi
if ! diff -u --label expected --label actual "$dir/expected.txt" "$dir/stdout.txt"; then
    failed=1
fi
if [ "$failed" -ne 0 ]; then
    echo "--- hostsim stderr:"
    cat "$dir/stderr.txt"
    echo "--- test folder kept: $dir"
    exit 1
fi
rm -rf "$dir"
