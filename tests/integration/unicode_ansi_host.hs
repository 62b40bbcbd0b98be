# options: --ansi-host
# A host before 5.3 answers only the ANSI requests: a path outside its code page reaches the
# plug-in with '?' in it, which finds nothing and ends in "Lyrics unavailable", without a
# crash. A path its code page holds (é) is converted from it and found, and so are the song
# information the host gives for it and its caption.
file @DIR@\Музыка\歌詞_Песня.lrc [00:01]Первая строка\n
file @DIR@\Café.lrc [00:01]Déjà vu\n
song @DIR@\Музыка\歌詞_Песня.mp3 Песня
song @DIR@\Café.mp3 Café
meta @DIR@\Café.mp3 Title Café crème
meta @DIR@\Café.mp3 Artist Zoë Ångström
select 0
init
dump
play
run 1100
dump
select 1
run 25
dump
quit
