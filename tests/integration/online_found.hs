# standin: --fault slow --delay 2
# A song without lyrics, with the online step on: the stand-in's record is saved beside the song
# as an LRC, loaded through the ordinary lookup and followed by the highlight. The second play of
# the song finds the file and asks nothing. The stand-in takes 2 s to answer, so that what shows
# meanwhile can be seen: the lookup's own result, and the title strip saying what goes on.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineLyrics=1\nOnlineServer=http://127.0.0.1:@PORT@\n
song @DIR@\music\harbour.wav The Quiet Harbour - Paper Lanterns
meta @DIR@\music\harbour.wav Artist The Quiet Harbour
meta @DIR@\music\harbour.wav Title Paper Lanterns
meta @DIR@\music\harbour.wav Album Tidewater
meta @DIR@\music\harbour.wav length 214000
song @DIR@\music\other.wav Other
file @DIR@\music\other.lrc [00:01]Other song\n
select 0
init
text 1309
dump
sleep 3000
run 25
dump
text 1309
play
seek 18000
run 1000
dump
cat @DIR@\music\harbour.lrc
# Away and back: the file is there, nothing more is asked.
select 1
run 25
select 0
run 25
dump
cat @DIR@\requests.log
quit
