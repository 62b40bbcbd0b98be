#!/usr/bin/env bash
# The saved MP3 still has an ID3v2.4 tag holding every frame it had, byte for byte, and one lyrics
# frame; its audio and ID3v1 tag are those of the song before.
dir=$1
here=$(dirname "$0")
song=$dir/tagged-v24.mp3
hex=$(xxd -p "$song" | tr -d '\n')
[ "${hex:0:8}" = 49443304 ] || { echo "not an ID3v2.4 tag: ${hex:0:8}"; exit 1; }
while read -r frame; do
    [[ $hex == *"$frame"* ]] || { echo "lost frame ${frame:0:8}"; exit 1; }
done <"$here/tag-fixtures/tagged-v24.frames"
lyricsFrames=$(grep -o 55534c54 <<<"$hex" | wc -l)  # "USLT"
[ "$lyricsFrames" -eq 1 ] || { echo "$lyricsFrames lyrics frames"; exit 1; }
before=$(xxd -p "$here/fixtures/tagged-v24.mp3" | tr -d '\n')
tail=16256  # the audio (8000 bytes) and the ID3v1 tag (128 bytes), in hex digits
[ "${hex: -$tail}" = "${before: -$tail}" ] || { echo "the audio changed"; exit 1; }
