# standin: --https
# Over HTTPS, with the system's certificate checks: the stand-in's certificate for localhost is
# signed by a test authority that only this test's own wine prefix trusts.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineLyrics=1\nOnlineServer=https://localhost:@PORT@\n
song @DIR@\music\harbour.wav The Quiet Harbour - Paper Lanterns
meta @DIR@\music\harbour.wav Artist The Quiet Harbour
meta @DIR@\music\harbour.wav Title Paper Lanterns
meta @DIR@\music\harbour.wav length 214000
file @DIR@\music\readme.txt the songs' folder
select 0
init
sleep 3000
run 25
text 1309
dump
cat @DIR@\requests.log
quit
