# standin: --fault 429
# A service that asks to be left alone (429) is: the title strip says so for a few seconds,
# a refresh of the same song does not ask again, and the next song does.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineLyrics=1\nOnlineServer=http://127.0.0.1:@PORT@\n
song @DIR@\music\harbour.wav The Quiet Harbour - Paper Lanterns
meta @DIR@\music\harbour.wav Artist The Quiet Harbour
meta @DIR@\music\harbour.wav Title Paper Lanterns
song @DIR@\music\cafe.wav Café Noir
select 0
init
sleep 1000
run 25
text 1309
key F5
sleep 1000
run 25
dump
select 1
run 25
sleep 1000
run 25
text 1309
cat @DIR@\requests.log
quit
