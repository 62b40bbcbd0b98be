#!/usr/bin/env bash
# The MP3 the player held open is byte for byte what it was before the refused save, and the
# library left no temporary copy of it behind.
dir=$1
here=$(dirname "$0")
cmp "$here/fixtures/commands-tagged.mp3" "$dir/commands-tagged.mp3" || exit 1
if ls "$dir"/commands-tagged.mp3.* >/dev/null 2>&1; then
    echo "left behind: $(ls "$dir"/commands-tagged.mp3.*)"
    exit 1
fi
