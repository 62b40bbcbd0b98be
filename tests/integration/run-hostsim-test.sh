#!/usr/bin/env bash
# Runs one hostsim script under wine with the plug-in in a fresh folder and compares what hostsim
# prints with the expected output, exactly. The loader is ZOR_WINE_LOADER (CMake sets the one of
# the build's architecture: the 32-bit loader for the shipped i686 build), else wine64.
#
#   run-hostsim-test.sh HOSTSIM_EXE PLUGIN_DLL SCRIPT EXPECTED [TEST_PLUGIN_DLL]
#
# Uses the display and prefix of the wine worker CTest gave the test (scripts/test starts the
# workers once per run), else WINEPREFIX and DISPLAY from the environment; whichever is missing is
# set up here for this test alone, so that ctest runs on its own.
# In SCRIPT and EXPECTED, @DIR@ stands for the test folder as a Windows path; files of the
# fixtures/ folder beside this script are copied into the test folder.
#
# Comment lines at the top of SCRIPT may say how to run it:
#   # plugin: testplugin.dll   load hostsim's own test plug-in (TEST_PLUGIN_DLL) instead
#   # options: --old-host      more hostsim options
#   # exit: 1                  the exit status expected (default 0)
#   # standin: [OPTIONS]       run beside the stand-in of the lyrics service (with-standin.sh,
#                              OPTIONS are its own: --fault MODE, --delay S, --https), in a
#                              network namespace where only loopback exists; @PORT@ in SCRIPT and
#                              EXPECTED is its port, and @DIR@\requests.log its log of requests
# A file NAME.check.sh beside SCRIPT is run afterwards with the test folder as its argument;
# its failure fails the test (for what the output alone does not show, e.g. a picture).
set -uo pipefail
hostsim=${1:?usage: run-hostsim-test.sh HOSTSIM_EXE PLUGIN_DLL SCRIPT EXPECTED}
plugin=${2:?missing PLUGIN_DLL}
script=${3:?missing SCRIPT}
expected=${4:?missing EXPECTED}
testPlugin=${5:-}
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=../../scripts/lib/wine-env.sh
source "$here/../../scripts/lib/wine-env.sh"
trap wine_env_stop EXIT
wine_env_find_loader || exit 1
wine_env_use_worker || exit 1
loader=${ZOR_WINE_LOADER:-$ZOR_WINE64}
if [ ! -x "$loader" ]; then
    echo "the wine loader $loader is not installed (scripts/setup installs it)"
    exit 1
fi
if [ -z "${DISPLAY:-}" ]; then
    wine_env_start_display || exit 1
fi
if [ -z "${WINEPREFIX:-}" ]; then
    wine_env_start_prefix || exit 1
fi
export WINEDEBUG=${WINEDEBUG:--all}
# The display is shared with the tests before this one: the pointer goes back to the corner, away
# from the plug-in's window, so that no button starts out under it.
xdotool mousemove 0 0 2>/dev/null || true

dir=$(mktemp -d /tmp/zorhostsim.XXXXXX) || exit 1
name=$(basename "$script")
# The plug-in sits alone beside hostsim, so plugin.ini and log.txt start absent.
cp "$hostsim" "$dir/hostsim.exe" || exit 1
# A test of the test plug-in does not need the real one, which may not be built yet.
if ! cp "$plugin" "$dir/vis_zorlyrics.dll" && ! grep -q '^# plugin:' "$script"; then
    exit 1
fi
if [ -d "$here/fixtures" ]; then
    cp -R "$here/fixtures/." "$dir/" || exit 1
fi
windowsDir="Z:${dir//\//\\}"
header() { sed -n "s/^# $1: *//p" "$script" | head -n 1; }
pluginName=$(header plugin)
options=$(header options)
expectedStatus=$(header exit)
expectedStatus=${expectedStatus:-0}
arguments=()
if [ -n "$pluginName" ]; then
    if [ -z "$testPlugin" ]; then
        echo "$name asks for $pluginName but no test plug-in was given"
        exit 1
    fi
    cp "$testPlugin" "$dir/$pluginName" || exit 1
    arguments+=(--plugin "$windowsDir\\$pluginName")
fi
# shellcheck disable=SC2206 # the options are words
arguments+=($options)
substitute() { ZOR_DIR=$windowsDir perl -pe 's/\@DIR\@/$ENV{ZOR_DIR}/g' "$1"; }
substitute "$script" >"$dir/$name"
substitute "$expected" >"$dir/expected.txt"

# wine names Unix files in the charset of the locale: under C, a name outside ASCII cannot be
# opened. UTF-8 keeps the ANSI code page wine derives from the language (1252).
launcher=()
if grep -q '^# standin:' "$script"; then
    # shellcheck disable=SC2206 # the options are words
    launcher=(unshare -n bash "$here/with-standin.sh" "$dir" $(header standin) --)
    cp "$(dirname "$hostsim")/trustca.exe" "$dir/" 2>/dev/null || true
fi
(cd "$dir" && LC_ALL=C.UTF-8 "${launcher[@]}" "$loader" ./hostsim.exe "${arguments[@]}" "$name" \
    >"$dir/stdout.txt" 2>"$dir/stderr.txt")
status=$?

failed=0
if [ "$status" -ne "$expectedStatus" ]; then
    echo "hostsim exited with status $status, expected $expectedStatus"
    failed=1
fi
check=${script%.hs}.check.sh
if [ -f "$check" ] && ! bash "$check" "$dir"; then
    echo "$(basename "$check") failed"
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
