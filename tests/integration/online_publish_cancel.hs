# standin: --challenge-target 0000000000000000000000000000000000000000000000000000000000000000
# A publish whose proof of work never ends (no hash is at most zero) runs on while the window
# goes on: the title strip counts and names the key that cancels. ESC cancels it, so does
# SHIFT+F9 pressed again, and closing the plug-in ends it at once. Display mode publishes the
# lyrics file as written. Nothing but challenges reached the stand-in, and the file is as it was.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineServer=http://127.0.0.1:@PORT@\n
song @DIR@\music\tide.wav Sea Glass - Low Tide
meta @DIR@\music\tide.wav Artist Sea Glass
meta @DIR@\music\tide.wav Title Low Tide
meta @DIR@\music\tide.wav length 200000
file @DIR@\music\tide.lrc [ti:Low Tide]\n[00:02.00]Salt on the window\n[00:06.50]Low tide again\n
select 0
init
dialog text 2025
dialog text 2026
answer Publish
key F9+SHIFT
wait 1309 Publishing to lrclib.net
wait 1309 ESC: cancel publishing
key ESCAPE
wait 1309 Publishing cancelled
answer Publish
key F9+SHIFT
wait 1309 Publishing to lrclib.net
key F9+SHIFT
wait 1309 Publishing cancelled
answer Publish
key F9+SHIFT
wait 1309 Publishing to lrclib.net
quit
cat @DIR@\music\tide.lrc
cat @DIR@\requests.log
