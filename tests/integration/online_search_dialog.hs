# standin:
# SHIFT+F5 opens the search by hand, whatever OnlineLyrics says and on a song that has lyrics
# already: the host's names fill the fields, Search lists the records whose length fits (synced
# first), a record's lyrics show when it is picked, and Use replaces the song's lyrics file once
# the user has said yes, and loads it.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineServer=http://127.0.0.1:@PORT@\n
song @DIR@\music\northern.wav Ada Park - Northern Line
meta @DIR@\music\northern.wav Artist Ada Park
meta @DIR@\music\northern.wav Title Northern Line
meta @DIR@\music\northern.wav Album Commute
meta @DIR@\music\northern.wav length 200000
file @DIR@\music\northern.lrc [00:01]Old lyrics\n
select 0
init
dump
dialog text 2011
dialog text 2012
dialog text 2013
dialog enabled 2017
dialog press 1
dialog wait 2016 record
dialog text 2016
dialog items 2014
dialog pick 2014 0
dialog text 2015
dialog enabled 2017
dialog shot @DIR@\search.bmp
answer Use
answer Yes
key F5+SHIFT
dump
cat @DIR@\music\northern.lrc
cat @DIR@\requests.log
quit
