# standin:
# The tests' own guard: with ZORLYRICS_LOOPBACK_ONLY set, as every test run sets it, the plug-in
# reaches nothing but this machine, whatever plugin.ini names. Here it names nothing, so the
# default server is refused before any connection, by the online step and by a publish alike,
# and each says why.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineLyrics=1\n
song @DIR@\music\drift.wav Lumen Drift - Drift
meta @DIR@\music\drift.wav Artist Lumen Drift
meta @DIR@\music\drift.wav Title Drift
meta @DIR@\music\drift.wav length 150000
song @DIR@\music\tide.wav Sea Glass - Low Tide
meta @DIR@\music\tide.wav Artist Sea Glass
meta @DIR@\music\tide.wav Title Low Tide
meta @DIR@\music\tide.wav length 200000
file @DIR@\music\tide.lrc [00:02.00]Salt on the window\n
select 0
init
wait 1309 lrclib.net: address refused
select 1
run 1
answer Publish
key F9+SHIFT
wait 1309 lrclib.net: address refused
cat @DIR@\requests.log
quit
