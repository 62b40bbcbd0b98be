# standin: --fault stall
# A server that stalls halfway through its answer holds up nothing: the render calls go on, a
# song with lyrics of its own shows and follows them at once, and Quit ends the stalled request.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineLyrics=1\nOnlineServer=http://127.0.0.1:@PORT@\n
song @DIR@\music\harbour.wav The Quiet Harbour - Paper Lanterns
meta @DIR@\music\harbour.wav Artist The Quiet Harbour
meta @DIR@\music\harbour.wav Title Paper Lanterns
song @DIR@\music\other.wav Other
file @DIR@\music\other.lrc [00:01]One\n[00:02]Two\n
select 0
init
play
run 2000
text 1309
select 1
seek 0
run 2500
dump
select 0
run 1000
text 1309
quit
