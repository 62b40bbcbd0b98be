# standin:
# The whole round of publishing. A song that has no lyrics and whose host knows no artist: its
# words typed into the editor and saved, untimed; three lines stamped in edit mode; SHIFT+F9
# shows what goes (the artist missing is refused until it is typed in) and Publish sends the
# stamps as they stand, unsaved, while nothing on disk changes. The same song elsewhere, without
# lyrics, then finds them through the online step. online_publish.check.sh reads what the
# stand-in received.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineLyrics=1\nOnlineServer=http://127.0.0.1:@PORT@\n
# The songs' folders first (file makes them), then the songs.
file @DIR@\music\beacon.wav x
file @DIR@\copy\beacon.wav x
wav @DIR@\music\beacon.wav 8000 8 1 0 200
wav @DIR@\copy\beacon.wav 8000 8 1 0 200
song @DIR@\music\beacon.wav Beacon
meta @DIR@\music\beacon.wav Title Beacon
meta @DIR@\music\beacon.wav Album Night Ferry
meta @DIR@\music\beacon.wav length 187000
song @DIR@\copy\beacon.wav Lumen Drift - Beacon
meta @DIR@\copy\beacon.wav Artist Lumen Drift
meta @DIR@\copy\beacon.wav Title Beacon
meta @DIR@\copy\beacon.wav Album Night Ferry
meta @DIR@\copy\beacon.wav length 187000
select 0
init
dialog-text Harbour lights are low\nEvery boat is home\nSing the beacon on\n
answer Save as LRC file
key F4
key F9
play
seek 5000
key INSERT
seek 9000
key INSERT
seek 14250
key INSERT
dump
dialog text 2021
dialog text 2022
dialog text 2023
dialog text 2024
dialog text 2025
dialog text 2026
dialog text 2027
dialog press 1
dialog text 2028
dialog settext 2021 Lumen Drift
dialog text 2028
answer Publish
key F9+SHIFT
wait 1309 Published to lrclib.net
text 1309
dump
cat @DIR@\music\beacon.lrc
# Back to the display without saving, and on to the copy, which the online step finds.
answer No
key F9
select 1
run 1
wait 1309 copy\beacon.wav
run 25
dump
cat @DIR@\copy\beacon.lrc
quit
