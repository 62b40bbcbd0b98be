# standin: --fault slow --delay 2
# A song change while a request is out abandons it: the new song's lyrics show, and the old
# song's answer is neither shown nor saved.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineLyrics=1\nOnlineServer=http://127.0.0.1:@PORT@\n
song @DIR@\music\harbour.wav The Quiet Harbour - Paper Lanterns
meta @DIR@\music\harbour.wav Artist The Quiet Harbour
meta @DIR@\music\harbour.wav Title Paper Lanterns
meta @DIR@\music\harbour.wav length 214000
song @DIR@\music\cafe.wav Zoë Marchand - Café Noir
meta @DIR@\music\cafe.wav Artist Zoë Marchand
meta @DIR@\music\cafe.wav Title Café Noir
meta @DIR@\music\cafe.wav length 187000
file @DIR@\music\readme.txt the songs' folder
select 0
init
sleep 500
select 1
run 25
text 1309
sleep 5000
run 25
dump
text 1309
cat @DIR@\music\harbour.lrc
cat @DIR@\music\cafe.txt
quit
