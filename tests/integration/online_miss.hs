# standin:
# A song the service has nothing for is a miss: the title strip says so for a few seconds, and
# the memory of misses beside plugin.ini keeps the song from being asked about again, in this
# run and the next. A server nobody answers on is named as such.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineLyrics=1\nOnlineServer=http://127.0.0.1:@PORT@\n
song @DIR@\music\nowhere.wav Nobody - Nowhere Song
meta @DIR@\music\nowhere.wav Artist Nobody
meta @DIR@\music\nowhere.wav Title Nowhere Song
meta @DIR@\music\nowhere.wav length 180000
song @DIR@\music\other.wav Other
file @DIR@\music\other.lrc [00:01]Other song\n
select 0
init
sleep 1000
run 25
text 1309
dump
# The notice goes after a few seconds; the key that searches by hand stays named.
sleep 4000
run 25
text 1309
select 1
run 25
text 1309
select 0
run 25
sleep 1000
run 25
cat @DIR@\requests.log
quit
init
sleep 1000
run 25
cat @DIR@\requests.log
quit
# Nobody listens on port 1.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineLyrics=1\nOnlineServer=http://127.0.0.1:1\n
song @DIR@\music\silent.wav Nobody - Silent Song
select 2
init
sleep 1000
run 25
text 1309
quit
